// Step 3: completes the four settings files of the configuration folder, keeping every value
// already stored.
#include "settings/general_settings.h"

#include <string>

#include "platform/platform.h"
#include "settings/advertising_defaults.h"
#include "settings/global_configuration.h"
#include "settings/keep_or_default.h"
#include "settings/music_defaults.h"
#include "settings/system_settings.h"

namespace tx3 {

void RunGeneralSettings(StepContext& ctx) {
  if (!ConfigFolderFound(ctx)) return;
  SettingsWriter writer(ctx.run, ctx.e);
  WriteSystemSettings(ctx, writer);

  const std::string& n1 = ctx.folder[row::kConfig];
  IniKeys music;
  ctx.e(400, [&] { music = MusicDefaultKeys(ctx.run); });
  writer.AtLine(410);
  KeepOrDefaultAll(writer, n1 + "BR_Mus.ini", music);

  IniKeys advertising;
  ctx.e(420, [&] { advertising = AdvertisingDefaultKeys(ctx.run); });
  writer.AtLine(430);
  KeepOrDefaultAll(writer, n1 + "BR_Pub.ini", advertising);

  ctx.e(440, [&] { writer.Commit(); });
  ctx.e(450, [&] { ShowSettingsOutcome(ctx.run, writer); });
}

}  // namespace tx3
