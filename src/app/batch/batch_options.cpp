#include "app/batch/batch_options.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "app/batch/answer_file.h"
#include "common/text.h"

namespace tx3 {
namespace {

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  if (text.empty()) return std::nullopt;
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// Reads one command line, keeping the first fault it meets.
class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  ParsedCommandLine Run() {
    ParsedCommandLine result;
    bool batch = false;
    for (pos_ = 0; pos_ < args_.size() && error_.empty(); ++pos_) {
      const std::string& arg = args_[pos_];
      if (arg == "--help") return Mode(BatchOptions::Mode::Help);
      if (arg == "--version") return Mode(BatchOptions::Mode::Version);
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
    result.ok = error_.empty();
    result.options = std::move(options_);
    // One line whatever the arguments hold: they are quoted in the refusals.
    result.error = OneLine(error_);
    return result;
  }

 private:
  ParsedCommandLine Mode(BatchOptions::Mode mode) {
    ParsedCommandLine result;
    result.ok = true;
    result.options.mode = mode;
    return result;
  }

  void Option(const std::string& arg) {
    using F = FieldOption::Kind;
    using A = BatchAction::Kind;
    if (arg == "--create-database") {
      options_.actions.push_back({A::CreateDatabase, 0});
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
    } else if (arg == "--radio") {
      if (auto v = Value(arg)) options_.fields.push_back({F::Radio, 0, *v, false});
    } else if (arg == "--station") {
      Assignment(arg, 1, 5, F::Station);
    } else if (arg == "--folder") {
      Assignment(arg, 0, 7, F::Folder);
    } else if (arg == "--package") {
      Package(arg);
    } else if (arg == "--engine" || arg == "--converter") {
      if (auto n = Number(arg, -1, 1000000)) {
        options_.fields.push_back({arg == "--engine" ? F::Engine : F::Converter, *n, {}, false});
      }
    } else if (arg == "--step") {
      if (auto n = Number(arg, 1, 7)) options_.actions.push_back({A::Step, *n});
    } else if (arg == "--create-folder") {
      if (auto n = Number(arg, 0, 7)) options_.actions.push_back({A::CreateFolder, *n});
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

  std::optional<int> Number(const std::string& option, int low, int high) {
    auto value = Value(option);
    if (!value) return std::nullopt;
    return InRange(option, *value, low, high);
  }

  std::optional<int> InRange(const std::string& option, std::string_view text, int low, int high) {
    const std::optional<int> n = ParseInt(text);
    if (!n || *n < low || *n > high) {
      error_ = option + ": " + std::string(text) + " is not a number from " + std::to_string(low) +
               " to " + std::to_string(high);
      return std::nullopt;
    }
    return n;
  }

  // N=TEXT: the number before the first "=", the text after it (which may hold "=" too).
  std::optional<std::pair<int, std::string>> Split(const std::string& option, int low, int high) {
    auto value = Value(option);
    if (!value) return std::nullopt;
    const size_t eq = value->find('=');
    if (eq == std::string::npos) {
      error_ = option + ": expected N=VALUE, got " + *value;
      return std::nullopt;
    }
    auto n = InRange(option, std::string_view(*value).substr(0, eq), low, high);
    if (!n) return std::nullopt;
    return std::pair{*n, value->substr(eq + 1)};
  }

  void Assignment(const std::string& option, int low, int high, FieldOption::Kind kind) {
    if (auto a = Split(option, low, high)) options_.fields.push_back({kind, a->first, a->second});
  }

  void Package(const std::string& option) {
    auto a = Split(option, 0, 17);
    if (!a) return;
    if (a->second != "on" && a->second != "off") {
      error_ = option + ": expected on or off, got " + a->second;
      return;
    }
    options_.fields.push_back({FieldOption::Kind::Package, a->first, {}, a->second == "on"});
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

std::string ActionText(const BatchAction& action) {
  switch (action.kind) {
    case BatchAction::Kind::Step:
      return "step " + std::to_string(action.number);
    case BatchAction::Kind::CreateFolder:
      return "create-folder " + std::to_string(action.number);
    case BatchAction::Kind::CreateDatabase:
      break;
  }
  return "create-database";
}

ParsedCommandLine ParseBatchOptions(const std::vector<std::string>& args) {
  return Parser(args).Run();
}

std::string BatchUsageText() {
  return R"(Usage:
  tx3_setup [--log FILE] [--engine-library FILE]      opens the window
  tx3_setup --batch [--answers FILE] [FIELDS] [ACTIONS] [--save-answers FILE]
                    [--dry-run] [--report FILE] [--log FILE] [--engine-library FILE]
                    [--verbose]
  tx3_setup --help | --version

In batch mode the window is created as usual (defaults, then the read-back of an
earlier installation, the one of folder row 0 when the options give it), then the
fields are set, then the actions run in the order given.

Fields:
  --radio TEXT          the radio's name
  --station N=TEXT      the name of station N, 1 to 5 (empty TEXT clears it)
  --folder N=PATH       folder row N, 0 to 7 (0 Application, 1 Config, 2 Log technique,
                        3 Log Pub, 4 Sons Musique, 5 Sons Autre, 6 Datas, 7 Redist)
  --engine N            the selected database engine version (0-based; -1 none)
  --converter N         the selected audio converter version (0-based; -1 none)
  --package R=on|off    the check mark of component row R, 0 to 17

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
                        (status 1)

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
Fields: Radio, Station1 to Station5 (empty clears the name), Folder0 to Folder7, Engine
and Converter (-1 none), Package0 to Package17 (on or off), UpdateHost (the update
server of steps 6 and 7). Actions: keys 1, 2, 3 ... in order; step N (1 to 7),
create-folder N (0 to 7), create-database. A faulty answer file stops everything
before the window is created: one line names the file, the line and the key (status 2).

Environment: TX3_UPDATE_HOST names the update server instead of the build's (an answer
file's UpdateHost wins); a value that is not a host name is refused with a warning.

Every message box is printed on standard output as a block: [information], [warning]
or [critical], its text, then an empty line.

Exit status: 0 when no warning or critical message was shown and no error was
reported (with --dry-run: and nothing would change); 1 otherwise (a warning on standard
error counts too, and wins over 3); 2 for a usage error (no report is written);
3 with --dry-run when something would change.
tx3_setup alone ends with status 1 when the window cannot open (no display, or a build
without the window).
)";
}

}  // namespace tx3
