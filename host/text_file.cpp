#include "host/text_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "host/error.h"

namespace tavrel::host {
namespace {

void append_utf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// UTF-16 after its mark, as UTF-8; a lone surrogate becomes U+FFFD.
bool utf16_to_utf8(std::string_view bytes, bool big_endian, std::string& out, std::string& reason) {
  if (bytes.size() % 2 != 0) {
    reason = "UTF-16 text that ends in half a character";
    return false;
  }
  auto unit = [&](size_t i) {
    const auto hi = static_cast<uint8_t>(bytes[i + (big_endian ? 0 : 1)]);
    const auto lo = static_cast<uint8_t>(bytes[i + (big_endian ? 1 : 0)]);
    return static_cast<uint32_t>(hi << 8 | lo);
  };
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i < bytes.size(); i += 2) {
    uint32_t c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 2 < bytes.size()) {
      const uint32_t next = unit(i + 2);
      if (next >= 0xDC00 && next < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
        i += 2;
      }
    }
    if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;
    append_utf8(out, c);
  }
  return true;
}

}  // namespace

bool decode_text(std::string_view bytes, std::string& text, std::string& reason) {
  std::string decoded;
  auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xEF\xBB\xBF")) {
    decoded = bytes.substr(3);
  } else if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
    if (!utf16_to_utf8(bytes.substr(2), bytes[0] == '\xFE', decoded, reason)) return false;
  } else if (bytes.find('\0') != std::string_view::npos) {
    reason =
        "the file holds NUL bytes: UTF-16 saved without its byte-order mark? Save it as UTF-8 or "
        "ANSI, or as UTF-16 with its mark (Notepad's \"Unicode\")";
    return false;
  } else {
    decoded = bytes;
  }
  text.clear();
  text.reserve(decoded.size());
  for (size_t i = 0; i < decoded.size(); ++i) {
    if (decoded[i] == '\r') {
      text += '\n';
      if (i + 1 < decoded.size() && decoded[i + 1] == '\n') ++i;
    } else if (decoded[i] == '\0') {
      reason = "the file holds a NUL character";
      return false;
    } else {
      text += decoded[i];
    }
  }
  return true;
}

bool read_file_bytes(const std::string& path, size_t largest, std::string& bytes,
                     std::string& error) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = "cannot read " + path + ": " + system_reason(errno);
    return false;
  }
  bytes.clear();
  char buffer[65536];
  size_t n = 0;
  errno = 0;
  bool too_large = false;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.append(buffer, n);
    if (bytes.size() > largest) {
      too_large = true;
      break;
    }
  }
  const bool failed = std::ferror(file) != 0;
  const int read_error = errno;
  std::fclose(file);
  if (failed) {
    error = "cannot read " + path + ": " +
            (read_error != 0 ? system_reason(read_error) : std::string("read error"));
    return false;
  }
  if (too_large) {
    error = "cannot read " + path + ": it is larger than " + std::to_string(largest >> 20) +
            " MiB, which no file of a panel needs";
    return false;
  }
  return true;
}

bool read_text_file(const std::string& path, std::string& text, std::string& error) {
  std::string bytes;
  if (!read_file_bytes(path, kLargestTextFile, bytes, error)) return false;
  std::string reason;
  if (!decode_text(bytes, text, reason)) {
    error = "cannot read " + path + ": " + reason;
    return false;
  }
  return true;
}

}  // namespace tavrel::host
