// The operator's fields: one row per field of the window that a batch run sets (its option, its
// answer-file key), saves (--save-answers) and reports (--report). ParseBatchOptions, the answer
// files' reader and writer, RunWindow, FieldsOf, the report and --help all walk this table, so a
// new field is a row of it plus the model's setter. The ranges are the model's: its counts of
// stations, folder rows and component rows, and the rows its lists are filled with.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tx3 {

class FrmMain;

// What a field holds, which decides how its value is written, checked and reported.
enum class FieldKind {
  Text,       // any text: a string in the report
  ListRow,    // the selected row of a drop-down list, 0-based, -1 for none: {row, text}
  CheckMark,  // "on" or "off": {row, name, checked}
  HostName,   // a server's host name: a string in the report
};

// A field's value. As read from the window, `text` is also the selected row's text (ListRow) or
// the name of the checked row (CheckMark).
struct FieldValue {
  std::string text;
  int row = -1;
  bool on = false;
};

// A row of the table. The model's index of a numbered field is its number less `firstNumber`.
struct OperatorField {
  std::string_view key;       // the answer-file key ("Station"), the number after it when numbered
  std::string_view option{};  // "--station"; empty when only an answer file sets the field
  std::string_view syntax{};  // the option's value as --help shows it: "N=TEXT"
  std::string_view help;      // --help: "{range}" is the numbers' range, "{labels}" their captions
  std::string_view report;    // its member in the report's "fields"
  FieldKind kind;
  FieldValue (*get)(const FrmMain& window, int index);
  void (*set)(FrmMain& window, int index, const FieldValue& value);
  bool stored = false;            // kept in an installation's settings files (a capture reads it)
  std::string_view control{};     // the window's control that shows it, for its captions
  std::string_view numberName{};  // what the number names ("station"); empty: a single field
  int firstNumber = 0;
  int count = 1;
  std::span<const std::string_view> (*listRows)() = nullptr;  // ListRow: the model's list rows

  bool Numbered() const { return !numberName.empty(); }
  int LastNumber() const { return firstNumber + count - 1; }
  int LastRow() const { return static_cast<int>(listRows().size()) - 1; }  // ListRow
  std::string Key(int index) const;                                        // "Station2"
};

// Every field, stored ones first, in the order of the answer files and of the report.
std::span<const OperatorField> OperatorFields();

// The field of option `option` ("--engine"); nullptr when none.
const OperatorField* FieldOfOption(std::string_view option);

// The field's --help description, its range and captions filled in.
std::string FieldHelp(const OperatorField& field);

// Reads `text` as a value of `field` into `value`; answers why it cannot be one, quoting the
// text as `shown`. On and off are lower case (an answer file folds their case first).
std::optional<std::string> ReadValue(const OperatorField& field, std::string_view text,
                                     std::string_view shown, FieldValue* value);

// A decimal number, from `low` to `high`.
std::optional<int> DecimalIn(std::string_view text, int low, int high);

}  // namespace tx3
