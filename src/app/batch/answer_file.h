// Answer files: the fields and actions of the batch options kept in an INI file, so that one
// workstation's set-up can be replayed on another (--answers FILE, --save-answers FILE).
//
//   ; TX3_Setup answers
//   [Fields]
//   Radio=Radio Tarvox
//   Station1=Tarvox FM
//   Folder6=D:\TX_Data\Data
//   Engine=0
//   Converter=-1
//   Package0=on
//   UpdateHost=maj.example.org
//   [Actions]
//   1=step 1
//   2=create-database
//
// Section and key names are case-insensitive; blanks around names and values are trimmed and a
// value wrapped in double quotes loses them (so a value may keep its blanks). Comments are lines
// starting with ";" or "#": there is no comment after a value, which may hold ";" and "#" itself.
// Action keys are 1, 2, 3 ... in that order. The text is UTF-8 (a byte-order mark is skipped);
// bytes that are not valid UTF-8 are read as ANSI text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/batch/batch_options.h"

namespace tx3 {

class FrmMain;

struct AnswerFile {
  std::vector<FieldOption> fields;   // in the order of the file
  std::vector<BatchAction> actions;  // in the order of their numbers
};

struct ParsedAnswerFile {
  bool ok = false;
  AnswerFile answers;
  std::string error;  // one line naming the file, the line and the key, when !ok
};

// Parses the content of the answer file `name` (the name only appears in messages).
ParsedAnswerFile ParseAnswerFile(std::string_view name, std::string_view bytes);

// Reads the answer file `path` through the platform and parses it.
ParsedAnswerFile ReadAnswerFile(std::string_view path);

// Writes the answer file of the window's fields as they stand, with `actions` as its actions, to
// `path` atomically (UTF-8, CR LF line ends); answers the one-line fault when it cannot, or when a
// field holds what a line cannot (a line break, text not UTF-8).
std::optional<std::string> SaveAnswerFile(std::string_view path, const FrmMain& window,
                                          const std::vector<BatchAction>& actions);

}  // namespace tx3
