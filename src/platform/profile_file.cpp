#include "platform/profile_file.h"

#include <algorithm>
#include <limits>

#include "platform/profile_text.h"

namespace tx3::platform {
namespace {

// The blanks the profile functions strip around names and values (Wine's set: white space and
// the end-of-file character 0x1A; the non-breaking space is kept).
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return text.substr(begin);
}

std::string_view TrimBlanks(std::string_view text) {
  text = TrimLeadingBlanks(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// What a line is, as the profile functions read it.
struct Layout {
  bool section = false;
  bool key = false;
  bool comment = false;
  bool hasValue = false;
  std::string_view name;
  std::string_view value;
};

Layout LayoutOf(std::string_view text) {
  Layout layout;
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) return layout;
  if (const size_t close = trimmed.rfind(']');
      trimmed.front() == '[' && close != std::string_view::npos && close > 0) {
    // A header runs to its last "]"; "[name" alone is a key line without "=", as Windows reads it.
    layout.section = true;
    layout.name = TrimBlanks(trimmed.substr(1, close - 1));
    return layout;
  }
  layout.key = true;
  layout.comment = trimmed.front() == ';';
  const size_t equals = trimmed.find('=');
  layout.hasValue = equals != std::string_view::npos;
  layout.name = TrimBlanks(trimmed.substr(0, equals));
  if (layout.hasValue) layout.value = TrimBlanks(trimmed.substr(equals + 1));
  return layout;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// FNV-1a over the folded bytes.
constexpr uint32_t kHashSeed = 2166136261u;
uint32_t HashStep(uint32_t hash, char c) {
  return (hash ^ static_cast<unsigned char>(c)) * 16777619u;
}

uint32_t HashFolded(std::string_view folded) {
  uint32_t hash = kHashSeed;
  for (const char c : folded) hash = HashStep(hash, c);
  return hash;
}

// The hash of a name as it lies in the file, folded on the way.
uint32_t HashName(std::string_view name, ProfileEncoding encoding) {
  if (encoding == ProfileEncoding::kUtf16Le && !IsAscii(name)) {
    return HashFolded(FoldWtf8Name(name));
  }
  uint32_t hash = kHashSeed;
  for (const char c : name) hash = HashStep(hash, FoldAnsiChar(c));
  return hash;
}

uint32_t Offset(std::string_view part, std::string_view whole) {
  return static_cast<uint32_t>(part.data() - whole.data());
}

const std::shared_ptr<const std::string>& EmptyText() {
  static const auto empty = std::make_shared<const std::string>();
  return empty;
}

}  // namespace

// Up to a NUL: the API's strings end there.
std::string StripValue(std::string_view stored) {
  stored = stored.substr(0, stored.find('\0'));
  if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
      stored.back() == stored.front()) {
    stored = stored.substr(1, stored.size() - 2);
  }
  return std::string(stored);
}

ProfileFile::ProfileFile() : text_(EmptyText()), sections_(1) {}

ProfileFile::Line ProfileFile::MakeLine(std::string_view text, size_t begin, End end,
                                        bool written) const {
  Line line;
  line.begin = begin;
  line.length = text.size();
  line.end = end;
  line.written = written;
  const Layout layout = LayoutOf(text);
  line.kind = layout.section ? Kind::kSection : layout.key ? Kind::kKey : Kind::kOther;
  line.comment = layout.comment;
  line.hasValue = layout.hasValue;
  if (line.kind != Kind::kOther) line.hash = HashName(layout.name, encoding_);
  line.huge = text.size() > std::numeric_limits<uint32_t>::max();
  if (!line.huge) {
    line.nameBegin = Offset(layout.name, text);
    line.nameLength = static_cast<uint32_t>(layout.name.size());
    line.valueBegin = Offset(layout.value.data() ? layout.value : text.substr(0, 0), text);
    line.valueLength = static_cast<uint32_t>(layout.value.size());
  }
  return line;
}

ProfileFile::Line ProfileFile::WrittenLine(std::string_view text) {
  const size_t begin = written_.size();
  written_.append(text);
  return MakeLine(text, begin, End::kCrLf, /*written=*/true);
}

std::string_view ProfileFile::TextOf(const Line& line) const {
  return std::string_view(line.written ? written_ : *text_).substr(line.begin, line.length);
}

std::string_view ProfileFile::NameOf(const Line& line) const {
  if (line.huge) return LayoutOf(TextOf(line)).name;
  return TextOf(line).substr(line.nameBegin, line.nameLength);
}

std::string_view ProfileFile::ValueOf(const Line& line) const {
  if (line.huge) return LayoutOf(TextOf(line)).value;
  return TextOf(line).substr(line.valueBegin, line.valueLength);
}

bool ProfileFile::NameIs(const Line& line, std::string_view folded) const {
  const std::string_view name = NameOf(line);
  if (encoding_ == ProfileEncoding::kUtf16Le && !IsAscii(name)) {
    return FoldWtf8Name(name) == folded;
  }
  return name.size() == folded.size() &&
         std::equal(name.begin(), name.end(), folded.begin(),
                    [](char stored, char wanted) { return FoldAnsiChar(stored) == wanted; });
}

void ProfileFile::AppendEnd(End end, std::string* out) {
  if (end == End::kCrLf) out->append("\r\n");
  if (end == End::kLf) out->push_back('\n');
}

std::string ProfileFile::Fold(std::string_view name) const {
  return encoding_ == ProfileEncoding::kAnsi ? FoldAnsiName(name) : FoldWtf8Name(name);
}

ProfileFile ProfileFile::Parse(std::string bytes) {
  ProfileFile file;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    file.encoding_ = ProfileEncoding::kUtf16Le;
    std::string_view body = std::string_view(bytes).substr(2);
    file.oddTail_ = body.substr(body.size() - body.size() % 2);
    body.remove_suffix(file.oddTail_.size());
    file.text_ = std::make_shared<const std::string>(Utf16LeToWtf8(body));
  } else {
    file.text_ = std::make_shared<const std::string>(std::move(bytes));
  }
  const std::string_view text = *file.text_;
  std::vector<Line> lines;
  // Room for the lines a run adds, so that they do not move the whole file's lines.
  const auto count = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
  lines.reserve(count + count / 64 + 256);
  for (size_t start = 0; start < text.size();) {
    size_t newline = text.find('\n', start);
    End end = End::kLf;
    if (newline == std::string_view::npos) {
      newline = text.size();
      end = End::kNone;
    }
    const bool crlf = end == End::kLf && newline > start && text[newline - 1] == '\r';
    const size_t length = newline - start - (crlf ? 1 : 0);
    lines.push_back(file.MakeLine(text.substr(start, length), start, crlf ? End::kCrLf : end,
                                  /*written=*/false));
    start = newline + 1;
  }
  file.Group(std::move(lines));
  return file;
}

