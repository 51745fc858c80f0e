#include "app/batch/answer_file.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "app/frm_main.h"
#include "common/text.h"
#include "platform/code_page.h"
#include "platform/name_match.h"
#include "platform/platform.h"
#include "settings/download_addresses.h"

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

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte < 0x20 && c != '\t') || byte == 0x7f;
}

bool HasControl(std::string_view text) {
  for (const char c : text) {
    if (IsControl(c)) return true;
  }
  return false;
}

std::optional<int> Decimal(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// The number ending a key ("Station2"): digits only, without leading zero.
bool IsKeyNumber(std::string_view digits) {
  if (digits.empty() || (digits.size() > 1 && digits[0] == '0')) return false;
  return digits.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<int> InRange(std::string_view text, int low, int high) {
  const std::optional<int> n = Decimal(text);
  if (!n || *n < low || *n > high) return std::nullopt;
  return n;
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

struct FieldKey {
  std::string_view name;  // lower case
  FieldOption::Kind kind;
  bool numbered;
  int low, high;         // the key's number, or the value's for Engine and Converter
  std::string_view row;  // what the key's number names
};

using F = FieldOption::Kind;
constexpr FieldKey kFieldKeys[] = {
    {"radio", F::Radio, false, 0, 0, {}},
    {"station", F::Station, true, 1, kStationCount, "station"},
    {"folder", F::Folder, true, 0, kFolderCount - 1, "folder row"},
    {"engine", F::Engine, false, -1, kEngineRowCount - 1, {}},
    {"converter", F::Converter, false, -1, kConverterRowCount - 1, {}},
    {"package", F::Package, true, 0, kPackageRowCount - 1, "component row"},
    {"updatehost", F::UpdateHost, false, 0, 0, {}},
};

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
    ParsedAnswerFile result;
    result.ok = error_.empty();
    if (result.ok) result.answers = std::move(answers_);
    result.error = std::move(error_);
    return result;
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
    if (lower == "fields") {
      section_ = Section::Fields;
    } else if (lower == "actions") {
      section_ = Section::Actions;
    } else {
      return Fail(shown, "unknown section (Fields or Actions)");
    }
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
    const FieldKey* known = nullptr;
    for (const FieldKey& k : kFieldKeys) {
      if (k.name == name && k.numbered == !digits.empty()) known = &k;
    }
    if (known == nullptr || (known->numbered && !IsKeyNumber(digits))) {
      return Fail(key, "unknown key in [Fields]");
    }
    FieldOption field{known->kind, 0, {}, false, Origin(key)};
    if (known->numbered) {
      const std::optional<int> n = digits.size() <= 4 ? Decimal(digits) : std::nullopt;
      if (!n || *n < known->low || *n > known->high) {
        return Fail(key, "no " + std::string(known->row) + " " + std::string(digits) + " " +
                             RangeText(known->low, known->high));
      }
      field.number = *n;
    }
    if (!NotTwice(key, "fields." + lower)) return;
    switch (known->kind) {
      case F::Radio:
      case F::Station:
      case F::Folder:
        field.text = value;
        break;
      case F::Engine:
      case F::Converter:
        if (std::optional<int> n = InRange(value, known->low, known->high)) {
          field.number = *n;
        } else {
          return Fail(key, "\"" + std::string(value) + "\" is not a number from " +
                               std::to_string(known->low) + " to " + std::to_string(known->high));
        }
        break;
      case F::Package:
        if (platform::FoldNameText(value) != "on" && platform::FoldNameText(value) != "off") {
          return Fail(key, "expected on or off, got \"" + std::string(value) + "\"");
        }
        field.on = platform::FoldNameText(value) == "on";
        break;
      case F::UpdateHost:
        if (!IsHostName(value))
          return Fail(key, "\"" + std::string(value) + "\" is not a host name");
        field.text = value;
        break;
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
    std::vector<std::string_view> words;
    for (size_t at = value.find_first_not_of(kBlanks); at != std::string_view::npos;
         at = value.find_first_not_of(kBlanks, at)) {
      const size_t end = std::min(value.find_first_of(kBlanks, at), value.size());
      words.push_back(value.substr(at, end - at));
      at = end;
    }
    using A = BatchAction::Kind;
    const std::string keyword = words.empty() ? std::string() : platform::FoldNameText(words[0]);
    if (keyword == "create-database" && words.size() == 1) {
      answers_.actions.push_back({A::CreateDatabase, 0});
    } else if ((keyword == "step" || keyword == "create-folder") && words.size() == 2) {
      const bool step = keyword == "step";
      const int low = step ? 1 : 0;
      const int high = step ? kStepCount : kFolderCount - 1;
      const std::optional<int> n = InRange(words[1], low, high);
      if (!n) {
        return Fail(key, std::string(step ? "no step " : "no folder row ") + std::string(words[1]) +
                             " " + RangeText(low, high));
      }
      answers_.actions.push_back({step ? A::Step : A::CreateFolder, *n});
    } else {
      Fail(key, "unknown action \"" + std::string(value) +
                    "\" (step N, create-folder N or create-database)");
    }
  }

  std::string name_;
  int line_ = 0;
  Section section_ = Section::None;
  std::map<std::string, int> seen_;  // section or key, lower case: its first line
  AnswerFile answers_;
  std::string error_;
};

// A value as the reader gives it back: quoted when its ends are blanks or quotes.
std::string Written(std::string_view value) {
  const bool blankEnd = !value.empty() && (kBlanks.find(value.front()) != std::string_view::npos ||
                                           kBlanks.find(value.back()) != std::string_view::npos);
  if (blankEnd || Unquoted(value) != value) return "\"" + std::string(value) + "\"";
  return std::string(value);
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
    ParsedAnswerFile unread;
    unread.error = std::string(path) + ": cannot be read";
    return unread;
  }
  return ParseAnswerFile(path, bytes);
}

AnswerFileText AnswerFileOf(const FrmMain& window, const std::vector<BatchAction>& actions) {
  AnswerFileText file;
  std::string& text = file.text;
  const auto put = [&](const std::string& key, std::string_view value) {
    text += key + "=" + std::string(value) + "\r\n";
  };
  const auto putText = [&](const std::string& key, std::string_view value) {
    if (file.fault.empty() && HasControl(value)) {
      file.fault = key + ": a line break or control character cannot be saved";
    } else if (file.fault.empty() && !platform::IsUtf8(value)) {
      file.fault = key + ": text that is not UTF-8 cannot be saved";
    }
    put(key, Written(value));
  };
  text = "; TX3_Setup answers\r\n[Fields]\r\n";
  putText("Radio", window.TexteNomRadio());
  for (int i = 0; i < kStationCount; ++i) {
    putText("Station" + std::to_string(i + 1), window.TexteNomStation(i));
  }
  for (int i = 0; i < kFolderCount; ++i) {
    putText("Folder" + std::to_string(i), window.TexteDossier(i).text);
  }
  // A capture finds the fields above in the installation's files; the others it cannot.
  text += kNotStoredComment;
  put("Engine", std::to_string(window.ComboPervasive().selected));
  put("Converter", std::to_string(window.CombodBPowerAmp().selected));
  for (int r = 0; r < kPackageRowCount; ++r) {
    put("Package" + std::to_string(r), window.PackageRowChecked(r) ? "on" : "off");
  }
  const std::string& host = window.Run().UpdateHost;
  putText("UpdateHost", host.empty() ? BuildUpdateHost() : std::string_view(host));
  text += "\r\n[Actions]\r\n";
  for (size_t i = 0; i < actions.size(); ++i) put(std::to_string(i + 1), ActionText(actions[i]));
  return file;
}

std::optional<std::string> SaveAnswerFile(std::string_view path, const FrmMain& window,
                                          const std::vector<BatchAction>& actions) {
  const AnswerFileText file = AnswerFileOf(window, actions);
  if (!file.fault.empty()) return std::string(path) + ": " + file.fault;
  if (!platform::Os().ReplaceNamedFile(path, file.text)) {
    return std::string(path) + ": cannot be written";
  }
  return std::nullopt;
}

}  // namespace tx3
