// Text helpers. Text is UTF-8 inside the program; positions and counts are in characters
// (code points), never bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tx3 {

// Number of characters of UTF-8 text (an invalid byte counts as one character).
size_t CharCount(std::string_view text);

// The characters of UTF-8 text, each as a view of its bytes (an invalid byte is one character).
std::vector<std::string_view> Characters(std::string_view text);

// The first / last `n` characters; the whole text when it is shorter.
std::string LeftChars(std::string_view text, size_t n);
std::string RightChars(std::string_view text, size_t n);
// `n` characters from the 1-based character position `start` (to the end when n is npos);
// empty text when `start` lies past the end. A `start` of 0 counts as 1.
std::string MidChars(std::string_view text, size_t start, size_t n = std::string_view::npos);

// Removes leading and trailing blanks (the space character only, as the runtime's Trim).
std::string Trim(std::string_view text);
std::string TrimRight(std::string_view text);
// The text fit for a one-line message: control characters (a tab excepted) and DEL become "?".
std::string OneLine(std::string_view text);
// The text up to its first NUL character (a system answer read from a fixed buffer).
std::string CutAtNul(std::string text);

// Replaces every non-overlapping occurrence of `from`, left to right, in one pass.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// 1-based character position of the first occurrence of `what` (exact comparison), 0 if absent.
size_t InStr(std::string_view text, std::string_view what);

// Case-insensitive comparison, as Windows compares names.
bool EqualsNoCase(std::string_view a, std::string_view b);
// The characters of the text in the folded case EqualsNoCase compares.
std::u32string FoldedText(std::string_view text);

// Decimal text of an integer, as the runtime's CStr.
std::string ToText(long long value);

}  // namespace tx3
