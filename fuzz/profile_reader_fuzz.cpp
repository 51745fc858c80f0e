// Any bytes as a profile file: parsing never fails, an untouched file serialises to the same
// bytes, rewriting a stored value changes nothing, and a written value reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile_file.h"
#include "platform/profile_text.h"

namespace {

using tx3::platform::ProfileFile;

void Require(bool condition) {
  if (!condition) std::abort();
}

// A name made of the letters and digits found in `bytes` from `offset` (at most 6).
std::string NameFrom(std::string_view bytes, size_t offset) {
  std::string name;
  for (size_t i = offset; i < bytes.size() && name.size() < 6; ++i) {
    const char c = bytes[i];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      name.push_back(c);
    }
  }
  return name.empty() ? "S" : name;
}

void CheckConversions(std::string_view bytes) {
  using namespace tx3::platform;
  const std::string ansi(bytes);
  Require(Windows1252ProfileCodec().Utf8ToAnsi(Windows1252ProfileCodec().AnsiToUtf8(ansi)) == ansi);
  const std::string even(bytes.substr(0, bytes.size() & ~size_t{1}));
  std::string back;
  AppendWtf8AsUtf16Le(Utf16LeToWtf8(even), &back);
  Require(back == even);
  (void)Windows1252ProfileCodec().Utf8ToAnsi(bytes);
  (void)FoldWtf8Name(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CheckConversions(bytes);

  ProfileFile file = ProfileFile::Parse(bytes);
  Require(file.Serialize() == bytes);

  const std::string section = NameFrom(bytes, 0);
  const std::string key = NameFrom(bytes, size / 2);
  const char* const keys[] = {key.c_str(), "k", "", ";"};
  for (const char* name : keys) {
    (void)file.Value(section, name);
    if (const auto stored = file.StoredValue(section, name)) {
      Require(!file.SetValue(section, name, *stored));
      Require(file.Serialize() == bytes);
    }
  }

  const std::string value = "v" + NameFrom(bytes, size / 3);
  file.SetValue(section, key, value);
  const ProfileFile reread = ProfileFile::Parse(file.Serialize());
  Require(reread.Value(section, key) == value);
  return 0;
}
