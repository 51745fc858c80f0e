#include "app/accessible_names.h"

namespace tx3 {
namespace {

// Where a name comes from, besides the texts of the rule itself.
enum class NameFrom {
  Caption,           // the control's own caption (the default for every control not in the table)
  RowLabel,          // the caption of the label on the control's row, left of it
  RowLabelNumbered,  // the row's label, then the control's index counted from 1
  Nothing,           // the rule's texts alone
};

struct NameRule {
  std::string_view control;
  std::string_view before;
  NameFrom from;
  std::string_view after;
};

// The one table of names that are not the control's caption.
constexpr NameRule kNameRules[] = {
    {"TexteNomRadio", "", NameFrom::RowLabel, ""},
    {"TexteNomStation", "", NameFrom::RowLabelNumbered, ""},
    {"TexteDossier", "Dossier ", NameFrom::RowLabel, ""},
    {"CommandDossier", "Choisir le dossier ", NameFrom::RowLabel, ""},
    {"CommandDossierCreer", "Créer le dossier ", NameFrom::RowLabel, ""},
    {"CheckAction", "", NameFrom::RowLabel, " effectuée"},
    {"ComboPervasive", "Moteur de base de données", NameFrom::Nothing, ""},
    {"CombodBPowerAmp", "Moteur de conversion des sons", NameFrom::Nothing, ""},
    {"ListeTX", "Composants Tarvox", NameFrom::Nothing, ""},
    {"CheckTX", "", NameFrom::Caption, " tous les composants"},
    {"Image", "Logo Tarvox", NameFrom::Nothing, ""},
    {"StatusBarMain", "", NameFrom::Nothing, ""},
};

std::string Source(const ControlLayout& control, NameFrom from) {
  switch (from) {
    case NameFrom::Caption:
      return std::string(control.caption);
    case NameFrom::RowLabel: {
      const ControlLayout* label = LabelOf(control);
      return label == nullptr ? std::string() : std::string(label->caption);
    }
    case NameFrom::RowLabelNumbered:
      return Source(control, NameFrom::RowLabel) + " " + std::to_string(control.index + 1);
    case NameFrom::Nothing:
      break;
  }
  return {};
}

}  // namespace

std::string AccessibleName(const ControlLayout& control) {
  for (const NameRule& rule : kNameRules) {
    if (rule.control != control.name) continue;
    return std::string(rule.before) + Source(control, rule.from) + std::string(rule.after);
  }
  return Source(control, NameFrom::Caption);
}

}  // namespace tx3
