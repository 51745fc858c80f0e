// CommandCreerSettings_Click: the frame shared by the seven step buttons.
#include "settings/settings_command.h"
#include "common/profile_transaction.h"

#include <iterator>

#include "common/error.h"
#include "common/path_names.h"
#include "common/text.h"
#include "common/ui_port.h"
#include "settings/step_context.h"

namespace tx3 {

namespace {

constexpr std::string_view kBusy = "Veuillez attendre la fin de la tâche en cours.";
constexpr std::string_view kNoConfigSubfolder =
    "Le nom du dossier Config ne possède pas de sous-dossier \\Config";

// Each field is read once, in index order; its normalised form is N0 to N7.
void ReadFolders(StepContext& ctx) {
  for (int i = 0; i < kFolderCount; ++i) {
    ctx.e(30, [&] {
      ctx.typed[i] = ctx.window.TexteDossier(i);
      ctx.folder[i] = CheckRep(ctx.run, ctx.typed[i], "\\");
    });
  }
}

// The installation root is the folder holding "\Config" (case matters); without it the
// configuration folder stands in, after a warning, and every command still runs.
void DeriveRoot(StepContext& ctx) {
  const std::string& n1 = ctx.folder[row::kConfig];
  size_t p = 0;
  ctx.e(40, [&] { p = InStr(n1, "\\Config"); });
  if (p <= 1) {
    ctx.e(50, [&] { ctx.run.Ui().ShowMessage(kNoConfigSubfolder, MsgIcon::Warning); });
    ctx.e(60, [&] { ctx.racine = n1; });
  } else {
    ctx.e(70, [&] { ctx.racine = CheckRep(ctx.run, LeftChars(n1, p - 1), "\\"); });
  }
}

// The command of each step button, by index.
constexpr void (*kSteps[])(StepContext&) = {
    RunFolderStep,        RunGlobalConfiguration, RunGeneralSettings,  RunDatabaseEngineDownload,
    RunConverterDownload, RunComponentsInstaller, RunPackageDownloads,
};
static_assert(std::size(kSteps) == kStepCount);

}  // namespace

void CommandCreerSettings_Click(SystemContext& run, SettingsWindow& window, int16_t index) {
  ErrorPattern e(run, "Frm_Main:CommandCreerSettings_Click");
  bool busy = false;
  e(10, [&] { busy = window.TacheEnCours(); });
  if (busy) {
    e(20, [&] { run.Ui().ShowMessage(kBusy, MsgIcon::Warning); });
    return;
  }
  window.TacheEnCours() = true;

  const ProfileTransaction transaction;
  StepContext ctx{run, window, e};
  ReadFolders(ctx);
  DeriveRoot(ctx);
  if (index >= 0 && index < kStepCount) kSteps[index](ctx);

  // The common ending, whatever the branch did: it always releases the busy flag.
  e(900, [&] {
    if (index < 0 || index >= kStepCount) Raise(err::kSubscript);  // no such check box
    window.SetCheckAction(index, true);
  });
  e(910, [&] { run.Ui().SetStatusText(""); });
  window.TacheEnCours() = false;
}

}  // namespace tx3