// Sections and their index from the lines in file order.
void ProfileFile::Group(std::vector<Line> lines) {
  lines_ = std::move(lines);
  bodies_.clear();
  sections_.assign(1, Section{});
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection) sections_.push_back(Section{i, i + 1, i + 1, kNoLine});
    sections_.back().end = i + 1;
  }
  index_.clear();
  indexed_ = 0;
  keyIndexes_.clear();
  for (size_t i = 1; i < sections_.size(); ++i) Index(i);
}

// After a written line turned out to be a header: the sections are found again.
void ProfileFile::Regroup() {
  std::vector<Line> lines;
  ForEachLine(*this, [&lines](const Line& line) { lines.push_back(line); });
  Group(std::move(lines));
}

// Adds a section to the index unless an earlier one has its name: the first one answers.
void ProfileFile::Index(size_t section) {
  if ((indexed_ + 1) * 2 > index_.size()) GrowIndex();
  const Line& header = lines_[sections_[section].header];
  // The lines before the first header answer for the empty name.
  if (NameOf(header).empty()) return;
  std::optional<std::string> folded;
  const size_t mask = index_.size() - 1;
  for (size_t slot = header.hash & mask;; slot = (slot + 1) & mask) {
    const size_t other = index_[slot];
    if (other == 0) {
      index_[slot] = section;
      ++indexed_;
      return;
    }
    const Line& otherHeader = lines_[sections_[other].header];
    if (otherHeader.hash != header.hash) continue;
    if (!folded) folded = Fold(NameOf(header));
    if (NameIs(otherHeader, *folded)) return;
  }
}

void ProfileFile::GrowIndex() {
  std::vector<size_t> old(std::max<size_t>(16, index_.size() * 2), 0);
  old.swap(index_);
  const size_t mask = index_.size() - 1;
  for (const size_t section : old) {
    if (section == 0) continue;
    size_t slot = lines_[sections_[section].header].hash & mask;
    while (index_[slot] != 0) slot = (slot + 1) & mask;
    index_[slot] = section;
  }
}

std::optional<size_t> ProfileFile::FindSection(std::string_view folded) const {
  if (folded.empty()) return 0;
  if (index_.empty()) return std::nullopt;
  const uint32_t hash = HashFolded(folded);
  const size_t mask = index_.size() - 1;
  for (size_t slot = hash & mask; index_[slot] != 0; slot = (slot + 1) & mask) {
    const Line& header = lines_[sections_[index_[slot]].header];
    if (header.hash == hash && NameIs(header, folded)) return index_[slot];
  }
  return std::nullopt;
}

