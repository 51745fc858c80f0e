#include "app/batch/answer_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/frm_main.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3::testing {
namespace {

// One line per field or action: "Station2 [ a ]", "Engine -1", "Package3 off", "step 1".
std::string Summary(const AnswerFile& a) {
  constexpr const char* kActions[] = {"step", "create-folder", "create-database"};
  std::ostringstream s;
  for (const FieldOption& f : a.fields) {
    s << f.field->Key(f.index);
    switch (f.field->kind) {
      case FieldKind::ListRow:
        s << ' ' << f.value.row << '\n';
        break;
      case FieldKind::CheckMark:
        s << (f.value.on ? " on\n" : " off\n");
        break;
      default:
        s << " [" << f.value.text << "]\n";
    }
  }
  for (const BatchAction& x : a.actions) {
    s << kActions[static_cast<int>(x.kind)] << ' ' << x.number << '\n';
  }
  return s.str();
}

class AnswerFileTest : public ::testing::Test {
 protected:
  FakePlatform os;
  UsePlatform guard{os};
};

struct Accepted {
  const char* text;
  const char* summary;
};

TEST_F(AnswerFileTest, AcceptedForms) {
  const Accepted cases[] = {
      {"; poste\r\n\r\n# Nord\r\n[Fields]\r\nRadio=Radio Tarvox\r\nStation1=Tarvox "
       "FM\r\nFolder0=C:\\Brennic\\Tarvox\\\r\n"
       "Engine=0\r\nConverter=-1\r\nPackage0=on\r\nPackage17=off\r\nUpdateHost=maj.example.org\r\n",
       "Radio [Radio Tarvox]\nStation1 [Tarvox FM]\nFolder0 [C:\\Brennic\\Tarvox\\]\n"
       "Engine 0\nConverter -1\nPackage0 on\nPackage17 off\nUpdateHost [maj.example.org]\n"},
      // Names in any case, blanks around names and values, LF alone.
      {"  [ fields ]\n\tRADIO = Sud  \nstation5 =\npackage2=OFF\nPACKAGE3 = On\nconverter= 2\n",
       "Radio [Sud]\nStation5 []\nPackage2 off\nPackage3 on\nConverter 2\n"},
      // Quotes keep blanks; ";", "#" and "=" belong to the value.
      {"[Fields]\nStation2=\" a \"\nStation3=\"\"\"x\"\"\"\nRadio=Radio ; FM # 1 = top\n",
       "Station2 [ a ]\nStation3 [\"\"x\"\"]\nRadio [Radio ; FM # 1 = top]\n"},
      // A byte-order mark, then UTF-8; bytes that are not UTF-8 are ANSI.
      {"\xEF\xBB\xBF[Fields]\nRadio=Radio \xC3\x89t\xC3\xA9\n", "Radio [Radio Été]\n"},
      {"[Fields]\nRadio=Radio \xC9t\xE9\n", "Radio [Radio Été]\n"},
      {"[Actions]\n1=step 1\n2 = STEP   7\n3=create-folder 0\n4=Create-Database\n[Fields]\n"
       "UpdateHost=mirror.radio.example:8443\n",
       "UpdateHost [mirror.radio.example:8443]\nstep 1\nstep 7\ncreate-folder 0\n"
       "create-database 0\n"},
  };
  for (const Accepted& c : cases) {
    const ParsedAnswerFile p = ParseAnswerFile("a.ini", c.text);
    ASSERT_TRUE(p.ok) << c.text << '\n' << p.error;
    EXPECT_EQ(Summary(p.answers), c.summary) << c.text;
  }
}

struct Refused {
  std::string text;
  std::string error;  // after "answers.ini:"
};

TEST_F(AnswerFileTest, RefusalsNameTheFileTheLineAndTheKey) {
  const Refused cases[] = {
      {"Radio=x", "1: Radio: key outside a section ([Fields] or [Actions])"},
      {"[Fields]\n[Divers]", "2: [Divers]: unknown section (Fields or Actions)"},
      {"[Fields", "1: [Fields: expected [SECTION]"},
      {"[Fields]\r\n[fields]", "2: [fields]: given twice (first on line 1)"},
      {"[Fields]\r\n; c\r\nRadio", "3: Radio: expected KEY=VALUE"},
      {"[Fields]\n = x", "2: = x: no key before \"=\""},
      {"[Fields]\nColour=red", "2: Colour: unknown key in [Fields]"},
      {"[Fields]\nStation01=x", "2: Station01: unknown key in [Fields]"},
      {"[Fields]\nStation6=x", "2: Station6: no station 6 (1 to 5)"},
      {"[Fields]\nFolder8=D:\\", "2: Folder8: no folder row 8 (0 to 7)"},
      {"[Fields]\nPackage18=on", "2: Package18: no component row 18 (0 to 17)"},
      {"[Fields]\nRadio=a\n\nRADIO=b", "4: RADIO: given twice (first on line 2)"},
      {"[Fields]\nEngine=abc", "2: Engine: \"abc\" is not a number from -1 to 4"},
      {"[Fields]\nEngine=", "2: Engine: \"\" is not a number from -1 to 4"},
      {"[Fields]\nConverter=-2", "2: Converter: \"-2\" is not a number from -1 to 2"},
      {"[Fields]\nPackage3=yes", "2: Package3: expected on or off, got \"yes\""},
      {"[Fields]\nUpdateHost=", "2: UpdateHost: \"\" is not a host name"},
      {"[Fields]\nUpdateHost=u@h", "2: UpdateHost: \"u@h\" is not a host name"},
      {"[Fields]\nRadio=a\x01z", "2: Radio: control character in the line"},
      {"[Actions]\n2=step 1",
       "2: 2: expected action 1 (actions are numbered 1, 2, 3 ... in order)"},
      {"[Actions]\n1=step 1\n1=step 2", "3: 1: given twice (first on line 2)"},
      {"[Actions]\nx=step 1", "2: x: expected an action number (1, 2, 3 ...)"},
      {"[Actions]\n1=step 8", "2: 1: no step 8 (1 to 7)"},
      {"[Actions]\n1=create-folder 8", "2: 1: no folder row 8 (0 to 7)"},
      {"[Actions]\n1=create-database now",
       "2: 1: unknown action \"create-database now\" (step N, create-folder N or "
       "create-database)"},
      {"[Fields]\nRadio\x01", "2: Radio?: control character in the line"},
      {"[Fields]\n" + std::string(50, 'k'),
       "2: " + std::string(40, 'k') + "...: expected KEY=VALUE"},
  };
  for (const Refused& c : cases) {
    const ParsedAnswerFile p = ParseAnswerFile("answers.ini", c.text);
    EXPECT_FALSE(p.ok) << c.text;
    EXPECT_EQ(p.error, "answers.ini:" + c.error) << c.text;
    EXPECT_TRUE(p.answers.fields.empty() && p.answers.actions.empty());
  }
}

TEST_F(AnswerFileTest, SavedTextListsEveryFieldThenTheActions) {
  FrmMain w;
  w.Create();
  w.SetTexteNomStation(1, " Deux ");
  w.SetListeTXChecked(4, false);
  w.SetComboPervasiveSelection(-1);
  EXPECT_EQ(SaveAnswerFile("C:\\a.ini", w,
                           {{BatchAction::Kind::Step, 3}, {BatchAction::Kind::CreateDatabase, 0}}),
            std::nullopt);
  std::string expected =
      "; TX3_Setup answers\r\n[Fields]\r\nRadio=Nom de votre Radio\r\n"
      "Station1=Nom de la Station 1\r\nStation2=\" Deux \"\r\nStation3=\r\nStation4=\r\n"
      "Station5=\r\nFolder0=C:\\Brennic\\Tarvox\\\r\nFolder1=C:\\Brennic\\Tarvox\\Config\\\r\n"
      "Folder2=C:\\Kalvet\\\r\nFolder3=C:\\Kalvet\\Pub\\\r\nFolder4=C:\\TX_"
      "Sons\\Sons\\Musique\\\r\n"
      "Folder5=C:\\TX_Data\\Sons\\Autre\\\r\nFolder6=C:\\TX_Data\\Data\\\r\n"
      "Folder7=C:\\TX_Redist\\\r\n"
      "; Not stored by an installation: saved as the window showed them\r\n"
      "Engine=-1\r\nConverter=0\r\n";
  for (int r = 0; r < kPackageRowCount; ++r) {
    expected += "Package" + std::to_string(r) + (r == 4 ? "=off\r\n" : "=on\r\n");
  }
  expected +=
      "UpdateHost=" TX3_UPDATE_HOST "\r\n\r\n[Actions]\r\n1=step 3\r\n2=create-database\r\n";
  EXPECT_EQ(os.namedFiles["C:\\a.ini"], expected);
}

}  // namespace
}  // namespace tx3::testing
