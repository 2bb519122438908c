// Text files as authors save them: panel configurations and flight states
// come from Notepad and its kin, with or without a byte-order mark, in
// UTF-8, in the system's 8-bit code page or in UTF-16, with Windows or Unix
// line ends. The readers see one form: UTF-8 (or the file's own 8-bit text)
// with "\n" line ends.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrel::host {

// The largest text file read (a panel configuration of a thousand windows
// is a few hundred kilobytes).
constexpr size_t kLargestTextFile = size_t{16} << 20;

// The bytes as text: a UTF-8 byte-order mark is dropped; UTF-16 with its
// mark (little- or big-endian) becomes UTF-8; CR LF and a lone CR become
// LF. False, with the reason in `reason`, for bytes that are not text: a
// NUL byte in a file without a UTF-16 mark (UTF-16 saved without its mark),
// or UTF-16 cut in the middle of a character.
bool decode_text(std::string_view bytes, std::string& text, std::string& reason);

// Reads a whole file of at most `largest` bytes, as it is. False, with
// "cannot read PATH: REASON" (the system's reason where the system gave
// one) in `error`.
bool read_file_bytes(const std::string& path, size_t largest, std::string& bytes,
                     std::string& error);

// Reads a whole file and decodes it. False, with "cannot read PATH: REASON"
// (the system's reason where the system gave one) in `error`.
bool read_text_file(const std::string& path, std::string& text, std::string& error);

}  // namespace tavrel::host
