#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent: packages that
# are already installed are skipped, and nothing is fetched when all are there.
# Needs root (CI and the development machines run as root).
set -euo pipefail

native_packages=(
  cmake ninja-build g++ g++-mingw-w64-i686 file
  libcairo2-dev fonts-dejavu-core
  libstb-dev fonts-liberation2 fonts-dseg
  googletest libgtest-dev libbenchmark-dev
  clang-format clang libclang-rt-14-dev
)
wine_packages=(wine wine32:i386 xvfb xauth)

missing=()
for package in "${native_packages[@]}" "${wine_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
