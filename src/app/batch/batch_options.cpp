#include "app/batch/batch_options.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <string_view>

#include "app/batch/answer_file.h"
#include "common/text.h"
#include "settings/settings_window.h"

namespace tx3 {
namespace {

constexpr ActionName kActions[] = {
    {BatchAction::Kind::Step, "step", "step", 1, kStepCount},
    {BatchAction::Kind::CreateFolder, "create-folder", "folder row", 0, kFolderCount - 1},
    {BatchAction::Kind::CreateDatabase, "create-database"},
};

// Reads one command line, keeping the first fault it meets.
class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  ParsedCommandLine Run() {
    bool batch = false;
    for (pos_ = 0; pos_ < args_.size() && error_.empty(); ++pos_) {
      const std::string& arg = args_[pos_];
      if (arg == "--help" || arg == "--version") {
        ParsedCommandLine result{true, {}, {}};
        result.options.mode =
            arg == "--help" ? BatchOptions::Mode::Help : BatchOptions::Mode::Version;
        return result;
      }
      if (arg == "--batch") {
        batch = true;
      } else if (arg == "--verbose") {
        options_.verbose = true;
      } else if (arg == "--dry-run") {
        options_.dryRun = true;
      } else {
        Option(arg);
      }
    }
    if (error_.empty() && !batch) error_ = "options need --batch (see --help)";
    // One line whatever the arguments hold: they are quoted in the refusals.
    return {error_.empty(), std::move(options_), OneLine(error_)};
  }

 private:
  void Option(const std::string& arg) {
    const ActionName* action = arg.starts_with("--") ? ActionNamed(arg.substr(2)) : nullptr;
    if (action != nullptr && action->numberName.empty()) {
      options_.actions.push_back({action->kind, 0});
    } else if (action != nullptr) {
      const std::optional<std::string> value = Value(arg);
      if (auto n = value ? InRange(arg, *value, action->low, action->high) : std::nullopt) {
        options_.actions.push_back({action->kind, *n});
      }
    } else if (arg == "--answers") {
      if (auto path = Value(arg)) Answers(*path);
    } else if (arg == "--save-answers") {
      OutputFile(arg, options_.saveAnswers);
    } else if (arg == "--report") {
      OutputFile(arg, options_.report);
    } else if (arg == "--log") {
      OutputFile(arg, options_.log);
    } else if (arg == "--engine-library") {
      OutputFile(arg, options_.engineLibrary);
    } else if (const OperatorField* field = FieldOfOption(arg)) {
      Field(*field, arg);
    } else {
      error_ = "unknown option: " + arg;
    }
  }

  std::optional<std::string> Value(const std::string& option) {
    if (pos_ + 1 >= args_.size()) {
      error_ = option + " needs a value";
      return std::nullopt;
    }
    return args_[++pos_];
  }

  std::optional<int> InRange(const std::string& option, std::string_view text, int low, int high) {
    const std::optional<int> n = DecimalIn(text, low, high);
    if (!n) {
      error_ = option + ": " + std::string(text) + " is not a number from " + std::to_string(low) +
               " to " + std::to_string(high);
    }
    return n;
  }

  // --option VALUE, or --option N=VALUE for a numbered field: the number before the first "=",
  // the value after it (which may hold "=" too).
  void Field(const OperatorField& f, const std::string& option) {
    const std::optional<std::string> given = Value(option);
    if (!given) return;
    FieldOption field{&f, 0, {}};
    std::string_view value = *given;
    if (f.Numbered()) {
      const size_t eq = value.find('=');
      if (eq == std::string::npos) {
        error_ = option + ": expected N=VALUE, got " + *given;
        return;
      }
      const std::optional<int> n =
          InRange(option, value.substr(0, eq), f.firstNumber, f.LastNumber());
      if (!n) return;
      field.index = *n - f.firstNumber;
      value = value.substr(eq + 1);
    }
    if (std::optional<std::string> fault = ReadValue(f, value, value, &field.value)) {
      error_ = option + ": " + *fault;
      return;
    }
    options_.fields.push_back(std::move(field));
  }

