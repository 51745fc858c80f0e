// Step 2: the global configuration, overwritten with the window's current values.
#include "settings/global_configuration.h"

#include <string>

#include "common/path_names.h"
#include "common/text.h"
#include "common/ui_port.h"
#include "platform/platform.h"
#include "settings/keep_or_default.h"
#include "system/folder_checks.h"
#include "system/windows_version.h"

namespace tx3 {

namespace {

void WriteWinIni(StepContext& ctx, SettingsWriter& writer) {
  std::string winIni;
  ctx.e(220, [&] { winIni = CheckRep(ctx.run, GetWinDir(ctx.run), "\\") + "Win.ini"; });
  const std::string& n1 = ctx.folder[row::kConfig];
  writer.AtLine(230);
  writer.Overwrite(winIni, "Brennic", "INI_TARVOX", n1);
  writer.Overwrite(winIni, "Brennic", "INI_TARVOX_UNC", n1);
  writer.Overwrite(winIni, "Brennic", "UNC_Actif", "ON");
}

void WriteGlobalFile(StepContext& ctx, SettingsWriter& writer) {
  std::string file;
  // The application folder as CheckRep gives it: typed without its final backslash, it still
  // holds the Settings folder the other programs read.
  ctx.e(240, [&] {
    file = CheckRep(ctx.run, ctx.window.DossierApplication(), "\\") +
           std::string(kGlobalConfigurationFile);
  });
  ctx.e(250, [&] {
    EclateRepFicExt(ctx.run, file);
    VerificationEtCreationRepertoire(ctx.run, ctx.run.PbTRepFicExt.Rep);
  });
  std::string radio;
  ctx.e(260, [&] { radio = ctx.window.TexteNomRadio(); });
  const std::string& n1 = ctx.folder[row::kConfig];
  writer.AtLine(270);
  writer.Overwrite(file, "Site", "Lib", radio);
  writer.Overwrite(file, "Site", "Actif", "1");
  writer.Overwrite(file, "Site", "NbBase", "1");
  writer.Overwrite(file, "Site", "NoBase", "1");
  writer.Overwrite(file, "Site", "Dossier_Config_Global", n1);
  writer.Overwrite(file, "Base_01", "Dossier_Config_Global", n1);
}

}  // namespace

bool ConfigFolderFound(StepContext& ctx) {
  const std::string& typed = ctx.typed[row::kConfig];
  bool found = false;
  ctx.e(200, [&] { found = !Trim(typed).empty(); });
  found = found && EntryExists(ctx.e, 200, typed);
  if (found) return true;
  ctx.e(210, [&] {
    ctx.run.Ui().ShowMessage("Dossier de config non trouvé:\r\n\r\n" + typed, MsgIcon::Critical);
  });
  return false;
}

void RunGlobalConfiguration(StepContext& ctx) {
  if (!ConfigFolderFound(ctx)) return;
  SettingsWriter writer(ctx.run, ctx.e);
  // "Win.ini" carries the configuration pointers but from Vista on (codes 6 to 11).
  const int32_t code = ctx.run.CodeVersionWindows;
  if (code < 6 || code > 11) WriteWinIni(ctx, writer);
  WriteGlobalFile(ctx, writer);
  ctx.e(280, [&] { writer.Commit(); });
  ctx.e(290, [&] { ShowSettingsOutcome(ctx.run, writer); });
}

}  // namespace tx3
