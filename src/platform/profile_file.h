// One profile (INI) file in memory: its lines as they are on disk, answered and changed the way
// GetPrivateProfileStringA / WritePrivateProfileStringA do. Pure: no file system here.
//
// Names and values cross this interface in the file's text form: Windows-1252 bytes for an ANSI
// file, WTF-8 for a UTF-16LE file (see profile_text.h).
//
// Settings files can be huge (hundreds of megabytes, a million sections, one line of fifty), so
// the text is held once: every line is a place in it, the lines the engine writes live in a
// buffer of their own, and sections are found through a hash of their folded names.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tx3::platform {

enum class ProfileEncoding { kAnsi, kUtf16Le };

// What the reader answers for a stored value (and the default): up to a NUL, without one pair of
// matching quotes around it.
std::string StripValue(std::string_view stored);

class ProfileFile {
 public:
  // An empty ANSI file.
  ProfileFile();
  // Any bytes; a file starting with FF FE is UTF-16LE. An ANSI file keeps the bytes themselves
  // as its text.
  static ProfileFile Parse(std::string bytes);

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

  // Whether `bytes` are what the file was parsed from (or last settled on): the content its
  // changes were made to.
  bool ParsedFrom(std::string_view bytes) const;
  // Whether a change since then altered a byte (a line rewritten as it was does not).
  bool Changed() const { return changed_; }

  // The file's bytes: every line the engine did not write is as it was read.
  std::string Serialize() const;

  // Makes the content as it stands the file's own text, letting go of the one it was parsed
  // from, and answers its bytes: a file about to be written is not held twice.
  std::shared_ptr<const std::string> Settle();

 private:
  static constexpr size_t kNoLine = static_cast<size_t>(-1);
  enum class Kind : unsigned char { kOther, kSection, kKey };
  enum class End : unsigned char { kNone, kLf, kCrLf };
  struct Line {
    size_t begin = 0;   // in text_, or in written_ for a line the engine wrote
    size_t length = 0;  // without its line end
    uint32_t hash = 0;  // of the folded section or key name
    // The name and the trimmed value, from the line's start; a line of 4 GiB or more has them
    // found again when asked.
    uint32_t nameBegin = 0;
    uint32_t nameLength = 0;
    uint32_t valueBegin = 0;
    uint32_t valueLength = 0;
    End end = End::kNone;
    Kind kind = Kind::kOther;
    bool comment = false;   // a key line starting with ";" (placement skips it)
    bool hasValue = false;  // a key line with "="
    bool written = false;
    bool huge = false;
  };
  struct Section {
    size_t header = kNoLine;  // in lines_; none for the lines before the first header
    size_t begin = 0;         // its lines in lines_ ...
    size_t end = 0;
    size_t body = kNoLine;  // ... or, once a line was inserted, bodies_[body]
  };

  Line MakeLine(std::string_view text, size_t begin, End end, bool written) const;
  Line WrittenLine(std::string_view text);
  std::string_view TextOf(const Line& line) const;
  std::string_view NameOf(const Line& line) const;
  std::string_view ValueOf(const Line& line) const;
  bool NameIs(const Line& line, std::string_view folded) const;
  std::string Fold(std::string_view name) const;
  static void AppendEnd(End end, std::string* out);

  void Group(std::vector<Line> lines);
  void Regroup();
  void Index(size_t section);
  void GrowIndex();
  std::optional<size_t> FindSection(std::string_view folded) const;
  std::span<const Line> Body(const Section& section) const;
  std::span<Line> Body(const Section& section);
  std::vector<Line>& EditableBody(Section& section);
  size_t FindKey(size_t section, std::string_view key) const;
  const std::vector<size_t>& KeyIndex(size_t section) const;
  void KeyInserted(size_t section, size_t at);
  const Line* FindKeyLine(std::string_view section, std::string_view key) const;
  Line* LastLine();
  void Insert(size_t section, std::string_view text);
  void AppendSection(std::string_view name, std::string_view keyLine);
  size_t TextSize() const;

  // Every line in file order; `self` is the file, const or not.
  template <typename Self, typename Visit>
  static void ForEachLine(Self& self, Visit visit) {
    for (const Section& section : self.sections_) {
      if (section.header != kNoLine) visit(self.lines_[section.header]);
      for (auto& line : self.Body(section)) visit(line);
    }
  }

  ProfileEncoding encoding_ = ProfileEncoding::kAnsi;
  std::shared_ptr<const std::string> text_;  // as parsed (or settled)
  std::string written_;                      // the lines written since
  std::vector<Line> lines_;
  std::vector<Section> sections_;          // in file order; [0] holds the lines before any header
  std::vector<std::vector<Line>> bodies_;  // sections a line was inserted into
  std::vector<size_t> index_;              // open addressing: section number, 0 for a free slot
  size_t indexed_ = 0;
  // The keys of long sections, by section number, made when first asked for: open addressing by
  // name hash, a line's place in the body plus one (0 for a free slot).
  mutable std::unordered_map<size_t, std::vector<size_t>> keyIndexes_;
  bool changed_ = false;
  std::string oddTail_;  // a UTF-16LE file's odd final byte
};

}  // namespace tx3::platform
