// N2S: fixed-width number-to-text with a fill character, decimals and a sign.
#include "common/n2s.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/error.h"
#include "common/run_context.h"
#include "common/text.h"

namespace tx3 {

namespace {

constexpr double kLongMax = 2147483647.0;

std::string DefaultDoubleText(double value) {
  // The runtime writes a double with at most 15 significant digits, in the shorter of the
  // fixed and the exponent forms ("100000", "0.3", "1E+20").
  std::array<char, 64> buffer{};
  const int length = std::snprintf(buffer.data(), buffer.size(), "%.15G", value);
  return std::string(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

// CLng: rounding to the nearest, ties to the even one; outside the 32-bit range it overflows.
int32_t ToLong(double x) {
  const double rounded = std::nearbyint(x);
  if (!(rounded >= -2147483648.0 && rounded <= kLongMax)) Raise(err::kOverflow);
  return static_cast<int32_t>(rounded);
}

// The runtime's string functions refuse a negative count.
size_t Count(int value) {
  if (value < 0) Raise(err::kInvalidCall);
  return static_cast<size_t>(value);
}

// The numeric value of the text: its leading digits (and a fraction after a point), spaces
// ignored; a text that starts with anything else reads as 0.
double NumericValue(std::string_view text) {
  double value = 0;
  double scale = 0;
  for (char c : text) {
    if (c == ' ') continue;
    if (c == '.' && scale == 0) {
      scale = 1;
      continue;
    }
    if (c < '0' || c > '9') break;
    if (scale == 0) {
      value = value * 10 + (c - '0');
    } else {
      scale /= 10;
      value += (c - '0') * scale;
    }
  }
  return value;
}

// The runtime's Mid statement: replaces the character at 1-based `position`.
std::string ReplaceCharAt(std::string_view text, size_t position, std::string_view ch) {
  if (position < 1 || position > CharCount(text)) Raise(err::kInvalidCall);
  return LeftChars(text, position - 1) + std::string(ch) + MidChars(text, position + 1);
}

// After the point, blanks become zeros; a value below 1 gets a zero before the point.
std::string ZerosAfterPoint(const std::string& result) {
  const size_t point = InStr(result, ".");
  if (point == 0) return result;
  return LeftChars(result, point) + ReplaceAll(MidChars(result, point + 1), " ", "0");
}

std::string ZeroBeforePoint(const std::string& result) {
  const size_t point = InStr(result, ".");
  if (point > 1 && NumericValue(result) < 1) return ReplaceCharAt(result, point - 1, "0");
  return result;
}

// The rightmost blank takes the sign, else a leading zero (or non-digit), else it goes
// in front of the trimmed text.
std::string WithSign(const std::string& result) {
  const std::vector<std::string_view> characters = Characters(result);
  for (size_t position = characters.size(); position >= 1; --position) {
    if (characters[position - 1] == " ") return ReplaceCharAt(result, position, "-");
  }
  if (NumericValue(LeftChars(result, 1)) == 0) return ReplaceCharAt(result, 1, "-");
  return "-" + Trim(result);
}

}  // namespace

std::string N2S(RunContext& run, double valeur, int16_t largeur, int16_t decimales,
                std::string_view remplissage) {
  std::string result;
  // The identification text carries the value as it stands when the statement fails.
  ErrorPattern statement(run, "Lib_Public:N2S");
  statement.TreatFirst([&](const ErrorRecord&) {
    GestionDesErreurs(run, "Lib_Public:N2S (Value: " + DefaultDoubleText(valeur) + ")");
    return true;
  });
  bool negative = false;
  std::string fill;
  int32_t multiplier = 0;
  double x = 0;
  std::string digits;
  statement(0, [&] { negative = valeur < 0; });
  statement(0, [&] {
    if (negative) valeur = std::fabs(valeur);
  });
  statement(0, [&] { fill = LeftChars(std::string(remplissage) + " ", 1); });
  statement(0, [&] { multiplier = ToLong(std::pow(10.0, decimales)); });
  statement(0, [&] {
    // The 0.005 is added whatever the number of decimals.
    x = (valeur + 0.005) * multiplier;
    if (x > kLongMax) {
      x = kLongMax;
    } else if (x < -kLongMax) {
      x = -kLongMax;
    }
  });
  statement(0, [&] { digits = ToText(ToLong(x)); });
  statement(0, [&] {
    std::string padded;
    for (size_t i = Count(largeur); i > 0; --i) padded += fill;
    result = RightChars(padded + digits, Count(largeur));
  });
  statement(0, [&] {
    if (decimales == 0) return;
    // The first character makes room for the point, so the width is kept.
    result = MidChars(result, 2, Count(ToInt16(largeur - decimales - 1))) + "." +
             RightChars(result, Count(decimales));
  });
  statement(0, [&] { result = ZerosAfterPoint(result); });
  statement(0, [&] { result = ZeroBeforePoint(result); });
  statement(0, [&] {
    if (negative) result = WithSign(result);
  });
  return result;
}

}  // namespace tx3
