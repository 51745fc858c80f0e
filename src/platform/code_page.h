// The one text codec of the program: UTF-8 decoding, the Windows-1252 code page (the ANSI text
// of settings files on Linux) and its case folding. Shared by the text helpers, the profile
// engine, the name matching and the test fake, so that all of them count, fold and convert the
// same characters the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tx3::platform {

// One character of UTF-8 text. An invalid byte is a character of its own: `valid` is false,
// `length` is 1 and `codePoint` is the byte's value.
struct Utf8Char {
  char32_t codePoint = 0;
  size_t length = 1;
  bool valid = true;
};

// Decodes the character at text[pos] (pos < text.size()). Well-formed UTF-8 only: no overlong
// form, nothing above U+10FFFF, and no surrogate unless `surrogates` (the WTF-8 form that keeps
// the lone surrogates of a UTF-16 file).
Utf8Char DecodeUtf8(std::string_view text, size_t pos, bool surrogates = false);

// The code point of a Windows-1252 byte; the five bytes the code page leaves undefined keep
// their own value, as MultiByteToWideChar does.
char32_t Windows1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte holding `cp`, or "?" when the code page has none.
char CodePointToWindows1252(char32_t cp);

// The lower case of a letter, as the upper-case table of Windows pairs them for the Latin
// (Latin-1 and Latin Extended-A), Greek and Cyrillic letters; any other code point is answered
// unchanged. Names of files and folders fold with it on every platform, the dry run and the test
// fake included.
char32_t FoldCase(char32_t cp);

// FoldCase restricted to the letters Windows-1252 holds (ASCII, Latin-1 and the pairs Š Œ Ž Ÿ),
// as the settings files' keys and the program's own texts compare; any other code point is
// answered unchanged.
char32_t FoldWindows1252Case(char32_t cp);

// The characters of UTF-8 text as the profile functions count what they copied: every byte but a
// continuation byte starts one.
uint32_t CharacterCount(std::string_view utf8);

// True when `text` is well-formed UTF-8 (see DecodeUtf8; no surrogate).
bool IsUtf8(std::string_view text);

// UTF-8 text as Windows-1252: a character the code page cannot hold, and every invalid byte,
// becomes "?" (as WideCharToMultiByte answers). With `surrogates` the text is WTF-8: a
// surrogate's three bytes are one character, and one "?".
std::string Utf8ToWindows1252(std::string_view utf8, bool surrogates = false);

// Windows-1252 text as UTF-8.
std::string Windows1252ToUtf8(std::string_view ansi);

// Appends the UTF-8 form of `cp` (surrogates included, as WTF-8 does).
void AppendUtf8(char32_t cp, std::string* out);

}  // namespace tx3::platform
