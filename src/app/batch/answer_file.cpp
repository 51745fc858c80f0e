#include "app/batch/answer_file.h"

#include <iterator>
#include <map>
#include <sstream>

#include "app/frm_main.h"
#include "common/text.h"
#include "platform/code_page.h"
#include "platform/name_match.h"
#include "platform/platform.h"

namespace tx3 {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kNotStoredComment =
    "; Not stored by an installation: saved as the window showed them\r\n";

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A control character other than a tab: what OneLine would change.
bool HasControl(std::string_view text) {
  return OneLine(text) != text;
}

// The number ending a key ("Station2"): digits only, without leading zero.
bool IsKeyNumber(std::string_view digits) {
  if (digits.empty() || (digits.size() > 1 && digits[0] == '0')) return false;
  return digits.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string RangeText(int low, int high) {
  return "(" + std::to_string(low) + " to " + std::to_string(high) + ")";
}

// A value wrapped in double quotes keeps what is inside them, blanks included.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

class Reader {
 public:
  explicit Reader(std::string_view name) : name_(name) {}

  ParsedAnswerFile Run(std::string_view text) {
    int number = 0;
    size_t start = 0;
    while (start <= text.size() && error_.empty()) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      line_ = ++number;
      Line(TrimBlanks(line));
      start = end + 1;
    }
    if (!error_.empty()) return {false, {}, std::move(error_)};
    return {true, std::move(answers_), {}};
  }

 private:
  enum class Section { None, Fields, Actions };

  void Fail(std::string_view key, std::string_view reason) {
    error_ = OneLine(Origin(key) + ": " + std::string(reason));
  }

  // "FILE:LINE: KEY", the key cut short when it is a whole long line.
  std::string Origin(std::string_view key) const {
    constexpr size_t kShown = 40;
    std::string shown = LeftChars(key, kShown);
    if (shown.size() < key.size()) shown += "...";
    return name_ + ":" + std::to_string(line_) + ": " + shown;
  }

  void Line(std::string_view line) {
    if (line.empty() || line[0] == ';' || line[0] == '#') return;
    const size_t eq = line.find('=');
    const std::string_view key =
        eq == std::string_view::npos ? line : TrimBlanks(line.substr(0, eq));
    if (HasControl(line)) return Fail(key, "control character in the line");
    if (line[0] == '[') return Header(line);
    if (eq == std::string_view::npos) return Fail(line, "expected KEY=VALUE");
    if (key.empty()) return Fail(line, "no key before \"=\"");
    const std::string_view value = Unquoted(TrimBlanks(line.substr(eq + 1)));
    switch (section_) {
      case Section::None:
        return Fail(key, "key outside a section ([Fields] or [Actions])");
      case Section::Fields:
        return Field(key, value);
      case Section::Actions:
        return Action(key, value);
    }
  }

  void Header(std::string_view line) {
    if (line.back() != ']') return Fail(line, "expected [SECTION]");
    const std::string_view name = TrimBlanks(line.substr(1, line.size() - 2));
    const std::string shown = "[" + std::string(name) + "]";
    const std::string lower = platform::FoldNameText(name);
    if (lower != "fields" && lower != "actions") {
      return Fail(shown, "unknown section (Fields or Actions)");
    }
    section_ = lower == "fields" ? Section::Fields : Section::Actions;
    NotTwice(shown, "[" + lower + "]");
  }

  // Records the first line of a name; false (and the fault) when it came before.
  bool NotTwice(std::string_view shown, const std::string& name) {
    const auto [it, added] = seen_.emplace(name, line_);
    if (!added) Fail(shown, "given twice (first on line " + std::to_string(it->second) + ")");
    return added;
  }

  void Field(std::string_view key, std::string_view value) {
    const std::string lower = platform::FoldNameText(key);
    const size_t cut = lower.find_first_of("0123456789");
    const std::string_view name = std::string_view(lower).substr(0, cut);
    const std::string_view digits =
        cut == std::string::npos ? std::string_view{} : std::string_view(lower).substr(cut);
    const OperatorField* known = nullptr;
    for (const OperatorField& f : OperatorFields()) {
      if (platform::FoldNameText(f.key) == name && f.Numbered() == !digits.empty()) known = &f;
    }
    if (known == nullptr || (known->Numbered() && !IsKeyNumber(digits))) {
      return Fail(key, "unknown key in [Fields]");
    }
    FieldOption field{known, 0, {}};
    if (known->Numbered()) {
      const int low = known->firstNumber, high = known->LastNumber();
      const std::optional<int> n = digits.size() <= 4 ? DecimalIn(digits, low, high) : std::nullopt;
      if (!n) {
        return Fail(key, "no " + std::string(known->numberName) + " " + std::string(digits) + " " +
                             RangeText(low, high));
      }
      field.index = *n - low;
    }
    if (!NotTwice(key, "fields." + lower)) return;
    const std::string text =
        known->kind == FieldKind::CheckMark ? platform::FoldNameText(value) : std::string(value);
    const std::string shown = "\"" + std::string(value) + "\"";
    if (std::optional<std::string> fault = ReadValue(*known, text, shown, &field.value)) {
      return Fail(key, *fault);
    }
    answers_.fields.push_back(std::move(field));
  }

  void Action(std::string_view key, std::string_view value) {
    if (!IsKeyNumber(key) || key == "0")
      return Fail(key, "expected an action number (1, 2, 3 ...)");
    if (!NotTwice(key, "actions." + std::string(key))) return;
    const std::string expected = std::to_string(answers_.actions.size() + 1);
    if (key != expected) {
      return Fail(key,
                  "expected action " + expected + " (actions are numbered 1, 2, 3 ... in order)");
    }
    // The words of the value: a keyword, then its number if it takes one.
    std::istringstream in{std::string(value)};
    const std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
    const ActionName* named =
        words.empty() ? nullptr : ActionNamed(platform::FoldNameText(words[0]));
    if (named == nullptr || words.size() != (named->numberName.empty() ? 1u : 2u)) {
      return Fail(key, "unknown action \"" + std::string(value) +
                           "\" (step N, create-folder N or create-database)");
    }
    std::optional<int> n = 0;
    if (!named->numberName.empty()) n = DecimalIn(words[1], named->low, named->high);
    if (!n) {
      return Fail(key, "no " + std::string(named->numberName) + " " + words[1] + " " +
                           RangeText(named->low, named->high));
    }
    answers_.actions.push_back({named->kind, *n});
  }

  std::string name_;
  int line_ = 0;
  Section section_ = Section::None;
  std::map<std::string, int> seen_;  // section or key, lower case: its first line
  AnswerFile answers_;
  std::string error_;
};

// A field's value as its key holds it.
std::string ValueText(const OperatorField& field, const FieldValue& value) {
  switch (field.kind) {
    case FieldKind::ListRow:
      return std::to_string(value.row);
    case FieldKind::CheckMark:
      return value.on ? "on" : "off";
    case FieldKind::Text:
    case FieldKind::HostName:
      break;
  }
  return value.text;
}

// A value as the reader gives it back: quoted when the reader would trim or unquote it.
std::string Written(std::string_view value) {
  const bool altered = TrimBlanks(value) != value || Unquoted(value) != value;
  return altered ? "\"" + std::string(value) + "\"" : std::string(value);
}

}  // namespace

