// The Windows-1252 code page (the ANSI text of settings files on Linux) and UTF-8 encoding,
// shared by the text helpers and the profile engine.
#pragma once

#include <string>
#include <string_view>

namespace tx3::platform {

// The code point of a Windows-1252 byte; the five bytes the code page leaves undefined keep
// their own value, as MultiByteToWideChar does.
char32_t Windows1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte holding `cp`, or "?" when the code page has none.
char CodePointToWindows1252(char32_t cp);

// Windows-1252 text as UTF-8.
std::string Windows1252ToUtf8(std::string_view ansi);

// Appends the UTF-8 form of `cp` (surrogates included, as WTF-8 does).
void AppendUtf8(char32_t cp, std::string* out);

}  // namespace tx3::platform
