// Step 1: creates the folder of every non-blank folder field that does not exist yet.
#include "settings/folder_step.h"

#include <string>
#include <vector>

#include "common/text.h"
#include "common/ui_port.h"
#include "system/folder_checks.h"

namespace tx3 {

namespace {

void CreateMissingFolder(StepContext& ctx, int i) {
  const std::string& text = ctx.typed[i];
  bool skip = true;
  ctx.e(100, [&] { skip = Trim(text).empty() || EntryExists(text); });
  if (skip) return;
  ctx.e(110, [&] { Ui().SetStatusText(text); });
  ctx.e(120, [&] { VerificationEtCreationRepertoire(text, true); });
  ctx.e(130, [&] { ctx.window.FolderTextChanged(i); });
}

// The fields whose folder still does not exist: creation can fail silently (missing drive,
// refused name), so the operator is told instead of reading "Dossiers créés".
std::vector<std::string> FoldersStillMissing(StepContext& ctx) {
  std::vector<std::string> missing;
  for (int i = 0; i < kFolderCount; ++i) {
    ctx.e(140, [&] {
      const std::string& text = ctx.typed[i];
      if (!Trim(text).empty() && !EntryExists(text)) missing.push_back(text);
    });
  }
  return missing;
}

std::string MissingFoldersMessage(const std::vector<std::string>& missing) {
  std::string text = "Dossiers non créés:\r\n\r\n";
  for (size_t i = 0; i < missing.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += missing[i];
  }
  return text;
}

}  // namespace

void RunFolderStep(StepContext& ctx) {
  for (int i = 0; i < kFolderCount; ++i) CreateMissingFolder(ctx, i);
  const std::vector<std::string> missing = FoldersStillMissing(ctx);
  ctx.e(150, [&] {
    if (missing.empty()) {
      Ui().ShowMessage("Dossiers créés", MsgIcon::Information);
    } else {
      Ui().ShowMessage(MissingFoldersMessage(missing), MsgIcon::Warning);
    }
  });
}

}  // namespace tx3
