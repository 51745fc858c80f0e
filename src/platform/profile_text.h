// Text conversions of the profile engine: Windows-1252 (the ANSI code page the profile
// functions see), UTF-8, and UTF-16LE files held in memory as WTF-8 so that every 16-bit
// unit, even a lone surrogate, survives a read and a write unchanged.
#pragma once

#include <string>
#include <string_view>

namespace tx3::platform {

// The ANSI code page of a platform's INI content, as the profile engine converts through it:
// Windows-1252 on Linux, the system's own code page on Windows. A character the code page cannot
// hold becomes "?".
class ProfileCodec {
 public:
  virtual ~ProfileCodec() = default;
  virtual std::string Utf8ToAnsi(std::string_view utf8) const = 0;
  virtual std::string AnsiToUtf8(std::string_view ansi) const = 0;
};

// The Windows-1252 codec (platform/code_page.h, WTF-8 text accepted); one for the whole program.
const ProfileCodec& Windows1252ProfileCodec();

// UTF-16LE bytes -> WTF-8 (a lone surrogate keeps its own 3-byte form). An odd final byte is
// not part of the text: the caller keeps it.
std::string Utf16LeToWtf8(std::string_view bytes);
// WTF-8 -> UTF-16LE bytes appended to `out` (an invalid byte becomes U+FFFD): a file is converted
// line by line, without a copy of its text.
void AppendWtf8AsUtf16Le(std::string_view text, std::string* out);

// Names compare after folding: Windows-1252 letters for ANSI text, the same letters (and
// nothing more) for WTF-8 text, so both kinds of file match the same names.
std::string FoldAnsiName(std::string_view ansi);
// One byte of FoldAnsiName, from a table: names are compared where they lie in the file. An
// ASCII byte folds the same in WTF-8 text.
char FoldAnsiChar(char c);
std::string FoldWtf8Name(std::string_view text);

}  // namespace tx3::platform