ParsedAnswerFile ParseAnswerFile(std::string_view name, std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  if (platform::IsUtf8(bytes)) return Reader(name).Run(bytes);
  return Reader(name).Run(platform::Os().AnsiToUtf8(bytes));
}

ParsedAnswerFile ReadAnswerFile(std::string_view path) {
  std::string bytes;
  if (!platform::Os().ReadNamedFile(path, &bytes)) {
    return {false, {}, std::string(path) + ": cannot be read"};
  }
  return ParseAnswerFile(path, bytes);
}

std::optional<std::string> SaveAnswerFile(std::string_view path, const FrmMain& window,
                                          const std::vector<BatchAction>& actions) {
  std::string text = "; TX3_Setup answers\r\n[Fields]\r\n";
  std::string fault;
  const auto put = [&](const std::string& key, std::string_view value) {
    text += key + "=" + std::string(value) + "\r\n";
  };
  const auto putText = [&](const std::string& key, std::string_view value) {
    if (fault.empty() && HasControl(value)) {
      fault = key + ": a line break or control character cannot be saved";
    } else if (fault.empty() && !platform::IsUtf8(value)) {
      fault = key + ": text that is not UTF-8 cannot be saved";
    }
    put(key, Written(value));
  };
  // A capture finds the stored fields in the installation's files; the others it cannot.
  for (const bool stored : {true, false}) {
    if (!stored) text += kNotStoredComment;
    for (const OperatorField& f : OperatorFields()) {
      if (f.stored != stored) continue;
      for (int i = 0; i < f.count; ++i) putText(f.Key(i), ValueText(f, f.get(window, i)));
    }
  }
  text += "\r\n[Actions]\r\n";
  for (size_t i = 0; i < actions.size(); ++i) put(std::to_string(i + 1), ActionText(actions[i]));
  if (!fault.empty()) return std::string(path) + ": " + fault;
  if (!platform::Os().ReplaceNamedFile(path, text)) {
    return std::string(path) + ": cannot be written";
  }
  return std::nullopt;
}

}  // namespace tx3
