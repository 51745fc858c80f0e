// The INI engine held against the system's own GetPrivateProfileStringA /
// WritePrivateProfileStringA, call for call, on files built from nothing: the same calls must
// give the same bytes and the same answers. (Wine rewrites a whole file from what it parsed, so
// only files the tool builds itself are compared.) A rewrite keeps the spelling of the names it
// was first given: Wine keeps the stored key name where the engine writes the caller's, and Wine
// folds only ASCII letters in names where Windows and the engine fold accented ones too.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/temp_folder.h"
#include "platform/win32/win32_platform.h"

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
};

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
      {"Dossiers", "Sons", "D:\\Sons\\Musique\\"}}},
    {"Accents",
     {{"Param\xC3\xA8tres", "Dossier",
       "C:\\Brennic\\Tarvox\\Donn\xC3\xA9"
       "es"},
      {"Param\xC3\xA8tres", "Cl\xC3\xA9", "\xC3\x89v\xC3\xA8nement \xE2\x82\xAC"},
      {"Param\xC3\xA8tres", "Cl\xC3\xA9", "Chang\xC3\xA9"},
      {"Stations", "Nom",
       "Fran\xC3\xA7"
       "ais"}}},
    {"LongValueWrittenTwice",
     {{"Long", "Texte", kLong}, {"Long", "Autre", "court"}, {"Long", "Texte", kLong}}},
    {"QuotesAndBlanks",
     {{"Q", "Cite", "\"entre guillemets\""}, {"Q", "Blancs", "  devant"}, {"Q", "Vide", ""}}},
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
  const TempFolder folder;
  Win32Platform os;
  // The A functions take ANSI paths: the folder of %TEMP% is plain ASCII here.
  const std::string reference = folder.path() + "\\reference.ini";
  const std::string ours = folder.path() + "\\ours.ini";
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

}  // namespace
}  // namespace tx3::platform::win32
