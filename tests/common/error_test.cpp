// The error pattern helper: what it records, in which order, and what it hands on.
#include "common/error.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "common/run_context.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

class ErrorPatternTest : public ::testing::Test {
 protected:
  testing::FakePlatform os_;
  testing::UsePlatform guard_{os_};
  RunContext run_;
};

TEST_F(ErrorPatternTest, StatementThatCompletesLeavesTheRecordAlone) {
  ErrorPattern e(run_, "Lib_Public:Test");
  int ran = 0;
  EXPECT_TRUE(e(10, [&] { ++ran; }));
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(run_.PbTErreur.Numero, 0);
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "");
  EXPECT_TRUE(os_.logLines.empty());
}

TEST_F(ErrorPatternTest, FailureIsRecordedReportedAndTheNextStatementRuns) {
  ErrorPattern e(run_, "Lib_Setup:EcritureIni");
  std::string value = "before";
  EXPECT_FALSE(e(20, [&] {
    Raise(err::kPathNotFound);
    value = "after";
  }));
  bool next = false;
  EXPECT_TRUE(e(30, [&] { next = true; }));

  EXPECT_EQ(value, "before");
  EXPECT_TRUE(next);
  EXPECT_EQ(run_.PbTErreur.Numero, 76);
  EXPECT_EQ(run_.PbTErreur.Ligne, 20);
  EXPECT_EQ(run_.PbTErreur.Description, "Chemin d'accès introuvable");
  EXPECT_EQ(run_.PbTErreur.Source, "TX3_Setup");
  EXPECT_EQ(run_.ErrorManager.lastNumber, 76);
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Setup:EcritureIni");
  EXPECT_EQ(run_.CurrentError.Numero, 0) << "the manager clears the current error";
}

TEST_F(ErrorPatternTest, RaisedDescriptionAndSourceAreKept) {
  ErrorPattern e(run_, "Lib_Systeme:ExecuterProgrammeExterne");
  e(40, [] { Raise(-2147221499, "Objet déconnecté", "Btrieve.Engine"); });
  EXPECT_EQ(run_.PbTErreur.Numero, -2147221499);
  EXPECT_EQ(run_.PbTErreur.Description, "Objet déconnecté");
  EXPECT_EQ(run_.PbTErreur.Source, "Btrieve.Engine");
  EXPECT_EQ(run_.PbTErreur.Ligne, 40);
}

TEST_F(ErrorPatternTest, EmptyDescriptionAndSourceOfAThrownErrorAreFilledIn) {
  ErrorPattern e(run_, "Frm_Main:Form_Load");
  e(0, [] { throw RuntimeError{53, "", ""}; });
  EXPECT_EQ(run_.PbTErreur.Description, "Fichier introuvable");
  EXPECT_EQ(run_.PbTErreur.Source, "TX3_Setup");
  EXPECT_EQ(run_.PbTErreur.Ligne, 0);
}

struct StandardCase {
  const char* name;
  void (*raise)();
  int32_t number;
};

TEST_F(ErrorPatternTest, StandardExceptionsMapToClassicNumbers) {
  const StandardCase cases[] = {
      {"bad_alloc", [] { throw std::bad_alloc(); }, 7},
      {"out_of_range", [] { throw std::out_of_range("x"); }, 9},
      {"overflow_error", [] { throw std::overflow_error("x"); }, 6},
      {"runtime_error", [] { throw std::runtime_error("x"); }, 5},
      {"logic_error", [] { throw std::invalid_argument("x"); }, 5},
      {"not an exception class", [] { throw 42; }, 5},
  };
  for (const StandardCase& c : cases) {
    RunContext run;
    ErrorPattern e(run, "Lib_Public:Test");
    EXPECT_FALSE(e(10, c.raise)) << c.name;
    EXPECT_EQ(run.PbTErreur.Numero, c.number) << c.name;
    EXPECT_EQ(run.PbTErreur.Description, ClassicDescription(c.number)) << c.name;
    EXPECT_EQ(run.PbTErreur.Source, "TX3_Setup") << c.name;
  }
}

TEST_F(ErrorPatternTest, SpecialHandlerSeesTheFilledRecordAndTheCurrentError) {
  ErrorRecord seen;
  ErrorRecord current;
  ErrorPattern e(run_, "Lib_Systeme:FolderFound");
  e.TreatFirst([&](const ErrorRecord& r) {
    seen = r;
    current = run_.CurrentError;
    return true;
  });
  e(50, [] { Raise(err::kPathFileAccess); });
  EXPECT_EQ(seen.Numero, 75);
  EXPECT_EQ(seen.Ligne, 50);
  EXPECT_EQ(seen.Description, "Erreur d'accès au chemin ou au fichier");
  EXPECT_EQ(seen.Source, "TX3_Setup");
  EXPECT_EQ(current.Numero, 75);
}

