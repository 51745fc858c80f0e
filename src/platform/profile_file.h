// One profile (INI) file in memory: its lines as they are on disk, answered and changed the way
// GetPrivateProfileStringA / WritePrivateProfileStringA do. Pure: no file system here.
//
// Names and values cross this interface in the file's text form: Windows-1252 bytes for an ANSI
// file, WTF-8 for a UTF-16LE file (see profile_text.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tx3::platform {

enum class ProfileEncoding { kAnsi, kUtf16Le };

class ProfileFile {
 public:
  // An empty ANSI file.
  ProfileFile() = default;
  // Any bytes; a file starting with FF FE is UTF-16LE.
  static ProfileFile Parse(std::string_view bytes);

  ProfileEncoding encoding() const { return encoding_; }

  // The value of the first key named `key` in the first section named `section` (blanks around
  // the names ignored, letters of either case): trimmed, cut at a NUL, without a pair of
  // matching quotes. Nothing when the section or key is missing or the key line has no "=".
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // The stored text itself (trimmed, quotes and all), as the unchanged-value rule compares it.
  std::optional<std::string> StoredValue(std::string_view section, std::string_view key) const;

  // Whether SetValue(section, key, value) would find the value already stored.
  bool Holds(std::string_view section, std::string_view key, std::string_view value) const;

  // Stores `value` (leading blanks dropped) as "key=value" CR LF: replaces the line of the key,
  // or adds it after the last key line of its section, or adds the section at the end.
  // False when the stored value is already that text: nothing changed.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);

  // The file's bytes: every line the engine did not write is as it was read.
  std::string Serialize() const;

 private:
  enum class Kind : unsigned char { kOther, kSection, kKey };
  enum class End : unsigned char { kNone, kLf, kCrLf };
  struct Line {
    std::string text;  // without its line end
    End end = End::kNone;
    Kind kind = Kind::kOther;
    bool comment = false;   // a key line starting with ";" (placement skips it)
    bool hasValue = false;  // a key line with "="
    std::string name;       // folded section or key name
    size_t valueBegin = 0;  // trimmed value within `text`
    size_t valueEnd = 0;
  };
  struct Section {
    size_t header;  // index of the header line (npos for the lines before the first header)
    size_t begin;   // first line after the header
    size_t end;     // one past its last line
  };

  static Line ParseLine(std::string text, End end, ProfileEncoding encoding);
  std::string Fold(std::string_view name) const;
  std::optional<Section> FindSection(std::string_view foldedName) const;
  std::optional<size_t> FindKey(const Section& section, std::string_view foldedName) const;
  const Line* FindKeyLine(std::string_view section, std::string_view key) const;
  size_t InsertionPoint(const Section& section) const;
  void InsertLine(size_t index, std::string text);

  ProfileEncoding encoding_ = ProfileEncoding::kAnsi;
  std::vector<Line> lines_;
  std::string oddTail_;  // a UTF-16LE file's odd final byte
};

}  // namespace tx3::platform
