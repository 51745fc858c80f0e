// Which file names Windows refuses, so that a folder prepared here is valid there too.
#pragma once

#include <string_view>

namespace tx3::platform {

// True when Windows refuses `component` as a file or folder name: one of <>:"|?* or a control
// character inside it, a device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also with an
// extension), or a name ending with a dot or a blank. With `wildcards`, "*" and "?" are allowed
// (the last component of a directory query), and so is a trailing dot after a wildcard ("*.").
bool IsRefusedComponent(std::string_view component, bool wildcards = false);

}  // namespace tx3::platform
