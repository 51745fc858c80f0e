// The profile file cases the engine is held to: bytes before and after one write, and the
// answers read from a file of odd lines. profile_file_test.cpp checks the engine against them
// everywhere; win32/profile_reference_test.cpp checks Windows' own profile functions against
// the engine on the same cases.
#pragma once

#include <optional>
#include <string>

namespace tx3::platform::profile_cases {

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

// Expected bytes: what Windows' WritePrivateProfileStringA leaves (Wine for files built from
// nothing; lines the call does not write stay as they were).
inline const WriteCase kWriteCases[] = {
    {"NewFile", "", "Sec", "key", "value", "[Sec]\r\nkey=value\r\n"},
    {"AddedKeyAfterLastKey", "[Sec]\r\nkey=value\r\n", "Sec", "k2", "v2",
     "[Sec]\r\nkey=value\r\nk2=v2\r\n"},
    {"AddedSectionAtEnd", "[Sec]\r\nkey=value\r\n", "Other", "x", "1",
     "[Sec]\r\nkey=value\r\n[Other]\r\nx=1\r\n"},
    {"ReplacedValueCallersKeyName", "[Sec]\r\nkey=value\r\nk2=v2\r\n", "sec", "KEY", "new",
     "[Sec]\r\nKEY=new\r\nk2=v2\r\n"},
    {"BlanksAroundNamesAndLeadingBlanksOfValue", "[Sec]\r\nkey=value\r\n", " Sec ", " key ",
     "  lead trail  ", "[Sec]\r\nkey=lead trail  \r\n"},
    {"KeyGoesBeforeTrailingBlankAndComment", "[A]\r\na=1\r\n\r\n; about B\r\n[B]\r\nb=2\r\n", "A",
     "n", "3", "[A]\r\na=1\r\nn=3\r\n\r\n; about B\r\n[B]\r\nb=2\r\n"},
    {"ForeignLinesKeptByteForByte", "; top\n[A]\n  a = 1 \n\n[B]\r\nb=2\n", "B", "c", "3",
     "; top\n[A]\n  a = 1 \n\n[B]\r\nb=2\nc=3\r\n"},
    {"OnlyTheReplacedLineChanges", "; top\n[A]\n  a = 1 \n\n[B]\nb=2\n", "A", "a", "9",
     "; top\n[A]\na=9\r\n\n[B]\nb=2\n"},
    {"KeyIntoEmptySectionFollowsHeader", "[S]\n\n[T]\n", "S", "b", "2", "[S]\nb=2\r\n\n[T]\n"},
    {"MissingFinalLineBreakNewKey", "[S]\r\na=1", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n"},
    {"MissingFinalLineBreakNewSection", "[S]\r\na=1", "T", "b", "2",
     "[S]\r\na=1\r\n[T]\r\nb=2\r\n"},
    {"HeaderWithoutLineBreak", "[S]", "S", "b", "2", "[S]\r\nb=2\r\n"},
    {"DuplicateSectionFirstOneTakesTheKey", "[S]\r\na=1\r\n[S]\r\nb=2\r\n", "S", "c", "3",
     "[S]\r\na=1\r\nc=3\r\n[S]\r\nb=2\r\n"},
    {"DuplicateKeyFirstOneReplaced", "[S]\r\nd=1\r\nd=2\r\n", "S", "d", "9",
     "[S]\r\nd=9\r\nd=2\r\n"},
    {"KeyWithoutEqualsIsTheKeyWritten", "[S]\r\nnoeq\r\nnoeq=later\r\n", "S", "noeq", "set",
     "[S]\r\nnoeq=set\r\nnoeq=later\r\n"},
    {"HeaderWithoutBracketIsAKeyLine", "[S]\r\n[Bad\r\nb1=x\r\n", "Bad", "b2", "v",
     "[S]\r\n[Bad\r\nb1=x\r\n[Bad]\r\nb2=v\r\n"},
    {"AccentedSectionMatchesOtherCase", "[\xC9t\xE9]\r\nacc=1\r\n", "\xE9T\xC9", "ACC", "2",
     "[\xC9t\xE9]\r\nACC=2\r\n"},
    {"LinesBeforeTheFirstHeaderAreNotASection", "pre=1\r\n[S]\r\n", "S", "b", "2",
     "pre=1\r\n[S]\r\nb=2\r\n"},
    {"EmptyValue", "[S]\r\na=1\r\n", "S", "a", "", "[S]\r\na=\r\n"},
    {"Utf16NewKey", std::string("\xFF\xFE[\0S\0]\0\r\0\n\0a\0=\0\xE9\0\r\0\n\0", 22), "S", "b",
     "\xC3\xAA",
     std::string("\xFF\xFE[\0S\0]\0\r\0\n\0a\0=\0\xE9\0\r\0\n\0b\0=\0\xEA\0\r\0\n\0", 32)},
    // An odd final byte is not text: it stays last, whatever is written before it.
    {"Utf16OddLengthKeepsItsLastByte", std::string("\xFF\xFE[\0S\0]\0\n\0!", 11), "S", "b", "2",
     std::string("\xFF\xFE[\0S\0]\0\n\0b\0=\0\x32\0\r\0\n\0!", 21)},
    {"Utf16OnlyAnOddByte", std::string("\xFF\xFE!", 3), "S", "b", "2",
     std::string("\xFF\xFE[\0S\0]\0\r\0\n\0b\0=\0\x32\0\r\0\n\0!", 23)},
    {"KeyLineThatReadsAsAHeader", "[S]\r\n[a=1\r\n", "S", "[a", "x]", "[S]\r\n[a=x]\r\n"},
};

struct ReadCase {
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

inline const char kOdd[] =
    "[S]\r\nq1=\"quoted\"\r\nq2='single'\r\nq3=\"mixed'\r\nq4=\"\r\nq5=  \t spaced \t \r\n"
    "noeq\r\nnoeq=later\r\ndup=first\r\ndup=second\r\n;c=1\r\nnb=\xA0x\xA0\r\n \t k\t = v\r\n"
    "empty=\r\nq6=\"\"\r\n[S]\r\nk9=in second\r\n[Bad\r\nb1=afterbad\r\n[ Sp ]\r\nsp=1\r\n"
    "[\xC9t\xE9]\r\nacc=1\r\n[\x8A\x8C\x9F]\r\nz=1\r\n[T] junk\r\nt=1\r\n[a]b]\r\nab=1\r\n"
    "lf=only\n";

// Answers checked against GetPrivateProfileStringA under Wine.
inline const ReadCase kReadCases[] = {
    {"S", "q1", "quoted"},
    {"S", "q2", "single"},
    {"S", "q3", "\"mixed'"},
    {"S", "q4", "\""},
    {"S", "q5", "spaced"},
    {"S", "noeq", std::nullopt},  // the first "noeq" has no "="
    {"S", "dup", "first"},
    {"S", ";c", "1"},
    {"S", "nb", "\xA0x\xA0"},  // the non-breaking space is not a blank
    {"S", "K", "v"},
    {"S", "empty", ""},
    {"S", "q6", ""},
    {"S", "k9", std::nullopt},  // only the first [S] counts
    {"Bad", "b1", std::nullopt},
    {"S", "b1", std::nullopt},  // belongs to the second [S]
    {"Sp", "sp", "1"},
    {" sp ", "SP", "1"},
    {"\xE9T\xC9", "ACC", "1"},
    {"\x9A\x9C\xFF", "z", "1"},
    {"T", "t", "1"},
    {"a]b", "ab", "1"},
    {"a", "ab", std::nullopt},
    {"a]b", "lf", "only"},
    {"Missing", "q1", std::nullopt},
};

}  // namespace tx3::platform::profile_cases
