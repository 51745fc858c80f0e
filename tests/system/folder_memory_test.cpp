// The folder memory compares folders as Windows compares paths.
#include <gtest/gtest.h>

#include "system/folder_memory.h"

namespace tx3 {
namespace {

TEST(FolderSetTest, SameFolderWhateverTheCaseSeparatorOrFinalBackslash) {
  struct Case {
    const char* remembered;
    const char* asked;
    bool same;
  };
  const Case cases[] = {
      {"C:\\TX_Data\\Data\\", "c:\\tx_data\\DATA\\", true},
      {"C:\\TX_Data\\Data\\", "C:/TX_Data/Data", true},
      {"C:\\Musique\\Été\\", "C:\\MUSIQUE\\ÉTÉ", true},
      {"C:\\A\\B\\", "C:\\A\\", false},  // a parent is not the folder
      {"C:\\AB\\", "C:\\A\\", false},    // nor a name that starts the same
      {"C:\\A\\", "C:\\A\\B\\", false},
  };
  for (const Case& c : cases) {
    FolderSet set;
    set.Add(c.remembered);
    EXPECT_EQ(set.Contains(c.asked), c.same) << c.remembered << " / " << c.asked;
  }
}

}  // namespace
}  // namespace tx3
