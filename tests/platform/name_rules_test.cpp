#include "platform/name_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace tx3::platform {
namespace {

struct NameCase {
  std::string name;
  bool wildcards;
  bool refused;
};

class NameRulesTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameRulesTest, RefusesWhatWindowsRefuses) {
  const NameCase& c = GetParam();
  EXPECT_EQ(IsRefusedComponent(c.name, c.wildcards), c.refused) << "'" << c.name << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Table, NameRulesTest,
    ::testing::Values(
        NameCase{"Brennic", false, false}, NameCase{"Données été", false, false},
        NameCase{"a.b.c", false, false}, NameCase{".hidden", false, false},
        NameCase{"a<b", false, true}, NameCase{"a>b", false, true}, NameCase{"a:b", false, true},
        NameCase{"a\"b", false, true}, NameCase{"a|b", false, true}, NameCase{"a*b", false, true},
        NameCase{"a?b", false, true}, NameCase{"a*b", true, false}, NameCase{"a?b", true, false},
        NameCase{"a|b", true, true},
        NameCase{std::string("a\x01"
                             "b"),
                 false, true},
        NameCase{"tab\tname", false, true}, NameCase{std::string("nul\0in", 6), false, true},
        NameCase{"CON", false, true}, NameCase{"con", false, true}, NameCase{"Prn", false, true},
        NameCase{"AUX", false, true}, NameCase{"NUL", false, true},
        NameCase{"CON.txt", false, true}, NameCase{"nul.tar.gz", false, true},
        NameCase{"COM1", false, true}, NameCase{"com9.log", false, true},
        NameCase{"LPT1", false, true}, NameCase{"lpt9", false, true},
        NameCase{"COM0", false, false}, NameCase{"COM10", false, false},
        NameCase{"CONSOLE", false, false}, NameCase{"ACON", false, false},
        NameCase{"name.", false, true}, NameCase{"name ", false, true}, NameCase{"*.", true, false},
        NameCase{"x.", true, true}, NameCase{"FRAD00?.", true, false},
        NameCase{" lead", false, false}));

}  // namespace
}  // namespace tx3::platform
