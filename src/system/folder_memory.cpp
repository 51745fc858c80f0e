#include "system/folder_memory.h"

#include "common/text.h"

namespace tx3 {

std::u32string FolderSet::Key(std::string_view folder) {
  std::u32string key = FoldedText(folder);
  for (char32_t& c : key) {
    if (c == U'/') c = U'\\';
  }
  if (!key.empty() && key.back() != U'\\') key += U'\\';
  return key;
}

}  // namespace tx3
