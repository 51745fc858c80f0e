// Step 1: creates the folder of every non-blank folder field that does not exist yet.
#include "settings/step_context.h"

#include <string>
#include <vector>

#include "common/list_message.h"
#include "common/text.h"
#include "common/ui_port.h"
#include "system/folder_checks.h"

namespace tx3 {

namespace {

void CreateMissingFolder(StepContext& ctx, int i) {
  const std::string& text = ctx.typed[i];
  bool blank = true;
  ctx.e(100, [&] { blank = Trim(text).empty(); });
  if (blank || EntryExists(ctx.e, 100, text)) return;
  ctx.e(110, [&] { ctx.run.Ui().SetStatusText(text); });
  ctx.e(120, [&] { VerificationEtCreationRepertoire(ctx.run, text); });
  ctx.e(130, [&] { ctx.window.TexteDossier_Change(i); });
}

// The fields whose folder still does not exist: creation can fail silently (missing drive,
// refused name), so the operator is told instead of reading "Dossiers créés". Each field is one
// line of the list: a line break typed in it would otherwise show as two folders.
std::vector<std::string> FoldersStillMissing(StepContext& ctx) {
  std::vector<std::string> missing;
  for (int i = 0; i < kFolderCount; ++i) {
    const std::string& text = ctx.typed[i];
    if (Trim(text).empty() || EntryExists(ctx.e, 140, text)) continue;
    ctx.e(140, [&] { missing.push_back(OneLine(text)); });
  }
  return missing;
}

}  // namespace

void RunFolderStep(StepContext& ctx) {
  for (int i = 0; i < kFolderCount; ++i) CreateMissingFolder(ctx, i);
  const std::vector<std::string> missing = FoldersStillMissing(ctx);
  ctx.e(150, [&] {
    if (missing.empty()) {
      ctx.run.Ui().ShowMessage("Dossiers créés", MsgIcon::Information);
    } else {
      ctx.run.Ui().ShowMessage(ListMessage(kDossiersNonCrees, missing), MsgIcon::Warning);
    }
  });
}

}  // namespace tx3