TEST_F(ErrorPatternTest, HandledFailureIsNotReported) {
  ErrorPattern e(run_, "Lib_Systeme:FolderFound");
  e.TreatFirst([](const ErrorRecord& r) { return r.Numero == 76; });
  e(10, [] { Raise(err::kPathNotFound); });
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "");
  EXPECT_EQ(run_.CurrentError.Numero, 76) << "nobody cleared it";
  EXPECT_TRUE(os_.logLines.empty());

  e(20, [] { Raise(err::kFileNotFound); });
  EXPECT_EQ(run_.ErrorManager.lastNumber, 53);
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Systeme:FolderFound");
}

TEST_F(ErrorPatternTest, SpecialHandlerThatFailsFallsBackToTheManager) {
  ErrorPattern e(run_, "Lib_Public:Test");
  e.TreatFirst([](const ErrorRecord&) -> bool { throw std::runtime_error("x"); });
  EXPECT_FALSE(e(10, [] { Raise(err::kFileNotFound); }));
  EXPECT_EQ(run_.ErrorManager.lastProcedure, "Lib_Public:Test");
}

TEST_F(ErrorPatternTest, RecordFieldsAreOverwrittenByEachFailure) {
  ErrorPattern e(run_, "Lib_Public:Test");
  e(10, [] { Raise(-5, "long", "Composant"); });
  e(0, [] { Raise(err::kFileNotFound); });
  EXPECT_EQ(run_.PbTErreur.Numero, 53);
  EXPECT_EQ(run_.PbTErreur.Ligne, 0);
  EXPECT_EQ(run_.PbTErreur.Description, "Fichier introuvable");
  EXPECT_EQ(run_.PbTErreur.Source, "TX3_Setup");
}

TEST_F(ErrorPatternTest, SkipOnErrorRecordsNothing) {
  EXPECT_FALSE(SkipOnError([] { Raise(err::kFileNotFound); }));
  EXPECT_FALSE(SkipOnError([] { throw std::bad_alloc(); }));
  EXPECT_TRUE(SkipOnError([] {}));
  EXPECT_EQ(run_.PbTErreur.Numero, 0);
  EXPECT_EQ(run_.ErrorManager.lastTime, 0);
  EXPECT_TRUE(os_.logLines.empty());
}

TEST(CheckTest, ZeroPassesAnyOtherNumberRaisesIt) {
  EXPECT_NO_THROW(Check(0));
  try {
    Check(err::kBadFileName);
    FAIL() << "Check(52) did not raise";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number, 52);
    EXPECT_EQ(e.description, "Nom ou numéro de fichier incorrect");
    EXPECT_EQ(e.source, "TX3_Setup");
  }
}

TEST(ToInt16Test, SixteenBitValuesPassOthersOverflow) {
  EXPECT_EQ(ToInt16(-32768), -32768);
  EXPECT_EQ(ToInt16(32767), 32767);
  EXPECT_EQ(ToInt16(size_t{4096}), 4096);
  for (const int64_t outside : {int64_t{-32769}, int64_t{32768}, int64_t{1} << 40}) {
    try {
      ToInt16(outside);
      FAIL() << outside << " did not overflow";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number, err::kOverflow) << outside;
    }
  }
  EXPECT_THROW(ToInt16(size_t{65535}), RuntimeError) << "an unsigned value is not wrapped";
}

TEST(ClassicDescriptionTest, FrenchRuntimeTexts) {
  const std::pair<int32_t, const char*> cases[] = {
      {5, "Appel de procédure ou argument incorrect"},
      {6, "Dépassement de capacité"},
      {7, "Mémoire insuffisante"},
      {9, "L'indice n'appartient pas à la sélection"},
      {48, "Erreur de chargement de la DLL"},
      {52, "Nom ou numéro de fichier incorrect"},
      {53, "Fichier introuvable"},
      {75, "Erreur d'accès au chemin ou au fichier"},
      {76, "Chemin d'accès introuvable"},
      {0, "Erreur d'application ou d'objet"},
      {1234, "Erreur d'application ou d'objet"},
      {-2147417848, "Erreur d'application ou d'objet"},
  };
  for (const auto& [number, text] : cases) EXPECT_EQ(ClassicDescription(number), text) << number;
  for (int32_t number : {58, 70, 453}) {
    EXPECT_NE(ClassicDescription(number), ClassicDescription(0)) << number;
  }
}

}  // namespace
}  // namespace tx3
