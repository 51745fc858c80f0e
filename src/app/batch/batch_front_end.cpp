#include "app/batch/batch_front_end.h"

#include <optional>

#include "app/batch/batch_options.h"
#include "app/batch/batch_ui_port.h"
#include "app/frm_main.h"
#include "common/run_context.h"
#include "platform/platform.h"

namespace tx3 {
namespace {

bool ValidRow(int row, const ComboState& combo) {
  return row >= -1 && row < static_cast<int>(combo.items.size());
}

// Sets one field as the operator would; answers the usage fault, if any.
std::optional<std::string> ApplyField(FrmMain& w, const FieldOption& f) {
  using K = FieldOption::Kind;
  switch (f.kind) {
    case K::Radio:
      w.SetTexteNomRadio(f.text);
      break;
    case K::Station:
      w.SetTexteNomStation(f.number - 1, f.text);
      break;
    case K::Folder:
      w.SetFolderText(f.number, f.text);
      break;
    case K::Engine:
      if (!ValidRow(f.number, w.ComboPervasive()))
        return "--engine: no row " + std::to_string(f.number);
      w.SetComboPervasiveSelection(f.number);
      break;
    case K::Converter:
      if (!ValidRow(f.number, w.CombodBPowerAmp())) {
        return "--converter: no row " + std::to_string(f.number);
      }
      w.SetCombodBPowerAmpSelection(f.number);
      break;
    case K::Package:
      w.SetListeTXChecked(f.number, f.on);
      break;
  }
  return std::nullopt;
}

void RunAction(FrmMain& w, const BatchAction& a) {
  using K = BatchAction::Kind;
  switch (a.kind) {
    case K::Step:
      w.CommandCreerSettings_Click(static_cast<int16_t>(a.number - 1));
      break;
    case K::CreateFolder:
      w.CommandDossierCreer_Click(a.number);
      break;
    case K::CreateDatabase:
      w.CommandPervasiveCreate_Click();
      break;
  }
}

int RunWindow(const BatchOptions& options, std::ostream& out, std::ostream& err) {
  FrmMain window;
  BatchUiPort port(window, out, err, options.verbose);
  window.SetUiPort(&port);

  window.Create();
  for (const FieldOption& f : options.fields) {
    if (std::optional<std::string> fault = ApplyField(window, f)) {
      err << "tx3_setup: " << *fault << '\n';
      return kExitUsage;
    }
  }
  for (const BatchAction& a : options.actions) RunAction(window, a);
  platform::Os().FlushWrites();

  const bool errorReported = window.Run().ErrorManager.reports != 0;
  return port.WarningsShown() > 0 || errorReported ? kExitTrouble : kExitOk;
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const ParsedCommandLine parsed = ParseBatchOptions(args);
  if (!parsed.ok) {
    err << "tx3_setup: " << parsed.error << '\n';
    return kExitUsage;
  }
  switch (parsed.options.mode) {
    case BatchOptions::Mode::Help:
      out << BatchUsageText();
      return kExitOk;
    case BatchOptions::Mode::Version: {
      RunContext run;
      out << "tx3_setup " << ProgramVersionText(run) << '\n';
      return kExitOk;
    }
    case BatchOptions::Mode::Batch:
      break;
  }
  return RunWindow(parsed.options, out, err);
}

}  // namespace tx3
