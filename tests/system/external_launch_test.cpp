#include "system/external_launch.h"

#include <gmock/gmock.h>

#include "system_fixture.h"

namespace tx3::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ExternalLaunchTest : public SystemTest {
 protected:
  int32_t Open(std::string_view file) { return ExecuterProgrammeExterne(run, file); }
};

TEST_F(ExternalLaunchTest, SuccessReturnsTheShellResultQuietly) {
  os.shellResult = 42;
  EXPECT_EQ(Open("https://example.org/download"), 42);
  ASSERT_EQ(os.shellCalls.size(), 1u);
  EXPECT_EQ(os.shellCalls[0].operation, "Open");
  EXPECT_EQ(os.shellCalls[0].file, "https://example.org/download");
  EXPECT_EQ(os.shellCalls[0].parameters, std::nullopt);
  EXPECT_EQ(os.shellCalls[0].folder, std::nullopt);
  EXPECT_EQ(os.shellCalls[0].showCommand, 1);
  EXPECT_EQ(run.PbTErreur.Numero, 0);
  EXPECT_EQ(Reported(), "");
  EXPECT_THAT(os.logLines, IsEmpty());
}

TEST_F(ExternalLaunchTest, FileNotFoundIsOnlyTraced) {
  os.shellResult = 2;
  EXPECT_EQ(Open("C:\\nothing.exe"), 2);
  EXPECT_THAT(os.logLines, ElementsAre("Err: 53: Chemin d'accès non trouvé: C:\\nothing.exe "
                                       "|Source: Lib_Systeme:ExecuterProgrammeExterne:20"));
  EXPECT_EQ(Reported(), "");
  EXPECT_EQ(run.PbTErreur.Numero, 53);
  EXPECT_THAT(ui.messages, IsEmpty());
}

struct ShellCase {
  intptr_t result;
  int32_t number;
  const char* description;
};

void PrintTo(const ShellCase& c, std::ostream* os) {
  *os << "shell result " << c.result;
}

class ShellResultTest : public ExternalLaunchTest,
                        public ::testing::WithParamInterface<ShellCase> {};

TEST_P(ShellResultTest, RaisesTheNumberAndFrenchDescription) {
  const ShellCase& c = GetParam();
  os.shellResult = c.result;
  EXPECT_EQ(Open("C:\\doc.xyz"), static_cast<int32_t>(c.result));
  EXPECT_EQ(run.PbTErreur.Numero, c.number);
  EXPECT_EQ(run.PbTErreur.Description, c.description);
  EXPECT_EQ(run.PbTErreur.Source, "tx3_setup.ExecuterProgrammeExterne");
  EXPECT_EQ(run.PbTErreur.Ligne, 20);
  EXPECT_EQ(Reported(), "Lib_Systeme:ExecuterProgrammeExterne");
}

constexpr const char* kSharing = "Violation de partage: Erreur d'accès au Dossier/Fichier";
constexpr const char* kNoAssoc = "Il n'y a aucune application associée à ce type de fichier";
constexpr const char* kOther = "Erreur à l'ouverture ou l'impression du fichier sélectionné";

INSTANTIATE_TEST_SUITE_P(
    Results, ShellResultTest,
    ::testing::Values(
        ShellCase{0, 7, "Dépassement de mémoire"}, ShellCase{8, 7, "Dépassement de mémoire"},
        ShellCase{3, 76, "Chemin d'accès non trouvé"}, ShellCase{5, 75, kSharing},
        ShellCase{26, 75, kSharing},
        ShellCase{11, -2147220445, "Cet exécutable est invalide ou corrompu"},
        ShellCase{27, -2147220429, kNoAssoc}, ShellCase{31, -2147220425, kNoAssoc},
        ShellCase{28, 286,
                  "Le fichier ne peut être ouvert car le délai d'attente est dépassé. Réessayez "
                  "plus tard"},
        ShellCase{29, 285,
                  "Le fichier ne peut être ouvert car la transaction DDE a échoué. Réessayez plus "
                  "tard"},
        ShellCase{30, 285,
                  "Le fichier ne peut être ouvert car l'application est occupée. Réessayez plus "
                  "tard"},
        ShellCase{32, 48, "Le fichier dll ne peut être trouvé"}, ShellCase{1, -2147220455, kOther},
        ShellCase{4, -2147220452, kOther}, ShellCase{12, -2147220444, kOther},
        ShellCase{-5, -2147220461, kOther}));

TEST_F(ExternalLaunchTest, SourceNamesTheExecutableWithoutExtension) {
  os.shellResult = 31;
  os.executablePath = "Z:\\usr\\local\\bin\\tx3_setup";
  Open("C:\\doc.xyz");
  EXPECT_EQ(run.PbTErreur.Source, "tx3_setup.ExecuterProgrammeExterne");
  os.executablePath = "C:\\Tools\\Setup.v2.exe";
  Open("C:\\doc.xyz");
  EXPECT_EQ(run.PbTErreur.Source, "Setup.v2.ExecuterProgrammeExterne");
}

}  // namespace
}  // namespace tx3::testing
