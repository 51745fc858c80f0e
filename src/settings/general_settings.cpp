// Step 3: completes the four settings files of the configuration folder, keeping every value
// already stored.
#include "settings/step_context.h"

#include <string>

#include "platform/platform.h"
#include "settings/global_configuration.h"
#include "settings/ini_key.h"
#include "settings/keep_or_default.h"
#include "settings/system_settings.h"

namespace tx3 {

void RunGeneralSettings(StepContext& ctx) {
  if (!ConfigFolderFound(ctx)) return;
  SettingsWriter writer(ctx.run, ctx.e);
  WriteSystemSettings(ctx, writer);

  const std::string& n1 = ctx.folder[row::kConfig];
  KeepOrDefaultAll(ctx, writer, 400, n1 + "BR_Mus.ini", [&] { return MusicDefaultKeys(ctx.run); });
  KeepOrDefaultAll(ctx, writer, 420, n1 + "BR_Pub.ini",
                   [&] { return AdvertisingDefaultKeys(ctx.run); });

  ctx.e(440, [&] { writer.Commit(); });
  ctx.e(450, [&] { ShowSettingsOutcome(ctx.run, writer); });
}

}  // namespace tx3
