// The download commands: each works out an address from the operator's choice and hands it to
// the shell; nothing is verified before or after.
#include "settings/step_context.h"

#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "common/ui_port.h"
#include "settings/download_addresses.h"
#include "system/external_launch.h"

namespace tx3 {

namespace {

// An item of a version list: an address to open, or a message when that version can no longer
// be downloaded.
struct Choice {
  std::string address;
  std::string_view message;
};

constexpr std::string_view kOwnPervasive =
    "Pour cette version de Pervasive, veuillez utiliser vos ressources propres.";
constexpr std::string_view kOwnConverter =
    "Pour cette version de dBPowerAmp, veuillez utiliser vos ressources propres.";

// The item `item` of a list; nothing beyond its ends.
template <typename List>
auto ItemOf(const List& items, int item) -> std::optional<typename List::value_type> {
  if (item < 0 || item >= static_cast<int>(items.size())) return std::nullopt;
  return items[static_cast<size_t>(item)];
}

// ComboPervasive items: V12, V11, V10, V09, V08 (Windows XP).
std::optional<Choice> EngineChoice(int item) {
  static const std::array<Choice, 5> kItems = {{
      {DatabaseVendorPageAddress(30663,
                                 "?product=psql&version=12&edition=workgroup&platform=windows"),
       {}},
      {DatabaseVendorPageAddress(17131,
                                 "?product=psql&version=11&edition=workgroup&platform=windows"),
       {}},
      {DatabaseVendorPageAddress(2077), {}},
      {DatabaseVendorPageAddress(43), {}},
      {{}, kOwnPervasive},
  }};
  return ItemOf(kItems, item);
}

// CombodBPowerAmp items: 15.3, 14.4, the free version (Windows XP).
std::optional<Choice> ConverterChoice(int item) {
  static const std::array<Choice, 3> kItems = {{
      {ConverterInstallerAddress("dMC-R15.3-Ref-Trial.exe"), {}},
      {ConverterInstallerAddress("dMC-R14.4-Ref-Trial.exe"), {}},
      {{}, kOwnConverter},
  }};
  return ItemOf(kItems, item);
}

// ListeTX rows, by position.
constexpr std::array<std::string_view, 18> kPackages = {
    "TX3_Library.zip",        "TX3_Production.zip",    "TX3_Tools_Scheduler.zip",
    "TX3_Palette.zip",        "TX3_Tools_Planner.zip", "TX3_Diffuseurs.zip",
    "TX3_Cartoucheur.zip",    "TX3_Launcher.zip",      "TX3_Tools_Connection.zip",
    "TX3_Tools_Convert.zip",  "TX3_Tools_Data.zip",    "TX3_Tools_FTP.zip",
    "TX3_Tools_GIE.zip",      "TX3_Tools_Kill.zip",    "TX3_Tools_ON_AIR.zip",
    "TX3_Tools_Recorder.zip", "TX3_Tools_Stats.zip",   "TX3_Tools_Web.zip",
};

// Statement `line` takes the operator's item; statement `line` + 10 opens its address or shows
// its message.
void RunChoice(StepContext& ctx, int line, const std::function<std::optional<Choice>()>& choose) {
  std::optional<Choice> choice;
  ctx.e(line, [&] { choice = choose(); });
  if (!choice) return;
  ctx.e(line + 10, [&] {
    if (!choice->address.empty()) {
      ExecuterProgrammeExterne(ctx.run, choice->address);
    } else {
      ctx.run.Ui().ShowMessage(choice->message, MsgIcon::Warning);
    }
  });
}

}  // namespace

void RunDatabaseEngineDownload(StepContext& ctx) {
  RunChoice(ctx, 500, [&] { return EngineChoice(ctx.window.PervasiveSelection()); });
}

void RunConverterDownload(StepContext& ctx) {
  RunChoice(ctx, 520, [&] { return ConverterChoice(ctx.window.ConverterSelection()); });
}

void RunComponentsInstaller(StepContext& ctx) {
  ctx.e(540, [&] {
    ExecuterProgrammeExterne(
        ctx.run, UpdateServerAddress(ctx.run.UpdateHost, "Setup_TX3_Composants_V34.exe"));
  });
}

void RunPackageDownloads(StepContext& ctx) {
  int rows = 0;
  ctx.e(550, [&] { rows = ctx.window.PackageRowCount(); });
  for (int r = 0; r < rows; ++r) {
    std::string address;
    ctx.e(560, [&] {
      if (const auto package = ItemOf(kPackages, r)) {
        address = UpdateServerAddress(ctx.run.UpdateHost, *package);
      }
    });
    ctx.e(570, [&] {
      if (!address.empty() && ctx.window.PackageRowChecked(r)) {
        ExecuterProgrammeExterne(ctx.run, address);
      }
    });
    // Repaints and clicks run between rows; the busy flag turns away a second step.
    ctx.e(580, [&] { ctx.run.Ui().DoEvents(); });
  }
}

}  // namespace tx3
