// The command line of the batch front end: what to set in the window, what to press, in order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/batch/operator_fields.h"

namespace tx3 {

// A field given by an option or an answer file, set after the window is created (defaults and
// read-back).
struct FieldOption {
  const OperatorField* field;
  int index = 0;  // the model's index: the number given less the field's first number
  FieldValue value;
};

// An action: a button pressed, in the order given.
struct BatchAction {
  enum class Kind { Step, CreateFolder, CreateDatabase };
  Kind kind;
  int number = 0;  // step 1..7, folder row 0..7
};

struct BatchOptions {
  enum class Mode { Batch, Help, Version };
  Mode mode = Mode::Batch;
  bool verbose = false;
  std::vector<FieldOption> fields;           // the options' and answer files' fields, in order
  std::vector<BatchAction> actions;          // the options' and answer files' actions, in order
  std::optional<std::string> saveAnswers;    // --save-answers FILE
  bool dryRun = false;                       // --dry-run
  std::optional<std::string> report;         // --report FILE
  std::optional<std::string> log;            // --log FILE
  std::optional<std::string> engineLibrary;  // --engine-library FILE
};

struct ParsedCommandLine {
  bool ok = false;
  BatchOptions options;
  std::string error;  // one line, when !ok
};

// Parses the arguments that follow the program name. --help or --version met before any fault wins;
// otherwise --batch must be given. An answer file (--answers FILE) is read and parsed here, through
// the platform, and its fields and actions take the place of the option.
ParsedCommandLine ParseBatchOptions(const std::vector<std::string>& args);

// The command line of the window: nothing, or only --log FILE and --engine-library FILE (each
// once); nullopt for any other command line, which is the batch front end's.
std::optional<BatchOptions> ParseWindowOptions(const std::vector<std::string>& args);

// How the answer files, the report and (after "--") the command line name an action, with the
// range of its number when it takes one.
struct ActionName {
  BatchAction::Kind kind;
  std::string_view word;             // "create-folder"
  std::string_view numberName = {};  // what its number names ("folder row"); empty: none
  int low = 0;
  int high = 0;
};

// The action named `word`, compared exactly; nullptr when none.
const ActionName* ActionNamed(std::string_view word);

// An action as the answer files and the report name it: "step 1", "create-folder 6",
// "create-database".
std::string ActionText(const BatchAction& action);

// The text of --help.
std::string BatchUsageText();

}  // namespace tx3
