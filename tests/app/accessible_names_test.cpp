#include "app/accessible_names.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tx3::testing {
namespace {

// Every control an operator reaches or clicks.
bool Named(ControlKind kind) {
  return kind != ControlKind::Label && kind != ControlKind::Image && kind != ControlKind::StatusBar;
}

TEST(AccessibleNameTest, EveryControlAnOperatorReachesHasANameOfItsOwn) {
  std::map<std::string, std::string> owner;  // name -> the control that has it
  for (const ControlLayout& control : WindowLayout()) {
    if (!Named(control.kind)) continue;
    const std::string where = std::string(control.name) + "(" + std::to_string(control.index) + ")";
    const std::string name = AccessibleName(control);
    EXPECT_FALSE(name.empty()) << where;
    const auto [it, added] = owner.emplace(name, where);
    EXPECT_TRUE(added) << where << " and " << it->second << " are both \"" << name << "\"";
  }
}

struct NameCase {
  const char* control;
  int index;
  const char* name;
};

TEST(AccessibleNameTest, NamesAreMadeFromTheCaptionsTheWindowShows) {
  const NameCase cases[] = {
      {"TexteNomRadio", -1, "Nom de la Radio"},
      {"TexteNomStation", 0, "Nom des Stations 1"},
      {"TexteNomStation", 4, "Nom des Stations 5"},
      {"TexteDossier", 0, "Dossier Application"},
      {"TexteDossier", 2, "Dossier Log technique"},
      {"TexteDossier", 7, "Dossier Redist"},
      {"CommandDossierCreer", 1, "Créer le dossier Config"},
      {"CommandDossierCreer", 6, "Créer le dossier Datas"},
      {"CommandDossier", 0, "Choisir le dossier Application"},
      {"CommandDossier", 5, "Choisir le dossier Sons Autre"},
      {"CheckAction", 0, "Etape 1 effectuée"},
      {"CheckAction", 6, "Etape 7 effectuée"},
      {"ListeTX", -1, "Composants Tarvox"},
      {"CommandCreerSettings", 3, "Installer le moteur de base de données"},
      {"CheckTX", -1, "(Dé)Cocher tous les composants"},
      {"CommandQuitter", -1, "Quitter"},
      {"LabelCODEC", -1, "Codecs Audio"},
      {"Image", -1, "Logo Tarvox"},
      {"StatusBarMain", -1, ""},
  };
  for (const NameCase& c : cases) {
    const ControlLayout* control = FindControl(c.control, c.index);
    ASSERT_NE(control, nullptr) << c.control << "(" << c.index << ")";
    EXPECT_EQ(AccessibleName(*control), c.name) << c.control << "(" << c.index << ")";
  }
}

}  // namespace
}  // namespace tx3::testing