  // A file the run writes or loads, named once.
  void OutputFile(const std::string& option, std::optional<std::string>& file) {
    auto path = Value(option);
    if (!path) return;
    if (file) {
      error_ = option + " given twice";
    } else {
      file = std::move(*path);
    }
  }

  // The file's fields and actions where the option stands.
  void Answers(const std::string& path) {
    ParsedAnswerFile file = ReadAnswerFile(path);
    if (!file.ok) {
      error_ = std::move(file.error);
      return;
    }
    for (FieldOption& f : file.answers.fields) options_.fields.push_back(std::move(f));
    for (const BatchAction& a : file.answers.actions) options_.actions.push_back(a);
  }

  const std::vector<std::string>& args_;
  size_t pos_ = 0;
  BatchOptions options_;
  std::string error_;
};

}  // namespace

std::optional<BatchOptions> ParseWindowOptions(const std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); i += 2) {
    if (args[i] != "--log" && args[i] != "--engine-library") return std::nullopt;
  }
  // Checked as a batch command line is (values, each option once), --batch aside.
  std::vector<std::string> batch = args;
  batch.emplace_back("--batch");
  ParsedCommandLine parsed = ParseBatchOptions(batch);
  if (!parsed.ok) return std::nullopt;
  return std::move(parsed.options);
}

const ActionName* ActionNamed(std::string_view word) {
  const auto named = std::ranges::find(kActions, word, &ActionName::word);
  return named == std::end(kActions) ? nullptr : named;
}

std::string ActionText(const BatchAction& action) {
  const ActionName& name = *std::ranges::find(kActions, action.kind, &ActionName::kind);
  if (name.numberName.empty()) return std::string(name.word);
  return std::string(name.word) + " " + std::to_string(action.number);
}

ParsedCommandLine ParseBatchOptions(const std::vector<std::string>& args) {
  return Parser(args).Run();
}

namespace {

constexpr std::string_view kUsageHead = R"(Usage:
  tx3_setup [--log FILE] [--engine-library FILE]      opens the window
  tx3_setup --batch [--answers FILE] [FIELDS] [ACTIONS] [--save-answers FILE]
                    [--dry-run] [--report FILE] [--log FILE] [--engine-library FILE]
                    [--verbose]
  tx3_setup --help | --version

In batch mode the window is created as usual (defaults, then the read-back of an
earlier installation, the one of folder row 0 when the options give it), then the
fields are set, then the actions run in the order given.

Fields:
)";

constexpr std::string_view kUsageActions = R"(
Actions:
  --step N              press "Etape N", N 1 to 7
  --create-folder N     press the "Créer" button of folder row N
  --create-database     press "Créer les fichiers de la base de données"

Answer files:
  --answers FILE        the fields and actions of an answer file, taken as if given at
                        this place of the command line (options after it override its
                        fields); may be given several times
  --save-answers FILE   capture the workstation: write the fields as they stand after the
                        read-back and the field options, and this run's actions, to an
                        answer file, before the actions run; folder rows 0, 2 and 3 come
                        from the installation's files; when it cannot be written, no
                        action runs (status 1); when no installation is found, a warning
                        (status 4)

Dry run and report:
  --dry-run             run the actions without changing anything (no folder, settings
                        file, data file, browser or log line), then print per action what
                        would change: the folders to create, each settings file with its
                        keys to add and to change (with --verbose each key, "+" its new
                        line, "-" the line it replaces), the data files to create, and a
                        total; one line "Rien à changer : le poste est à jour." when
                        nothing would change. The actions' information messages are not
                        printed (they tell what a real run did); warnings are.
  --report FILE         write a JSON report of the run at its end (fields, each action's
                        messages and changes, every message, totals, dry run or not, exit
                        status), replaced atomically, also when the run fails or is a dry
                        run; when it cannot be written, one line says so (status 1)

  --verbose             also print every status-bar text on standard error

Log and engine (the window takes them too):
  --log FILE            the log file of the run, instead of TX3_LOG_FILE or the default
                        one; when the log cannot be opened, one line on standard error
                        says so and the run goes on
  --engine-library FILE the database engine library to load, instead of
                        TX3_BTRIEVE_LIBRARY or the default one

