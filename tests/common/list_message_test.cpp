#include "common/list_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tx3 {
namespace {

TEST(ListMessageTest, TitleBlankLineThenOneLinePerItem) {
  struct Case {
    std::vector<std::string> items;
    const char* expected;
  };
  const Case cases[] = {
      {{}, "Dossiers non créés:\r\n\r\n"},
      {{"C:\\Data\\"}, "Dossiers non créés:\r\n\r\nC:\\Data\\"},
      {{"C:\\Data\\", "D:\\Sons\\", ""}, "Dossiers non créés:\r\n\r\nC:\\Data\\\r\nD:\\Sons\\\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ListMessage("Dossiers non créés:", c.items), c.expected) << c.items.size();
  }
}

}  // namespace
}  // namespace tx3
