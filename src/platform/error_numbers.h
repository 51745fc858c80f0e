// The classic run-time error numbers. Platform calls answer them (0 meaning success) and the
// error pattern reports them, so they are defined once, beside the platform interface.
#pragma once

#include <cstdint>

namespace tx3::err {

inline constexpr int32_t kInvalidCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscript = 9;
inline constexpr int32_t kLibraryNotFound = 48;
inline constexpr int32_t kBadFileName = 52;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kFileExists = 58;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kPathFileAccess = 75;
inline constexpr int32_t kPathNotFound = 76;
inline constexpr int32_t kDdeFailed = 285;
inline constexpr int32_t kDdeTimeout = 286;
inline constexpr int32_t kEntryPointNotFound = 453;

}  // namespace tx3::err
