// The runtime's GetAttr / SetAttr and the 64-bit file size, on the system's own attributes.
#pragma once

#include <cstdint>
#include <string_view>

namespace tx3::platform::win32 {

// Read-only 1, hidden 2, system 4, directory 16, archive 32; 53 when missing.
int32_t ReadAttributes(std::string_view path, uint32_t* attributes);
// Sets read-only, hidden, system and archive; the directory bit is the file's own.
int32_t WriteAttributes(std::string_view path, uint32_t attributes);
// Opens the file for reading and answers its size.
int32_t ReadFileSize(std::string_view path, int64_t* size);

}  // namespace tx3::platform::win32