An answer file is an INI file in UTF-8 (ANSI is accepted too). Section and key names are
case-insensitive; blanks around names and values are ignored (a value wrapped in double
quotes keeps its own); comments are whole lines starting with ; or #, never after a value:
  ; TX3_Setup answers
  [Fields]
  Radio=Radio Tarvox
  Station1=Tarvox FM
  Folder0=C:\Brennic\Tarvox\
  Engine=0
  Converter=-1
  Package0=on
  UpdateHost=maj.example.org
  [Actions]
  1=step 1
  2=create-folder 6
  3=create-database
)";

constexpr std::string_view kUsageAnswerActions =
    "Actions: keys 1, 2, 3 ... in order; step N (1 to 7), create-folder N (0 to 7), "
    "create-database. A faulty answer file stops everything before the window is created: one "
    "line names the file, the line and the key (status 2).";

constexpr std::string_view kUsageTail = R"(
Environment: TX3_UPDATE_HOST names the update server instead of the build's (an answer
file's UpdateHost wins); a value that is not a host name is refused with a warning.

Every message box is printed on standard output as a block: [information], [warning]
or [critical], its text, then an empty line.

Exit status:
  0  done, no warning (with --dry-run: and nothing would change)
  1  something was not done: a critical message, an error reported to the log, a
     settings file not written, a folder or data file not created, answers or the
     report not written (with --dry-run too: 1 wins over 3)
  2  usage error: a bad option or a faulty answer file (nothing done, no report)
  3  --dry-run only: something would change (3 wins over 4)
  4  done, but warnings were shown (warning blocks, or warning lines on standard error)
Deployment tools: declare 0 and 4 as success, 1 and 2 as failure.
tx3_setup alone ends with status 1 when the window cannot open (no display, or a build
without the window).
)";

constexpr size_t kUsageWidth = 88;
constexpr size_t kUsageOptionWidth = 24;  // where the options' descriptions start

// `line` then the words of `text`, broken into lines of at most kUsageWidth characters, the
// lines after the first indented by `indent` blanks.
std::string Wrapped(std::string line, std::string_view text, size_t indent) {
  std::string out;
  size_t head = line.size();  // the line's part before its first word
  std::istringstream words{std::string(text)};
  for (std::string word; words >> word; line += word) {
    if (line.size() > head && line.size() + 1 + word.size() > kUsageWidth) {
      out += line + '\n';
      line.assign(head = indent, ' ');
    } else if (line.size() > head) {
      line += ' ';
    }
  }
  return out + line + '\n';
}

// One line (or more) per field option.
std::string FieldOptionsText() {
  std::string text;
  for (const OperatorField& f : OperatorFields()) {
    if (f.option.empty()) continue;
    std::string head = "  " + std::string(f.option) + " " + std::string(f.syntax);
    head.resize(std::max(head.size() + 2, kUsageOptionWidth), ' ');
    text += Wrapped(std::move(head), FieldHelp(f), kUsageOptionWidth);
  }
  return text;
}

// The answer files' keys, with what their values may be.
std::string FieldKeysText() {
  constexpr std::string_view kValues[] = {"", "-1 none", "on or off", "a host name"};  // by kind
  std::string text = "Fields:";
  for (const OperatorField& f : OperatorFields()) {
    text += (&f == OperatorFields().data() ? " " : ", ") + f.Key(0);
    if (f.Numbered()) text += " to " + f.Key(f.count - 1);
    std::string note = f.option.empty() ? std::string(f.help) + ", " : std::string();
    if (f.kind == FieldKind::ListRow) note += "-1 to " + std::to_string(f.LastRow()) + ", ";
    note += kValues[static_cast<int>(f.kind)];
    if (!note.empty()) text += " (" + note + ")";
  }
  return text + ". " + std::string(kUsageAnswerActions);
}

}  // namespace

std::string BatchUsageText() {
  return std::string(kUsageHead) + FieldOptionsText() + std::string(kUsageActions) +
         Wrapped({}, FieldKeysText(), 0) + std::string(kUsageTail);
}

}  // namespace tx3
