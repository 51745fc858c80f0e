#include "app/window_layout.h"

#include <algorithm>
#include <vector>

namespace tx3 {
namespace {

constexpr int kFolderRowTop = 1560;
constexpr int kStepRowTop = 4560;
constexpr int kRowPitch = 360;
constexpr int kRowHeight = 315;

struct FolderRowLook {
  int labelIndex;
  std::string_view caption;
};
constexpr FolderRowLook kFolderRows[] = {
    {0, "Application"},  {1, "Config"},     {2, "Log technique"}, {3, "Log Pub"},
    {4, "Sons Musique"}, {5, "Sons Autre"}, {9, "Datas"},         {19, "Redist"},
};

struct StepRowLook {
  int labelIndex;
  std::string_view label;
  std::string_view button;
};
constexpr StepRowLook kStepRows[] = {
    {10, "Etape 1", "Créer les dossiers"},
    {11, "Etape 2", "Créer les paramètres structurels"},
    {12, "Etape 3", "Créer les paramètres généraux"},
    {13, "Etape 4", "Installer le moteur de base de données"},
    {14, "Etape 5", "Installer le moteur de conversion des sons"},
    {15, "Etape 6", "Installer les composants Tarvox"},
    {17, "Etape 7", "Installer les dernières MAJ Tarvox"},
};

std::vector<ControlLayout> BuildLayout() {
  std::vector<ControlLayout> t;
  // The radio and its stations.
  t.push_back({"Image", -1, ControlKind::Image, 10020, 60, 1380, 1380, ""});
  t.push_back({"Label", 6, ControlKind::Label, 60, 300, 1185, 195, "Nom de la Radio"});
  t.push_back({"TexteNomRadio", -1, ControlKind::TextField, 1740, 240, 4635, 315, ""});
  t.push_back({"Label", 7, ControlKind::Label, 60, 660, 1245, 195, "Nom des Stations"});
  for (int i = 0; i < 5; ++i) {
    t.push_back(
        {"TexteNomStation", i, ControlKind::TextField, 1740 + 1560 * i, 600, 1515, 315, ""});
  }
  t.push_back({"Label", 16, ControlKind::Label, 60, 1380, 600, 195, "Dossiers"});
  // The folder rows.
  for (int i = 0; i < 8; ++i) {
    const int top = kFolderRowTop + kRowPitch * i;
    const FolderRowLook& row = kFolderRows[i];
    // The caption's width is not fixed by the design: it fills the space before the field.
    t.push_back(
        {"Label", row.labelIndex, ControlKind::Label, 240, top + 60, 1395, 195, row.caption});
    t.push_back({"TexteDossier", i, ControlKind::TextField, 1740, top, 8295, kRowHeight, ""});
    t.push_back({"CommandDossier", i, ControlKind::Button, 10080, top, 495, kRowHeight, "..."});
    t.push_back(
        {"CommandDossierCreer", i, ControlKind::Button, 10680, top, 675, kRowHeight, "Créer"});
  }
  // The step rows.
  for (int s = 0; s < 7; ++s) {
    const int top = kStepRowTop + kRowPitch * s;
    const StepRowLook& row = kStepRows[s];
    t.push_back({"Label", row.labelIndex, ControlKind::Label, 60, top + 60, 555, 195, row.label});
    t.push_back({"CheckAction", s, ControlKind::CheckBox, 1500, top, 195, kRowHeight, ""});
    t.push_back(
        {"CommandCreerSettings", s, ControlKind::Button, 1740, top, 3375, kRowHeight, row.button});
  }
  // Beside the steps, and the bottom of the window.
  t.push_back({"ComboPervasive", -1, ControlKind::ComboBox, 5220, 5640, 2835, 315, ""});
  t.push_back({"CommandPervasiveCreate", -1, ControlKind::Button, 8160, 5640, 3135, 315,
               "Créer les fichiers de la base de données"});
  t.push_back({"CombodBPowerAmp", -1, ControlKind::ComboBox, 5220, 6000, 2835, 315, ""});
  t.push_back({"LabelCODEC", -1, ControlKind::LinkLabel, 8160, 6060, 990, 195, "Codecs Audio"});
  t.push_back({"ListeTX", -1, ControlKind::CheckList, 5220, 6720, 2835, 1605, ""});
  t.push_back({"CheckTX", -1, ControlKind::CheckBox, 8160, 6780, 1395, 195, "(Dé)Cocher"});
  t.push_back({"CommandQuitter", -1, ControlKind::Button, 10380, 7920, 975, 375, "Quitter"});
  t.push_back({"StatusBarMain", -1, ControlKind::StatusBar, 0, 8400, kClientWidthTwips, 315, ""});
  return t;
}

}  // namespace

std::span<const ControlLayout> WindowLayout() {
  static const std::vector<ControlLayout> layout = BuildLayout();
  return layout;
}

const ControlLayout* FindControl(std::string_view name, int index) {
  for (const ControlLayout& c : WindowLayout()) {
    if (c.name == name && c.index == index) return &c;
  }
  return nullptr;
}

const ControlLayout* LabelOf(const ControlLayout& control) {
  const auto sameRow = [&control](const ControlLayout& other) {
    return other.top < control.top + control.height && control.top < other.top + other.height;
  };
  const ControlLayout* nearest = nullptr;
  for (const ControlLayout& other : WindowLayout()) {
    if (other.kind != ControlKind::Label || other.left >= control.left || !sameRow(other)) continue;
    if (nearest == nullptr || other.left > nearest->left) nearest = &other;
  }
  return nearest;
}

int CaptionRoomTwips(const ControlLayout& control) {
  switch (control.kind) {
    case ControlKind::Button:
      return control.width - 120;
    case ControlKind::CheckBox:
      return control.width - 330;
    default:
      return control.width;
  }
}

bool EveryCaptionFits(int dpi, const std::function<double(std::string_view caption)>& width) {
  return std::ranges::all_of(WindowLayout(), [&](const ControlLayout& control) {
    return control.caption.empty() ||
           width(control.caption) <= ScaledPixels(CaptionRoomTwips(control), dpi);
  });
}

int ScaledPixels(int twips, int dpi) {
  constexpr long long kTwipsPerInch = 1440;
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = scaled >= 0 ? kTwipsPerInch / 2 : -kTwipsPerInch / 2;
  return static_cast<int>((scaled + half) / kTwipsPerInch);
}

PixelEdges ScaledEdges(const ControlLayout& control, int dpiX, int dpiY) {
  return PixelEdges{ScaledPixels(control.left, dpiX), ScaledPixels(control.top, dpiY),
                    ScaledPixels(control.left + control.width, dpiX),
                    ScaledPixels(control.top + control.height, dpiY)};
}

}  // namespace tx3