std::span<const ProfileFile::Line> ProfileFile::Body(const Section& section) const {
  if (section.body != kNoLine) return bodies_[section.body];
  return std::span<const Line>(lines_).subspan(section.begin, section.end - section.begin);
}

std::span<ProfileFile::Line> ProfileFile::Body(const Section& section) {
  if (section.body != kNoLine) return bodies_[section.body];
  return std::span<Line>(lines_).subspan(section.begin, section.end - section.begin);
}

// A section's lines in a vector of their own, so that inserting one moves only them.
std::vector<ProfileFile::Line>& ProfileFile::EditableBody(Section& section) {
  if (section.body == kNoLine) {
    const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(section.begin);
    bodies_.emplace_back(first, first + static_cast<std::ptrdiff_t>(section.end - section.begin));
    section.body = bodies_.size() - 1;
  }
  return bodies_[section.body];
}

namespace {

// Below this many lines a section is searched from its start.
constexpr size_t kIndexedSection = 64;

void PutKey(std::vector<size_t>& slots, uint32_t hash, size_t at) {
  const size_t mask = slots.size() - 1;
  size_t slot = hash & mask;
  while (slots[slot] != 0) slot = (slot + 1) & mask;
  slots[slot] = at + 1;
}

}  // namespace

// The first key line of the section with that name: every line of the name's hash lies on its
// probe chain, the earliest one answers.
size_t ProfileFile::FindKey(size_t section, std::string_view key) const {
  const std::string folded = Fold(TrimBlanks(key));
  const uint32_t hash = HashFolded(folded);
  const std::span<const Line> body = Body(sections_[section]);
  auto matches = [&](size_t i) {
    return body[i].kind == Kind::kKey && body[i].hash == hash && NameIs(body[i], folded);
  };
  if (body.size() < kIndexedSection) {
    for (size_t i = 0; i < body.size(); ++i) {
      if (matches(i)) return i;
    }
    return kNoLine;
  }
  const std::vector<size_t>& slots = KeyIndex(section);
  const size_t mask = slots.size() - 1;
  size_t found = kNoLine;
  for (size_t slot = hash & mask; slots[slot] != 0; slot = (slot + 1) & mask) {
    const size_t at = slots[slot] - 1;
    if (at < found && matches(at)) found = at;
  }
  return found;
}

const std::vector<size_t>& ProfileFile::KeyIndex(size_t section) const {
  std::vector<size_t>& slots = keyIndexes_[section];
  if (!slots.empty()) return slots;
  const std::span<const Line> body = Body(sections_[section]);
  size_t size = 16;
  while (size < body.size() * 2) size *= 2;
  slots.assign(size, 0);
  for (size_t i = 0; i < body.size(); ++i) {
    if (body[i].kind == Kind::kKey) PutKey(slots, body[i].hash, i);
  }
  return slots;
}

// A key line appended to a section keeps its index; one inserted before others moves them, and
// the index is made again when next asked for.
void ProfileFile::KeyInserted(size_t section, size_t at) {
  const auto index = keyIndexes_.find(section);
  if (index == keyIndexes_.end()) return;
  const std::span<const Line> body = Body(sections_[section]);
  if (at + 1 == body.size() && body.size() * 4 < index->second.size() * 3) {
    PutKey(index->second, body[at].hash, at);
  } else {
    keyIndexes_.erase(index);
  }
}

const ProfileFile::Line* ProfileFile::FindKeyLine(std::string_view section,
                                                  std::string_view key) const {
  const auto found = FindSection(Fold(TrimBlanks(section)));
  if (!found) return nullptr;
  const size_t index = FindKey(*found, key);
  return index == kNoLine ? nullptr : &Body(sections_[*found])[index];
}

std::optional<std::string> ProfileFile::StoredValue(std::string_view section,
                                                    std::string_view key) const {
  const Line* line = FindKeyLine(section, key);
  if (line == nullptr || !line->hasValue) return std::nullopt;
  return std::string(ValueOf(*line));
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
  const Line* line = FindKeyLine(section, key);
  if (line == nullptr || !line->hasValue) return std::nullopt;
  return StripValue(ValueOf(*line));
}

bool ProfileFile::Holds(std::string_view section, std::string_view key,
                        std::string_view value) const {
  const Line* line = FindKeyLine(section, key);
  return line != nullptr && line->hasValue && ValueOf(*line) == TrimLeadingBlanks(value);
}

