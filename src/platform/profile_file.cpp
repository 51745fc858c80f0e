#include "platform/profile_file.h"

#include "platform/profile_text.h"

namespace tx3::platform {
namespace {

constexpr size_t kNone = std::string::npos;

// The blanks the profile functions strip around names and values (Wine's set: white space and
// the end-of-file character 0x1A; the non-breaking space is kept).
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return text.substr(begin);
}

// What the reader answers for a stored value: up to a NUL (the API's strings end there), and
// without one pair of matching quotes around it.
std::string StripValue(std::string_view stored) {
  stored = stored.substr(0, stored.find('\0'));
  if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
      stored.back() == stored.front()) {
    stored = stored.substr(1, stored.size() - 2);
  }
  return std::string(stored);
}

}  // namespace

ProfileFile::Line ProfileFile::ParseLine(std::string text, End end, ProfileEncoding encoding) {
  Line line;
  line.end = end;
  const std::string_view view(text);
  const std::string_view trimmed = TrimBlanks(view);
  auto fold = [encoding](std::string_view name) {
    return encoding == ProfileEncoding::kAnsi ? FoldAnsiName(name) : FoldWtf8Name(name);
  };
  if (trimmed.empty()) {
    line.kind = Kind::kOther;
  } else if (const size_t close = trimmed.rfind(']');
             trimmed.front() == '[' && close != std::string_view::npos && close > 0) {
    // A header runs to its last "]"; "[name" alone is a key line without "=", as Windows reads it.
    line.kind = Kind::kSection;
    line.name = fold(TrimBlanks(trimmed.substr(1, close - 1)));
  } else {
    line.kind = Kind::kKey;
    line.comment = trimmed.front() == ';';
    const size_t equals = trimmed.find('=');
    line.hasValue = equals != std::string_view::npos;
    line.name = fold(TrimBlanks(trimmed.substr(0, equals)));
    if (line.hasValue) {
      const std::string_view value = TrimBlanks(trimmed.substr(equals + 1));
      line.valueBegin = value.empty() ? 0 : static_cast<size_t>(value.data() - view.data());
      line.valueEnd = line.valueBegin + value.size();
    }
  }
  line.text = std::move(text);
  return line;
}

ProfileFile ProfileFile::Parse(std::string_view bytes) {
  ProfileFile file;
  std::string utf16Text;
  std::string_view text = bytes;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    file.encoding_ = ProfileEncoding::kUtf16Le;
    std::string_view body = bytes.substr(2);
    if (body.size() % 2 != 0) {
      file.oddTail_ = std::string(body.substr(body.size() - 1));
      body.remove_suffix(1);
    }
    utf16Text = Utf16LeToWtf8(body);
    text = utf16Text;
  }
  size_t start = 0;
  while (start < text.size()) {
    const size_t newline = text.find('\n', start);
    if (newline == std::string_view::npos) {
      file.lines_.push_back(ParseLine(std::string(text.substr(start)), End::kNone, file.encoding_));
      break;
    }
    const bool crlf = newline > start && text[newline - 1] == '\r';
    const size_t length = newline - start - (crlf ? 1 : 0);
    file.lines_.push_back(ParseLine(std::string(text.substr(start, length)),
                                    crlf ? End::kCrLf : End::kLf, file.encoding_));
    start = newline + 1;
  }
  return file;
}

std::string ProfileFile::Fold(std::string_view name) const {
  return encoding_ == ProfileEncoding::kAnsi ? FoldAnsiName(name) : FoldWtf8Name(name);
}

std::optional<ProfileFile::Section> ProfileFile::FindSection(std::string_view foldedName) const {
  // The lines before the first header form a section without a name.
  std::optional<Section> found;
  if (foldedName.empty()) found = Section{kNone, 0, lines_.size()};
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Kind::kSection) continue;
    if (found) {
      found->end = i;
      return found;
    }
    if (lines_[i].name == foldedName) found = Section{i, i + 1, lines_.size()};
  }
  return found;
}

std::optional<size_t> ProfileFile::FindKey(const Section& section,
                                           std::string_view foldedName) const {
  for (size_t i = section.begin; i < section.end; ++i) {
    if (lines_[i].kind == Kind::kKey && lines_[i].name == foldedName) return i;
  }
  return std::nullopt;
}

const ProfileFile::Line* ProfileFile::FindKeyLine(std::string_view section,
                                                  std::string_view key) const {
  const auto found = FindSection(Fold(TrimBlanks(section)));
  if (!found) return nullptr;
  const auto index = FindKey(*found, Fold(TrimBlanks(key)));
  return index && lines_[*index].hasValue ? &lines_[*index] : nullptr;
}

std::optional<std::string> ProfileFile::StoredValue(std::string_view section,
                                                    std::string_view key) const {
  const Line* line = FindKeyLine(section, key);
  if (line == nullptr) return std::nullopt;
  return line->text.substr(line->valueBegin, line->valueEnd - line->valueBegin);
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
  const auto stored = StoredValue(section, key);
  if (!stored) return std::nullopt;
  return StripValue(*stored);
}

bool ProfileFile::Holds(std::string_view section, std::string_view key,
                        std::string_view value) const {
  const auto stored = StoredValue(section, key);
  return stored && *stored == TrimLeadingBlanks(value);
}

size_t ProfileFile::InsertionPoint(const Section& section) const {
  // After the last key line, so that blank lines and comments closing the section stay below.
  for (size_t i = section.end; i > section.begin; --i) {
    const Line& line = lines_[i - 1];
    if (line.kind == Kind::kKey && !line.comment) return i;
  }
  return section.begin;
}

void ProfileFile::InsertLine(size_t index, std::string text) {
  if (index > 0 && lines_[index - 1].end == End::kNone) lines_[index - 1].end = End::kCrLf;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index),
                ParseLine(std::move(text), End::kCrLf, encoding_));
}

bool ProfileFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view sectionName = TrimBlanks(section);
  const std::string_view keyName = TrimBlanks(key);
  value = TrimLeadingBlanks(value);
  std::string keyLine(keyName);
  keyLine.append("=").append(value);

  const auto found = FindSection(Fold(sectionName));
  if (!found) {
    std::string header("[");
    header.append(sectionName).append("]");
    InsertLine(lines_.size(), std::move(header));
    InsertLine(lines_.size(), std::move(keyLine));
    return true;
  }
  if (const auto index = FindKey(*found, Fold(keyName))) {
    Line& line = lines_[*index];
    const std::string_view stored =
        std::string_view(line.text).substr(line.valueBegin, line.valueEnd - line.valueBegin);
    if (line.hasValue && stored == value) return false;
    line = ParseLine(std::move(keyLine), End::kCrLf, encoding_);
    return true;
  }
  InsertLine(InsertionPoint(*found), std::move(keyLine));
  return true;
}

std::string ProfileFile::Serialize() const {
  size_t size = 0;
  for (const Line& line : lines_) size += line.text.size() + 2;
  std::string text;
  text.reserve(size);
  for (const Line& line : lines_) {
    text += line.text;
    if (line.end == End::kCrLf) text += "\r\n";
    if (line.end == End::kLf) text += '\n';
  }
  if (encoding_ == ProfileEncoding::kAnsi) return text;
  std::string bytes("\xFF\xFE");
  bytes.append(Wtf8ToUtf16Le(text)).append(oddTail_);
  return bytes;
}

}  // namespace tx3::platform
