#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class DirQueryTest : public TempDrivesTest {
 protected:
  void SetUp() override {
    TempDrivesTest::SetUp();
    MakeHostFolder("c:/Brennic");
    MakeHostFolder("c:/Brennic/Datas");
    MakeHostFile("c:/Brennic/Datas/FRAD001.bt6");
    MakeHostFile("c:/Brennic/Datas/frad000.BT6");
    MakeHostFile("c:/Brennic/Datas/Readme");
    MakeHostFolder("c:/Brennic/Datas/Archive");
    MakeHostFolder("c:/Empty");
  }

  // The first name, or "#<error>" when the query fails.
  std::string First(const std::string& pattern, bool includeDirectories) {
    std::string name = "unchanged";
    const int32_t error = os_->FindFirst(pattern, includeDirectories, &name);
    return error ? "#" + std::to_string(error) : name;
  }
};

struct QueryCase {
  const char* pattern;
  bool includeDirectories;
  const char* first;
};

TEST_F(DirQueryTest, AnswersAsWindowsLists) {
  for (const QueryCase& c : {
           QueryCase{"C:\\Brennic\\Datas\\FRAD000.bt6", false, "frad000.BT6"},
           QueryCase{"c:/brennic/datas/frad001.BT6", false, "FRAD001.bt6"},
           QueryCase{"C:\\Brennic\\Datas\\*.bt6", false, "frad000.BT6"},
           QueryCase{"C:\\Brennic\\Datas\\FRAD00?.bt6", false, "frad000.BT6"},
           QueryCase{"C:\\Brennic\\Datas\\*", false, "frad000.BT6"},
           QueryCase{"C:\\Brennic\\Datas\\*", true, "."},
           QueryCase{"C:\\Brennic\\Datas\\*.*", false, "frad000.BT6"},
           QueryCase{"C:\\Brennic\\Datas\\*.", false, "Readme"},
           QueryCase{"C:\\Brennic\\Datas\\Arch*", true, "Archive"},
           QueryCase{"C:\\Brennic\\Datas\\Arch*", false, ""},
           QueryCase{"C:\\Brennic\\Datas\\", true, "."},
           QueryCase{"C:\\BRENNIC\\", true, "."},
           QueryCase{"C:\\Brennic\\Datas", true, "Datas"},
           QueryCase{"C:\\brennic\\datas", true, "Datas"},
           QueryCase{"C:\\Brennic\\Datas", false, ""},
           QueryCase{"C:\\Empty\\", true, "."},
           QueryCase{"C:\\Empty\\*", false, ""},
           QueryCase{"C:\\", true, "."},
           QueryCase{"C:\\Missing\\", true, ""},
           QueryCase{"C:\\Missing\\*.bt6", false, ""},
           QueryCase{"C:\\Brennic\\Datas\\FRAD009.bt6", false, ""},
           QueryCase{"Q:\\Brennic\\", true, ""},
           QueryCase{"C:\\Bren*\\Datas\\", true, "#52"},
           QueryCase{"C:\\Brennic\\a|b", false, "#52"},
           QueryCase{"C:\\Brennic\\CON", false, "#52"},
       }) {
    EXPECT_EQ(First(c.pattern, c.includeDirectories), c.first)
        << c.pattern << (c.includeDirectories ? " (folders)" : "");
  }
}

TEST_F(DirQueryTest, ClearsTheNameWhenNothingMatches) {
  std::string name = "previous";
  EXPECT_EQ(os_->FindFirst("C:\\Missing\\x", true, &name), 0);
  EXPECT_EQ(name, "");
}

TEST_F(DirQueryTest, ListsANetworkShareAsAFolder) {
  MakeHostFolder("unc");
  MakeHostFolder("unc/SRV");
  MakeHostFolder("unc/SRV/Share");
  EXPECT_EQ(First("\\\\SRV\\Share\\", true), ".");
  EXPECT_EQ(First("\\\\srv\\share", true), ".");
  EXPECT_EQ(First("\\\\SRV\\Other\\", true), "");
}

TEST_F(DirQueryTest, SurvivesAVeryLongPattern) {
  std::string pattern = "C:";
  while (pattern.size() < 10000) pattern += "\\Brennic";
  EXPECT_EQ(First(pattern + "\\", true), "");
  EXPECT_EQ(First("C:\\Brennic\\" + std::string(10000, 'x'), true), "");
}

}  // namespace
}  // namespace tx3::platform::posix