ProfileFile::Line* ProfileFile::LastLine() {
  const Section& last = sections_.back();
  const std::span<Line> body = Body(last);
  if (!body.empty()) return &body.back();
  return last.header == kNoLine ? nullptr : &lines_[last.header];
}

// Inserts a key line after the last key line of the section, so that blank lines and comments
// closing the section stay below.
void ProfileFile::Insert(size_t section, std::string_view text) {
  Line line = WrittenLine(text);
  Section& target = sections_[section];
  std::vector<Line>& body = EditableBody(target);
  size_t at = body.size();
  while (at > 0 && !(body[at - 1].kind == Kind::kKey && !body[at - 1].comment)) --at;
  Line* before =
      at > 0 ? &body[at - 1] : (target.header == kNoLine ? nullptr : &lines_[target.header]);
  if (before != nullptr && before->end == End::kNone) before->end = End::kCrLf;
  const bool header = line.kind == Kind::kSection;
  body.insert(body.begin() + static_cast<std::ptrdiff_t>(at), line);
  if (header) {
    Regroup();
  } else {
    KeyInserted(section, at);
  }
}

void ProfileFile::AppendSection(std::string_view name, std::string_view keyLine) {
  if (Line* last = LastLine(); last != nullptr && last->end == End::kNone) {
    last->end = End::kCrLf;
  }
  lines_.push_back(WrittenLine("[" + std::string(name) + "]"));
  const Line key = WrittenLine(keyLine);
  lines_.push_back(key);
  sections_.push_back(Section{lines_.size() - 2, lines_.size() - 1, lines_.size(), kNoLine});
  if (key.kind == Kind::kSection) {
    Regroup();
  } else {
    Index(sections_.size() - 1);
  }
}

bool ProfileFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view sectionName = TrimBlanks(section);
  const std::string_view keyName = TrimBlanks(key);
  value = TrimLeadingBlanks(value);
  const std::string keyLine = std::string(keyName) + "=" + std::string(value);

  const auto found = FindSection(Fold(sectionName));
  if (!found) {
    AppendSection(sectionName, keyLine);
    changed_ = true;
    return true;
  }
  const size_t index = FindKey(*found, keyName);
  if (index == kNoLine) {
    Insert(*found, keyLine);
    changed_ = true;
    return true;
  }
  Line& line = Body(sections_[*found])[index];
  if (line.hasValue && ValueOf(line) == value) return false;
  changed_ = changed_ || line.end != End::kCrLf || TextOf(line) != keyLine;
  line = WrittenLine(keyLine);
  if (line.kind == Kind::kSection) Regroup();
  return true;
}

bool ProfileFile::ParsedFrom(std::string_view bytes) const {
  if (!bytes.starts_with("\xFF\xFE")) return encoding_ == ProfileEncoding::kAnsi && bytes == *text_;
  if (encoding_ != ProfileEncoding::kUtf16Le) return false;
  std::string_view body = bytes.substr(2);
  const std::string_view tail = body.substr(body.size() - body.size() % 2);
  body.remove_suffix(tail.size());
  return tail == oddTail_ && Utf16LeToWtf8(body) == *text_;
}

size_t ProfileFile::TextSize() const {
  size_t size = 0;
  ForEachLine(*this, [&size](const Line& line) { size += line.length + 2; });
  return size;
}

std::string ProfileFile::Serialize() const {
  std::string out;
  const bool ansi = encoding_ == ProfileEncoding::kAnsi;
  out.reserve(ansi ? TextSize() : TextSize() * 2 + 2);
  if (!ansi) out.append("\xFF\xFE");
  ForEachLine(*this, [&](const Line& line) {
    if (ansi) {
      out.append(TextOf(line));
      AppendEnd(line.end, &out);
      return;
    }
    AppendWtf8AsUtf16Le(TextOf(line), &out);
    if (line.end == End::kCrLf) out.append("\r\0\n\0", 4);
    if (line.end == End::kLf) out.append("\n\0", 2);
  });
  if (!ansi) out.append(oddTail_);
  return out;
}

std::shared_ptr<const std::string> ProfileFile::Settle() {
  auto text = std::make_shared<std::string>();
  text->reserve(TextSize());
  ForEachLine(*this, [&](Line& line) {
    const size_t begin = text->size();
    text->append(TextOf(line));
    AppendEnd(line.end, text.get());
    line.begin = begin;
    line.written = false;
  });
  text_ = std::move(text);
  written_.clear();
  changed_ = false;
  if (encoding_ == ProfileEncoding::kAnsi) return text_;
  return std::make_shared<const std::string>(Serialize());
}

}  // namespace tx3::platform
