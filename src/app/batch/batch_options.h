// The command line of the batch front end: what to set in the window, what to press, in order.
#pragma once

#include <string>
#include <vector>

namespace tx3 {

// A field option, applied after the window is created (defaults and read-back).
struct FieldOption {
  enum class Kind { Radio, Station, Folder, Engine, Converter, Package };
  Kind kind;
  int number = 0;    // station 1..5, folder row 0..7, list row (-1 none), component row 0..17
  std::string text;  // radio name, station name, folder path
  bool on = false;   // component check mark
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
  std::vector<FieldOption> fields;
  std::vector<BatchAction> actions;
};

struct ParsedCommandLine {
  bool ok = false;
  BatchOptions options;
  std::string error;  // one line, when !ok
};

// Parses the arguments that follow the program name. --help or --version met before any fault wins;
// otherwise --batch must be given.
ParsedCommandLine ParseBatchOptions(const std::vector<std::string>& args);

// The text of --help.
std::string BatchUsageText();

}  // namespace tx3
