// The download commands: each works out an address from the operator's choice and hands it to
// the shell; nothing is verified before or after.
#include "settings/downloads.h"

#include <array>
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

// ComboPervasive items: V12, V11, V10, V09, V08 (Windows XP).
std::optional<Choice> EngineChoice(int item) {
  switch (item) {
    case 0:
      return Choice{DatabaseVendorPageAddress(
                        30663, "?product=psql&version=12&edition=workgroup&platform=windows"),
                    {}};
    case 1:
      return Choice{DatabaseVendorPageAddress(
                        17131, "?product=psql&version=11&edition=workgroup&platform=windows"),
                    {}};
    case 2:
      return Choice{DatabaseVendorPageAddress(2077), {}};
    case 3:
      return Choice{DatabaseVendorPageAddress(43), {}};
    case 4:
      return Choice{{}, kOwnPervasive};
    default:
      return std::nullopt;
  }
}

// CombodBPowerAmp items: 15.3, 14.4, the free version (Windows XP).
std::optional<Choice> ConverterChoice(int item) {
  switch (item) {
    case 0:
      return Choice{ConverterInstallerAddress("dMC-R15.3-Ref-Trial.exe"), {}};
    case 1:
      return Choice{ConverterInstallerAddress("dMC-R14.4-Ref-Trial.exe"), {}};
    case 2:
      return Choice{{}, kOwnConverter};
    default:
      return std::nullopt;
  }
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

void Open(StepContext& ctx, const std::string& address) {
  ExecuterProgrammeExterne(ctx.run, "Open", address, std::nullopt, std::nullopt, 1);
}

void RunChoice(StepContext& ctx, int line, const std::optional<Choice>& choice) {
  if (!choice) return;
  ctx.e(line, [&] {
    if (!choice->address.empty()) {
      Open(ctx, choice->address);
    } else {
      ctx.run.Ui().ShowMessage(choice->message, MsgIcon::Warning);
    }
  });
}

}  // namespace

std::string PackageOfRow(int row) {
  if (row < 0 || row >= static_cast<int>(kPackages.size())) return {};
  return std::string(kPackages[row]);
}

void RunDatabaseEngineDownload(StepContext& ctx) {
  std::optional<Choice> choice;
  ctx.e(500, [&] { choice = EngineChoice(ctx.window.PervasiveSelection()); });
  RunChoice(ctx, 510, choice);
}

void RunConverterDownload(StepContext& ctx) {
  std::optional<Choice> choice;
  ctx.e(520, [&] { choice = ConverterChoice(ctx.window.ConverterSelection()); });
  RunChoice(ctx, 530, choice);
}

void RunComponentsInstaller(StepContext& ctx) {
  ctx.e(540, [&] {
    Open(ctx, UpdateServerAddress(ctx.run.UpdateHost, "Setup_TX3_Composants_V34.exe"));
  });
}

void RunPackageDownloads(StepContext& ctx) {
  int rows = 0;
  ctx.e(550, [&] { rows = ctx.window.PackageRowCount(); });
  for (int r = 0; r < rows; ++r) {
    std::string address;
    ctx.e(560, [&] {
      const std::string package = PackageOfRow(r);
      if (!package.empty()) address = UpdateServerAddress(ctx.run.UpdateHost, package);
    });
    ctx.e(570, [&] {
      if (!address.empty() && ctx.window.PackageRowChecked(r)) Open(ctx, address);
    });
    // Repaints and clicks run between rows; the busy flag turns away a second step.
    ctx.e(580, [&] { ctx.run.Ui().DoEvents(); });
  }
}

}  // namespace tx3
