// The folder fields' texts when the window opens, before the read-back of an earlier
// installation replaces them.
#pragma once

#include <string_view>

#include "settings/settings_window.h"

namespace tx3 {

inline constexpr std::string_view kDefaultFolders[kFolderCount] = {
    "C:\\Brennic\\Tarvox\\",
    "C:\\Brennic\\Tarvox\\Config\\",
    "C:\\Kalvet\\",
    "C:\\Kalvet\\Pub\\",
    "C:\\TX_Sons\\Sons\\Musique\\",
    "C:\\TX_Data\\Sons\\Autre\\",
    "C:\\TX_Data\\Data\\",
    "C:\\TX_Redist\\",
};

}  // namespace tx3
