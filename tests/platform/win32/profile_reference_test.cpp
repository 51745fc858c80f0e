// The INI engine held against the system's own GetPrivateProfileStringA /
// WritePrivateProfileStringA, call for call: the same calls must give the same bytes and the same
// answers, on files built from nothing, on every write and read case of profile_cases.h, on a
// hand-edited file and on the reference files of tests/settings/data.
//
// Where Wine is known to differ from Windows the case runs on Windows only and says so on Wine:
// Wine rewrites a whole file from what it parsed (Windows changes only the line it writes), keeps
// the stored key name where Windows and the engine write the caller's, folds only ASCII letters in
// names, and reads a UTF-8 byte-order mark (Windows 10 reads its three bytes as ANSI text).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/profile_cases.h"
#include "platform/win32/temp_folder.h"
#include "platform/win32/win32_platform.h"
#include "support/test_files.h"

namespace tx3::platform::profile_cases {
// The cases by name in the test output, not as bytes.
void PrintTo(const WriteCase& c, std::ostream* out) {
  *out << c.name;
}
void PrintTo(const ReadCase& c, std::ostream* out) {
  *out << "[" << c.section << "] " << c.key;
}
}  // namespace tx3::platform::profile_cases

namespace tx3::platform::win32 {
namespace {

struct Call {
  std::string section;
  std::string key;
  std::string value;
};

struct Sequence {
  const char* name;
  std::vector<Call> calls;
  std::string before;  // the file's bytes before the first call (ANSI)
};

// The cases Wine answers otherwise than Windows, and why: run on Windows only.
constexpr const char* kWineRewrites = "Wine rewrites the whole file from what it parsed";
constexpr const char* kWineFoldsAscii = "Wine folds only ASCII letters in names";
const std::map<std::string, const char*> kWineDiffers = {
    {"HandEdited", kWineRewrites},
    {"KeyGoesBeforeTrailingBlankAndComment", kWineRewrites},
    {"ForeignLinesKeptByteForByte", kWineRewrites},
    {"OnlyTheReplacedLineChanges", kWineRewrites},
    {"KeyIntoEmptySectionFollowsHeader", kWineRewrites},
    {"ReplacedValueCallersKeyName", "Wine keeps the stored key name, Windows writes the caller's"},
    {"AccentedSectionMatchesOtherCase", kWineFoldsAscii},
    {"Utf16OddLengthKeepsItsLastByte", "Wine reads an odd final byte of UTF-16 as a character"},
    {"Utf16OnlyAnOddByte", "Wine reads an odd final byte of UTF-16 as a character"},
    {"Utf8ByteOrderMark", "Wine reads a UTF-8 byte-order mark, Windows 10 reads ANSI text"},
    {"AccentedNames", kWineFoldsAscii},
};

// Skips the current test on Wine where Wine is known to differ from Windows on `name`.
#define TX3_SKIP_WHERE_WINE_DIFFERS(name)                                         \
  if (const auto differs = kWineDiffers.find(name);                               \
      differs != kWineDiffers.end() && tx3::testing::RunsOnWine())                \
  GTEST_SKIP() << "checked on Windows only (Wine " << tx3::testing::WineVersion() \
               << "): " << differs->second

// A file edited by hand: comments, blank lines, LF line ends, blanks around a name, a line
// without "=", a long value (the settings tests' hand-edited BR_Pub.ini).
const std::string kHandEdited =
    "; r\xE9glages faits \xE0 la main\n\n[Pub_Voix]\nVoix_02 = Claire  \nligne sans \xE9gal\n"
    "[Outils]\nLong=" +
    std::string(300, 'v') + "\n";

const std::string kLong(5000, 'x');

const Sequence kSequences[] = {
    {"SectionsAndRepeatedKeys",
     {{"Radio", "Nom", "Radio Test"},
      {"Stations", "1", "Alpha"},
      {"Stations", "2", "Beta"},
      {"Radio", "Ville", "Paris"},
      {"Stations", "1", "Gamma"},
      {"radio", "Nom", "Autre"},
      {"RADIO", "Ville", "Paris"},
      {"Dossiers", "Sons", "D:\\Sons\\Musique\\"}},
     ""},
    {"Accents",
     {{"Param\xC3\xA8tres", "Dossier",
       "C:\\Brennic\\Tarvox\\Donn\xC3\xA9"
       "es"},
      {"Param\xC3\xA8tres", "Cl\xC3\xA9", "\xC3\x89v\xC3\xA8nement \xE2\x82\xAC"},
      {"Param\xC3\xA8tres", "Cl\xC3\xA9", "Chang\xC3\xA9"},
      {"Stations", "Nom",
       "Fran\xC3\xA7"
       "ais"}},
     ""},
    {"LongValueWrittenTwice",
     {{"Long", "Texte", kLong}, {"Long", "Autre", "court"}, {"Long", "Texte", kLong}},
     ""},
    {"QuotesAndBlanks",
     {{"Q", "Cite", "\"entre guillemets\""}, {"Q", "Blancs", "  devant"}, {"Q", "Vide", ""}},
     ""},
    {"HandEdited",
     {{"Pub_Voix", "Voix_01", "Voix 01"},
      {"Pub_Voix", "Voix_02", "Voix 02"},
      {"Pub_Voix", "Voix_30", "Voix 30"},
      {"Outils", "Long", "court"},
      {"Nouvelle", "Cl\xC3\xA9", "\xC3\xA9t\xC3\xA9"}},
     kHandEdited},
    {"Utf8ByteOrderMark",
     {{"S", "k", "2"}, {"T", "k", "3"}},
     "\xEF\xBB\xBF[S]\r\nk=1\r\n[T]\r\nk=1\r\n"},
};

class ProfileReference : public ::testing::TestWithParam<Sequence> {};

std::string SystemRead(const std::string& section, const std::string& key,
                       const std::string& file) {
  std::vector<char> buffer(16384);
  const DWORD length =
      ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "dflt", buffer.data(),
                                 static_cast<DWORD>(buffer.size()), file.c_str());
  return std::string(buffer.data(), length);
}

TEST_P(ProfileReference, SameBytesAndAnswersAsTheSystem) {
  TX3_SKIP_WHERE_WINE_DIFFERS(GetParam().name);
  const TempFolder folder;
  Win32Platform os;
  // The A functions take ANSI paths: the folder of %TEMP% is plain ASCII here.
  const std::string reference = folder.path() + "\\reference.ini";
  const std::string ours = folder.path() + "\\ours.ini";
  if (!GetParam().before.empty()) {
    ASSERT_TRUE(
        MakeFile(reference, static_cast<int64_t>(GetParam().before.size()), GetParam().before));
    ASSERT_TRUE(MakeFile(ours, static_cast<int64_t>(GetParam().before.size()), GetParam().before));
  }
  for (const Call& call : GetParam().calls) {
    ASSERT_TRUE(::WritePrivateProfileStringA(os.Utf8ToAnsi(call.section).c_str(),
                                             os.Utf8ToAnsi(call.key).c_str(),
                                             os.Utf8ToAnsi(call.value).c_str(), reference.c_str()));
    ASSERT_TRUE(os.WriteProfileEntry(call.section, call.key, call.value, ours));
    EXPECT_EQ(FileBytes(ours), FileBytes(reference))
        << "after [" << call.section << "] " << call.key;
  }
  for (const Call& call : GetParam().calls) {
    std::string value;
    os.ReadProfileString(call.section, call.key, "dflt", &value, ours);
    EXPECT_EQ(value, os.AnsiToUtf8(SystemRead(os.Utf8ToAnsi(call.section), os.Utf8ToAnsi(call.key),
                                              reference)))
        << "[" << call.section << "] " << call.key;
  }
}

INSTANTIATE_TEST_SUITE_P(Sequences, ProfileReference, ::testing::ValuesIn(kSequences),
                         [](const ::testing::TestParamInfo<Sequence>& info) {
                           return std::string(info.param.name);
                         });

// One write into an existing file (profile_cases.h): the engine leaves the bytes the system
// leaves. The texts are the file's: ANSI bytes, or UTF-8 for a UTF-16 file.
class ProfileReferenceWrite : public ::testing::TestWithParam<profile_cases::WriteCase> {};

TEST_P(ProfileReferenceWrite, SameBytesAsTheSystem) {
  const profile_cases::WriteCase& c = GetParam();
  TX3_SKIP_WHERE_WINE_DIFFERS(c.name);
  const TempFolder folder;
  Win32Platform os;
  const std::string reference = folder.path() + "\\reference.ini";
  const std::string ours = folder.path() + "\\ours.ini";
  const auto size = static_cast<int64_t>(c.before.size());
  ASSERT_TRUE(MakeFile(reference, size, c.before));
  ASSERT_TRUE(MakeFile(ours, size, c.before));
  const bool utf16 = c.before.starts_with("\xFF\xFE");
  if (utf16) {
    ASSERT_TRUE(::WritePrivateProfileStringW(Widen(c.section).c_str(), Widen(c.key).c_str(),
                                             Widen(c.value).c_str(), Widen(reference).c_str()));
    ASSERT_TRUE(os.WriteProfileEntry(c.section, c.key, c.value, ours));
  } else {
    ASSERT_TRUE(::WritePrivateProfileStringA(c.section, c.key, c.value, reference.c_str()));
    ASSERT_TRUE(os.WriteProfileEntry(os.AnsiToUtf8(c.section), os.AnsiToUtf8(c.key),
                                     os.AnsiToUtf8(c.value), ours));
  }
  EXPECT_EQ(FileBytes(ours), FileBytes(reference));
}

// Which write cases Wine answers as Windows does is only known by running them: every case runs,
// and those where Wine differs are listed in kWineDiffers.
INSTANTIATE_TEST_SUITE_P(Cases, ProfileReferenceWrite,
                         ::testing::ValuesIn(profile_cases::kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The answers read from the file of odd lines (profile_cases.h).
class ProfileReferenceRead : public ::testing::TestWithParam<profile_cases::ReadCase> {};

TEST_P(ProfileReferenceRead, SameAnswerAsTheSystem) {
  const profile_cases::ReadCase& c = GetParam();
  const std::string names = std::string(c.section) + c.key;
  TX3_SKIP_WHERE_WINE_DIFFERS(
      std::any_of(names.begin(), names.end(), [](char b) { return (b & 0x80) != 0; })
          ? "AccentedNames"
          : "");
  const TempFolder folder;
  Win32Platform os;
  const std::string file = folder.path() + "\\odd.ini";
  const std::string odd(profile_cases::kOdd, sizeof profile_cases::kOdd - 1);
  ASSERT_TRUE(MakeFile(file, static_cast<int64_t>(odd.size()), odd));
  std::string value;
  os.ReadProfileString(os.AnsiToUtf8(c.section), os.AnsiToUtf8(c.key), "dflt", &value, file);
  EXPECT_EQ(value, os.AnsiToUtf8(SystemRead(c.section, c.key, file)))
      << "[" << c.section << "] " << c.key;
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileReferenceRead,
                         ::testing::ValuesIn(profile_cases::kReadCases));

// Every key of the reference settings files, as the system lists and reads them.
class ProfileReferenceFile : public ::testing::TestWithParam<const char*> {};

// A list of names separated by NULs, as GetPrivateProfileStringA gives it.
std::vector<std::string> Names(const std::vector<char>& buffer, DWORD length) {
  std::vector<std::string> names;
  for (size_t at = 0; at < length && buffer[at] != '\0';) {
    names.emplace_back(&buffer[at]);
    at += names.back().size() + 1;
  }
  return names;
}

TEST_P(ProfileReferenceFile, EveryKeyReadsAsTheSystemReadsIt) {
  const std::string path = testing::TestDataFile(std::string("settings/data/") + GetParam());
  const std::string bytes = FileBytes(path);
  ASSERT_FALSE(bytes.empty()) << path;
  const TempFolder folder;
  Win32Platform os;
  const std::string file = folder.path() + "\\reference.ini";
  ASSERT_TRUE(MakeFile(file, static_cast<int64_t>(bytes.size()), bytes));
  std::vector<char> buffer(1 << 20);
  const auto size = static_cast<DWORD>(buffer.size());
  const std::vector<std::string> sections = Names(
      buffer, ::GetPrivateProfileStringA(nullptr, nullptr, "", buffer.data(), size, file.c_str()));
  ASSERT_FALSE(sections.empty());
  int keys = 0;
  for (const std::string& section : sections) {
    for (const std::string& key :
         Names(buffer, ::GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), size,
                                                  file.c_str()))) {
      std::string value;
      os.ReadProfileString(os.AnsiToUtf8(section), os.AnsiToUtf8(key), "dflt", &value, file);
      EXPECT_EQ(value, os.AnsiToUtf8(SystemRead(section, key, file)))
          << GetParam() << " [" << section << "] " << key;
      ++keys;
    }
  }
  EXPECT_GT(keys, 0);
}

INSTANTIATE_TEST_SUITE_P(SettingsData, ProfileReferenceFile,
                         ::testing::Values("BR_Mus.ini", "BR_Pub.ini", "Br_Sys.ini",
                                           "TX3_Config.ini", "TX3_Systeme.ini", "Win.ini"),
                         [](const auto& info) {
                           std::string name = info.param;
                           name.erase(name.find('.'));
                           std::erase(name, '_');
                           return name;
                         });

}  // namespace
}  // namespace tx3::platform::win32
