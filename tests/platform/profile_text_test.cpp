#include "platform/profile_text.h"

#include <gtest/gtest.h>

namespace tx3::platform {
namespace {

TEST(ProfileAnsi, AccentsAreSingleBytes) {
  EXPECT_EQ(Windows1252ProfileCodec().Utf8ToAnsi("P\xC3\xAA"
                                                 "che"),
            "P\xEA"
            "che");
  EXPECT_EQ(Windows1252ProfileCodec().Utf8ToAnsi("Strat\xC3\xA9gie 01"), "Strat\xE9gie 01");
  EXPECT_EQ(Windows1252ProfileCodec().Utf8ToAnsi("\xE2\x82\xAC \xC5\x93"),
            "\x80 \x9C");  // euro, oe
}

TEST(ProfileAnsi, WhatTheCodePageLacksBecomesQuestionMark) {
  EXPECT_EQ(Windows1252ProfileCodec().Utf8ToAnsi("\xC4\x80"), "?");            // A with macron
  EXPECT_EQ(Windows1252ProfileCodec().Utf8ToAnsi("\xF0\x9F\x98\x80x"), "?x");  // emoji
  EXPECT_EQ(Windows1252ProfileCodec().Utf8ToAnsi("\xC3"), "?");                // cut sequence
  EXPECT_EQ(Windows1252ProfileCodec().Utf8ToAnsi("\xED\xA0\x80"), "?");        // a lone surrogate
}

TEST(ProfileAnsi, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Windows1252ProfileCodec().Utf8ToAnsi(Windows1252ProfileCodec().AnsiToUtf8(all)), all);
  EXPECT_EQ(Windows1252ProfileCodec().AnsiToUtf8("\x80\x81\x9F"), "\xE2\x82\xAC\xC2\x81\xC5\xB8");
}

TEST(ProfileAnsi, Utf16RoundTripsEvenBrokenPairs) {
  const std::string units("a\0\x3D\xD8\x00\xDE\x00\xDC\x00\xD8", 10);  // pair, lone low, lone high
  const std::string text = Utf16LeToWtf8(units);
  EXPECT_EQ(text.substr(0, 5), "a\xF0\x9F\x98\x80");
  std::string back;
  AppendWtf8AsUtf16Le(text, &back);
  EXPECT_EQ(back, units);
}

TEST(ProfileAnsi, NamesFoldWindows1252Letters) {
  EXPECT_EQ(FoldAnsiName("\xC9t\xE9 \x8A\x8C\x8E\x9F AZ\xD7\xDF"),
            "\xE9t\xE9 \x9A\x9C\x9E\xFF az\xD7\xDF");
  EXPECT_EQ(FoldWtf8Name("\xC3\x89T\xC5\xB8"), "\xC3\xA9t\xC3\xBF");
}

}  // namespace
}  // namespace tx3::platform
