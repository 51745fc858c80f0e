// A random ANSI profile file edited by a random sequence of writes and reads, checked against a
// map of what was written: every written key reads back its value (in the file and once the file
// is written out and read again), a key never written reads as in the untouched file, and every
// line of the file that no write replaced is still there, in order, with nothing else added but
// the written keys and the sections they needed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/profile_file.h"
#include "platform/profile_text.h"

namespace {

using tx3::platform::FoldAnsiName;
using tx3::platform::ProfileFile;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The engine's blanks (white space and 0x1A), trimmed around names and values.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The lines of a file without their ends, split as the engine splits them (at LF, one CR before
// it dropped), so that a line whose end the engine rewrote compares equal.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t newline = text.find('\n', start);
    if (newline == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    const bool crlf = newline > start && text[newline - 1] == '\r';
    lines.emplace_back(text.substr(start, newline - start - (crlf ? 1 : 0)));
    start = newline + 1;
  }
  return lines;
}

// A line as the model sees it: a section header, a key line, or anything else.
struct Classified {
  enum class Kind { kOther, kSection, kKey } kind = Kind::kOther;
  std::string name;  // folded
};

Classified Classify(std::string_view text) {
  Classified line;
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty()) return line;
  const size_t close = trimmed.rfind(']');
  if (trimmed.front() == '[' && close != std::string_view::npos && close > 0) {
    line.kind = Classified::Kind::kSection;
    line.name = FoldAnsiName(Trim(trimmed.substr(1, close - 1)));
  } else {
    line.kind = Classified::Kind::kKey;
    line.name = FoldAnsiName(Trim(trimmed.substr(0, trimmed.find('='))));
  }
  return line;
}

// The original line a write of (section, key) replaces: the first line of that key in the first
// section of that name.
std::optional<size_t> ReplacedLine(const std::vector<Classified>& lines, const std::string& section,
                                   const std::string& key) {
  size_t i = 0;
  while (i < lines.size() &&
         !(lines[i].kind == Classified::Kind::kSection && lines[i].name == section)) {
    ++i;
  }
  if (i == lines.size()) return std::nullopt;
  for (++i; i < lines.size() && lines[i].kind != Classified::Kind::kSection; ++i) {
    if (lines[i].kind == Classified::Kind::kKey && lines[i].name == key) return i;
  }
  return std::nullopt;
}

// Few letters of both cases and a digit, so that names meet each other and the file's own.
std::string Name(FuzzedDataProvider& input, std::string_view alphabet) {
  std::string name;
  const size_t length = input.ConsumeIntegralInRange<size_t>(1, 2);
  for (size_t i = 0; i < length; ++i)
    name.push_back(
        input.PickValueInArray({alphabet[0], alphabet[1], alphabet[2], alphabet[3], alphabet[4]}));
  return name;
}

// Values without blanks, quotes, NUL, line ends or the characters of the INI syntax, so that a
// value reads back as written.
std::string Value(FuzzedDataProvider& input) {
  static constexpr char kAlphabet[] = "vV09._-/\\:,!#%&()*+<>?@^{}~\xE9";
  std::string value;
  const size_t length = input.ConsumeIntegralInRange<size_t>(0, 6);
  for (size_t i = 0; i < length; ++i) {
    value.push_back(kAlphabet[input.ConsumeIntegralInRange<size_t>(0, sizeof kAlphabet - 2)]);
  }
  return value;
}

struct Written {
  std::string section;  // as last written
  std::string key;
  std::string value;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::string original = input.ConsumeRandomLengthString(4096);
  // ANSI files only: a leading FF FE would make it UTF-16LE.
  if (original.size() >= 2 && original[0] == '\xFF' && original[1] == '\xFE') original[0] = ';';

  const ProfileFile untouched = ProfileFile::Parse(original);
  ProfileFile file = ProfileFile::Parse(original);
  const std::vector<std::string> originalLines = Lines(original);
  std::vector<Classified> classified;
  std::set<std::string> originalSections;
  for (const std::string& line : originalLines) {
    classified.push_back(Classify(line));
    if (classified.back().kind == Classified::Kind::kSection) {
      originalSections.insert(classified.back().name);
    }
  }

  std::map<std::pair<std::string, std::string>, Written> model;
  std::set<std::string> newSections;
  std::set<size_t> replaced;
  while (input.remaining_bytes() > 0) {
    const bool write = input.ConsumeBool();
    const std::string section = Name(input, "aAbB1");
    const std::string key = Name(input, "kKqQ2");
    const std::pair<std::string, std::string> folded{FoldAnsiName(section), FoldAnsiName(key)};
    if (write) {
      const std::string value = Value(input);
      file.SetValue(section, key, value);
      model[folded] = Written{section, key, value};
      if (!originalSections.contains(folded.first)) newSections.insert(folded.first);
      if (const auto index = ReplacedLine(classified, folded.first, folded.second)) {
        replaced.insert(*index);
      }
    } else {
      const std::optional<std::string> read = file.Value(section, key);
      const auto found = model.find(folded);
      if (found != model.end()) {
        Require(read == found->second.value);
      } else {
        Require(read == untouched.Value(section, key));
      }
    }
  }

  for (const auto& [names, written] : model) {
    Require(file.Value(written.section, written.key) == written.value);
  }

  // The original lines no write replaced, in order, within the output; what is left over is one
  // line per written key and one header per section the writes added.
  const std::string serialized = file.Serialize();
  const std::vector<std::string> outputLines = Lines(serialized);
  std::vector<std::string> kept;
  for (size_t i = 0; i < originalLines.size(); ++i) {
    if (!replaced.contains(i)) kept.push_back(originalLines[i]);
  }
  std::multiset<std::pair<std::string, std::string>> keyLines;
  for (const auto& [names, written] : model) keyLines.insert({names.second, written.value});
  std::set<std::string> headers = newSections;
  size_t next = 0;
  for (const std::string& line : outputLines) {
    if (next < kept.size() && line == kept[next]) {
      ++next;
      continue;
    }
    const std::string_view trimmed = Trim(line);
    const Classified extra = Classify(line);
    if (extra.kind == Classified::Kind::kSection) {
      Require(headers.erase(extra.name) == 1);
      continue;
    }
    const size_t equals = trimmed.find('=');
    Require(extra.kind == Classified::Kind::kKey && equals != std::string_view::npos);
    const auto found = keyLines.find({extra.name, std::string(Trim(trimmed.substr(equals + 1)))});
    Require(found != keyLines.end());
    keyLines.erase(found);
  }
  Require(next == kept.size());
  Require(headers.empty() && keyLines.empty());

  const ProfileFile reread = ProfileFile::Parse(serialized);
  for (const auto& [names, written] : model) {
    Require(reread.Value(written.section, written.key) == written.value);
  }
  Require(reread.Serialize() == serialized);
  return 0;
}
