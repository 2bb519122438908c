#!/usr/bin/env bash
# The module file, as file(1) reads it: a 32-bit (PE32, not PE32+) Windows
# DLL for Intel 80386.
#
#   check-dll-format.sh MODULE.gau
set -uo pipefail
description=$(file -b "$1") || exit 1
echo "$1: $description"
case "$description" in
  "PE32 executable (DLL)"*"Intel 80386"*) exit 0 ;;
  *)
    echo "check-dll-format: not a PE32 i386 DLL"
    exit 1
    ;;
esac
