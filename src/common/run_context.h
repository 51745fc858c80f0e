// What one run of the program carries from procedure to procedure in the common layer: the
// public error record, the runtime's current error, the error manager's memory, the view's UI
// port and the output of EclateRepFicExt. The window model owns one and hands it down; a test
// builds a fresh one.
#pragma once

#include <string>
#include <vector>

#include "common/error.h"
#include "common/path_names.h"
#include "common/ui_port.h"
#include "platform/platform.h"

namespace tx3 {

// What the run changed on disk, in the order it happened: for the report and the dry run.
struct RunChanges {
  std::vector<platform::ProfileFileChange> profileFiles;  // one entry per commit of a file
  std::vector<std::string> folders;                       // folders created
  std::vector<std::string> dataFiles;                     // data files created
};

class RunContext {
 public:
  RunContext() = default;
  explicit RunContext(UiPort* ui) { SetUiPort(ui); }
  RunContext(const RunContext&) = delete;
  RunContext& operator=(const RunContext&) = delete;
  virtual ~RunContext() = default;

  // The port of the view in use; before a view is installed a silent port answers
  // (no message, cancelled dialogs).
  UiPort& Ui() { return *ui_; }
  // Installs the view's port (not owned); nullptr restores the silent port.
  void SetUiPort(UiPort* port) { ui_ = port != nullptr ? port : &silent_; }

  ErrorRecord PbTErreur;           // the public record of the latest failure
  ErrorRecord CurrentError;        // the runtime's `Err`: set on failure, cleared when reported
  ErrorManagerState ErrorManager;  // what GestionDesErreurs keeps from one report to the next
  RepFicExt PbTRepFicExt;          // the output of the latest EclateRepFicExt
  RunChanges Changes;              // what the run changed so far
  bool DryRun = false;             // nothing is changed; Changes tells what would be

 private:
  SilentUiPort silent_;
  UiPort* ui_ = &silent_;
};

}  // namespace tx3
