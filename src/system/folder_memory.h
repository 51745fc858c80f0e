// The per-run memory of folders already looked at: a set of folders compared as Windows
// compares paths (case-insensitive, "/" as "\", with or without the final backslash).
#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include "common/text.h"

namespace tx3 {

class FolderSet {
 public:
  void Add(std::string_view folder) { folders_.insert(Key(folder)); }
  bool Contains(std::string_view folder) const { return folders_.contains(Key(folder)); }
  bool empty() const { return folders_.empty(); }
  size_t size() const { return folders_.size(); }

 private:
  // The normalised form a folder is remembered by.
  static std::u32string Key(std::string_view folder) {
    std::u32string key = FoldedText(folder);
    std::ranges::replace(key, U'/', U'\\');
    if (!key.empty() && key.back() != U'\\') key += U'\\';
    return key;
  }

  std::set<std::u32string> folders_;
};

}  // namespace tx3
