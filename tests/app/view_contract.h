// The contract every view of FrmMain keeps (the Qt window, the native Windows window): what the
// operator sees and what a click, a keystroke or an edit does, written once and run against each
// view through a small driver. A view's test program defines its driver and instantiates the
// suite:
//
//   INSTANTIATE_TEST_SUITE_P(Qt, ViewContract, ::testing::Values(&MakeQtDriver));
//
// Where a view and this file disagree, the view is wrong.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/frm_main.h"
#include "app/window_layout.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3::testing {

// What a test does to a window and reads from it, in the program's own terms: controls by their
// layout name and index, texts in UTF-8, colours as 0xRRGGBB.
class ViewDriver {
 public:
  enum class Key { Enter, Space };
  enum class Icon { None, Information, Warning, Critical };
  struct Box {
    std::string title, text;
    Icon icon = Icon::None;
  };
  struct Edges {
    int left, top, right, bottom;
    bool operator==(const Edges&) const = default;
  };

  virtual ~ViewDriver() = default;
  // Creates the window on `model` with message boxes and the folder dialog recorded, installs
  // its UI port and creates the model. The window is shown, as the program shows it, by the time
  // a test presses a key or reads the tab order.
  virtual void Open(FrmMain& model) = 0;
  virtual bool IsOpen() = 0;
  virtual std::string Title() = 0;
  virtual std::pair<int, int> ClientSize() = 0;
  // A control's place in the client area, in pixels (at 96 dpi in these tests).
  virtual Edges Place(std::string_view name, int index) = 0;
  // What a control shows: a field's text, a caption, the status bar's first panel.
  virtual std::string Text(std::string_view name, int index) = 0;
  virtual int Caret(std::string_view name, int index) = 0;  // a text field's cursor
  virtual unsigned Background(std::string_view name, int index) = 0;
  virtual unsigned Foreground(std::string_view name, int index) = 0;  // a text field's text colour
  virtual bool Checked(std::string_view name, int index) = 0;
  virtual std::vector<std::string> Items(std::string_view name) = 0;  // a drop-down list's rows
  virtual std::string Selected(std::string_view name) = 0;            // its selected row's text
  virtual std::vector<CheckedRow> Rows() = 0;                         // ListeTX as shown
  // What a screen reader says, and the tooltip.
  virtual std::string SpokenName(std::string_view name, int index) = 0;
  virtual std::string SpokenDescription(std::string_view name, int index) = 0;
  virtual std::string Tooltip(std::string_view name, int index) = 0;
  // The controls Tab reaches, in the order it reaches them.
  virtual std::vector<const ControlLayout*> TabStops() = 0;

  // The window fitted inside `area`, a screen's available area in screen pixels, as the program
  // fits it into its screen's.
  virtual void FitInto(Edges area) = 0;
  // The window's outer edges on the screen, its frame included.
  virtual Edges Frame() = 0;
  // The size of the part of the client area's design shown, scroll bars excluded.
  virtual std::pair<int, int> ViewSize() = 0;
  // Where a control stands in that part now (scrolled away: negative or past its size).
  virtual Edges Shown(std::string_view name, int index) = 0;
  // The words a control shows while it has the focus (a missing folder's); empty when none.
  virtual std::string FocusTip(std::string_view name, int index) = 0;

  // What the operator does.
  virtual void Retype(std::string_view name, int index, std::string_view text) = 0;
  virtual void TypeMore(std::string_view name, int index, std::string_view text) = 0;
  virtual void Click(std::string_view name, int index) = 0;
  virtual void Choose(std::string_view name, int row) = 0;
  virtual void TickRow(int row, bool checked) = 0;
  virtual void Press(std::string_view name, int index, Key key) = 0;
  // The keyboard's focus moves onto a control, as Tab moves it.
  virtual void Focus(std::string_view name, int index) = 0;

  // The message boxes shown so far, and how their texts break lines.
  virtual const std::vector<Box>& Boxes() = 0;
  virtual std::string LineBreak() = 0;
};

using MakeViewDriver = std::unique_ptr<ViewDriver> (*)();

// The window as the program opens it, on a machine where only the application folder exists.
class ViewContract : public ::testing::TestWithParam<MakeViewDriver> {
 protected:
  void SetUp() override {
    os.AddFolder("C:\\Brennic\\Tarvox");
    view = GetParam()();
    view->Open(model);
  }
  void TearDown() override { view.reset(); }

  FakePlatform os;
  UsePlatform guard{os};
  FrmMain model;
  std::unique_ptr<ViewDriver> view;
};

constexpr unsigned kRed = 0xFF0000;
using Key = ViewDriver::Key;
using Icon = ViewDriver::Icon;

TEST_P(ViewContract, ControlsStandWhereTheDesignPutsThem) {
  EXPECT_EQ(view->ClientSize(), std::make_pair(762, 581));
  EXPECT_EQ(view->ViewSize(), std::make_pair(762, 581)) << "no scroll bar where the design fits";
  for (const ControlLayout& c : WindowLayout()) {
    const PixelEdges want = ScaledEdges(c, 96, 96);
    EXPECT_EQ(view->Place(c.name, c.index),
              (ViewDriver::Edges{want.left, want.top, want.right, want.bottom}))
        << c.name << "(" << c.index << ")";
  }
  // A few by their pixels: the design in twips, 15 twips a pixel.
  EXPECT_EQ(view->Place("TexteNomRadio", -1), (ViewDriver::Edges{116, 16, 425, 37}));
  EXPECT_EQ(view->Place("TexteDossier", 7), (ViewDriver::Edges{116, 272, 669, 293}));
  EXPECT_EQ(view->Place("CommandQuitter", -1), (ViewDriver::Edges{692, 528, 757, 553}));
  EXPECT_EQ(view->Place("StatusBarMain", -1), (ViewDriver::Edges{0, 560, 762, 581}));
}

TEST_P(ViewContract, TitleCarriesTheProgramsVersion) {
  EXPECT_EQ(view->Title(), "Installation d'Tarvox - Version: " + ProgramVersionText(model.Run()));
}

TEST_P(ViewContract, ShowsEveryCaptionOfTheDesign) {
  for (const ControlLayout& c : WindowLayout()) {
    if (c.caption.empty()) continue;
    EXPECT_EQ(view->Text(c.name, c.index), c.caption) << c.name << "(" << c.index << ")";
  }
  EXPECT_EQ(view->Text("CheckTX", -1), "(Dé)Cocher");
  EXPECT_EQ(view->Text("CommandCreerSettings", 6), "Installer les dernières MAJ Tarvox");
  EXPECT_EQ(view->Text("CheckAction", 0), "");
}

TEST_P(ViewContract, OpensWithTheDefaults) {
  EXPECT_EQ(view->Text("TexteNomRadio", -1), "Nom de votre Radio");
  EXPECT_EQ(view->Text("TexteNomStation", 0), "Nom de la Station 1");
  EXPECT_EQ(view->Text("TexteNomStation", 1), "");
  EXPECT_EQ(view->Text("TexteDossier", 0), "C:\\Brennic\\Tarvox\\");
  EXPECT_EQ(view->Text("TexteDossier", 7), "C:\\TX_Redist\\");
  // A text the program puts in a field is shown from its start.
  EXPECT_EQ(view->Caret("TexteNomStation", 0), 0);

  EXPECT_EQ(view->Items("ComboPervasive").size(), 5u);
  EXPECT_EQ(view->Selected("ComboPervasive"), "Workgroup V12");
  EXPECT_EQ(view->Items("CombodBPowerAmp").size(), 3u);
  EXPECT_EQ(view->Selected("CombodBPowerAmp"), "Version 15.3 (payante)");

  const std::vector<CheckedRow> rows = view->Rows();
  ASSERT_EQ(rows.size(), 18u);
  EXPECT_EQ(rows[0].text, "Library");
  EXPECT_EQ(rows[17].text, "Tools Web");
  for (size_t row = 0; row < rows.size(); ++row) EXPECT_TRUE(rows[row].checked) << row;
  EXPECT_TRUE(view->Checked("CheckTX", -1));
  for (int s = 0; s < kStepCount; ++s) EXPECT_FALSE(view->Checked("CheckAction", s)) << s;
  EXPECT_EQ(view->Text("StatusBarMain", -1), "");
  EXPECT_TRUE(view->Boxes().empty()) << view->Boxes().front().text;
}

TEST_P(ViewContract, MissingFoldersAreRedAndTheOthersNormal) {
  const unsigned normal = view->Background("TexteNomRadio", -1);
  EXPECT_NE(normal, kRed);
  EXPECT_EQ(view->Background("TexteDossier", 0), normal);  // C:\Brennic\Tarvox\ exists
  for (int i = 1; i < kFolderCount; ++i) EXPECT_EQ(view->Background("TexteDossier", i), kRed) << i;
}

// Black text on the red field, whatever the theme gives the others.
TEST_P(ViewContract, MissingFoldersShowBlackText) {
  ASSERT_EQ(view->Background("TexteDossier", 3), kRed);
  EXPECT_EQ(view->Foreground("TexteDossier", 3), 0x000000u);
}

TEST_P(ViewContract, TypingAFolderTurnsTheFieldNormalOnceItExists) {
  os.AddFolder("C:\\Radio");
  const unsigned normal = view->Background("TexteNomRadio", -1);
  view->Retype("TexteDossier", 2, "C:\\Radi");
  EXPECT_EQ(view->Background("TexteDossier", 2), kRed);
  view->TypeMore("TexteDossier", 2, "o");
  EXPECT_EQ(view->Background("TexteDossier", 2), normal);
  EXPECT_EQ(model.DossierRow(2).text, "C:\\Radio");
  view->TypeMore("TexteDossier", 2, "x");
  EXPECT_EQ(view->Background("TexteDossier", 2), kRed);
  EXPECT_EQ(view->Text("TexteDossier", 2), "C:\\Radiox");
  // The typing goes on where it was: the field is not assigned again under the cursor.
  EXPECT_EQ(view->Caret("TexteDossier", 2), 9);
}

TEST_P(ViewContract, EditingRowZeroMovesTheApplicationFolder) {
  view->Retype("TexteDossier", 0, "D:\\Ailleurs\\");
  EXPECT_EQ(model.DossierApplication(), "D:\\Ailleurs\\");
  EXPECT_EQ(view->Background("TexteDossier", 0), kRed);
}

TEST_P(ViewContract, NameEditsReachTheModel) {
  view->Retype("TexteNomRadio", -1, "Radio Étoile");
  view->Retype("TexteNomStation", 2, "Étoile 3");
  EXPECT_EQ(model.TexteNomRadio(), "Radio Étoile");
  EXPECT_EQ(model.TexteNomStation(2), "Étoile 3");
}

TEST_P(ViewContract, CreateOnAnExistingFolderWarnsUnderTheWindowsTitle) {
  view->Click("CommandDossierCreer", 0);
  ASSERT_EQ(view->Boxes().size(), 1u);
  const ViewDriver::Box& box = view->Boxes()[0];
  EXPECT_EQ(box.icon, Icon::Warning);
  EXPECT_EQ(box.title, view->Title());
  const std::string nl = view->LineBreak();
  EXPECT_EQ(box.text, "Le dossier existe déjà:" + nl + nl + "C:\\Brennic\\Tarvox\\");
}

TEST_P(ViewContract, CreateMakesTheFolderAndTheFieldTurnsNormal) {
  os.AddFolder("C:\\Kalvet");
  view->Click("CommandDossierCreer", 3);
  EXPECT_TRUE(os.IsFolder("C:\\Kalvet\\Pub"));
  EXPECT_EQ(view->Background("TexteDossier", 3), view->Background("TexteNomRadio", -1));
  EXPECT_EQ(view->Text("StatusBarMain", -1), "Dossier créé : C:\\Kalvet\\Pub\\");
  EXPECT_TRUE(view->Boxes().empty());
}

TEST_P(ViewContract, AMissingFolderIsSaidInWordsUntilItExists) {
  EXPECT_EQ(view->SpokenDescription("TexteDossier", 3), "Dossier introuvable");
  EXPECT_EQ(view->Tooltip("TexteDossier", 3), "Dossier introuvable");
  EXPECT_EQ(view->SpokenDescription("TexteDossier", 0), "");

  os.AddFolder("C:\\Kalvet");
  view->Click("CommandDossierCreer", 3);
  EXPECT_EQ(view->SpokenDescription("TexteDossier", 3), "");
  EXPECT_EQ(view->Tooltip("TexteDossier", 3), "");
}

TEST_P(ViewContract, CheckAllSetsEveryRowAndRowsStayEditable) {
  view->TickRow(3, false);
  EXPECT_FALSE(model.ListeTX()[3].checked);
  view->TickRow(3, true);
  EXPECT_TRUE(model.ListeTX()[3].checked);

  view->Click("CheckTX", -1);
  EXPECT_EQ(model.CheckTXValue(), 0);
  for (const CheckedRow& row : view->Rows()) EXPECT_FALSE(row.checked) << row.text;
  view->Click("CheckTX", -1);
  EXPECT_EQ(model.CheckTXValue(), 1);
  for (const CheckedRow& row : view->Rows()) EXPECT_TRUE(row.checked) << row.text;
}

TEST_P(ViewContract, SelectionsAndTicksReachTheModel) {
  view->Choose("ComboPervasive", 4);
  view->Choose("CombodBPowerAmp", 2);
  EXPECT_EQ(model.PervasiveSelection(), 4);
  EXPECT_EQ(model.ConverterSelection(), 2);
  view->Click("CheckAction", 1);
  EXPECT_TRUE(model.CheckAction(1));
}

TEST_P(ViewContract, ModelChangesAreShown) {
  model.SetCheckAction(4, true);
  model.SetStatusText("BR_Pub.ini [Pub] Cle=1");
  model.SetComboPervasiveSelection(2);
  model.SetTexteNomStation(3, "Étoile 4");
  EXPECT_TRUE(view->Checked("CheckAction", 4));
  EXPECT_EQ(view->Text("StatusBarMain", -1), "BR_Pub.ini [Pub] Cle=1");
  EXPECT_EQ(view->Selected("ComboPervasive"), "Workgroup V10");
  EXPECT_EQ(view->Text("TexteNomStation", 3), "Étoile 4");
  EXPECT_EQ(view->Caret("TexteNomStation", 3), 0);
}

TEST_P(ViewContract, FirstStepButtonCreatesTheFoldersAndTicksItsMarker) {
  view->Click("CommandCreerSettings", 0);
  EXPECT_TRUE(os.IsFolder("C:\\Kalvet\\Pub"));
  EXPECT_TRUE(os.IsFolder("C:\\TX_Redist"));
  EXPECT_TRUE(view->Checked("CheckAction", 0));
  EXPECT_FALSE(view->Checked("CheckAction", 1));
  ASSERT_FALSE(view->Boxes().empty());
  EXPECT_EQ(view->Boxes().back().text, "Dossiers créés");
  EXPECT_EQ(view->Boxes().back().icon, Icon::Information);
  EXPECT_EQ(view->Background("TexteDossier", 7), view->Background("TexteNomRadio", -1));
}

TEST_P(ViewContract, CodecLinkClickOpensTheCodecPage) {
  view->Click("LabelCODEC", -1);
  ASSERT_EQ(os.shellCalls.size(), 1u);
  EXPECT_EQ(os.shellCalls[0].operation, "Open");
  EXPECT_TRUE(os.shellCalls[0].file.ends_with("/codec-central.htm")) << os.shellCalls[0].file;
}

TEST_P(ViewContract, QuitClosesTheWindow) {
  view->Click("CommandQuitter", -1);
  EXPECT_TRUE(model.Unloaded());
  EXPECT_FALSE(view->IsOpen());
  EXPECT_TRUE(view->Boxes().empty());
}

TEST_P(ViewContract, TabRunsTopToBottomAndEveryStopHasANameOfItsOwn) {
  const std::vector<const ControlLayout*> stops = view->TabStops();
  // Radio, 5 stations, 8 × 3 folder controls, 7 × 2 step controls, 2 lists, the database
  // button, the codec link, the component list, "(Dé)Cocher" and "Quitter".
  ASSERT_EQ(stops.size(), 1u + 5 + 24 + 14 + 2 + 1 + 1 + 1 + 1 + 1);
  std::set<std::string> names;
  for (size_t i = 0; i < stops.size(); ++i) {
    const ControlLayout& c = *stops[i];
    if (i > 0) {
      const ControlLayout& before = *stops[i - 1];
      EXPECT_TRUE(c.top > before.top || (c.top == before.top && c.left > before.left))
          << before.name << "(" << before.index << ") then " << c.name << "(" << c.index << ")";
    }
    const std::string name = view->SpokenName(c.name, c.index);
    EXPECT_FALSE(name.empty()) << c.name << "(" << c.index << ")";
    EXPECT_TRUE(names.insert(name).second) << name << " twice";
  }
  EXPECT_EQ(view->SpokenName("CommandDossierCreer", 2), "Créer le dossier Log technique");
  EXPECT_EQ(view->SpokenName("CommandDossierCreer", 1), "Créer le dossier Config");
  EXPECT_EQ(view->SpokenName("CommandDossier", 7), "Choisir le dossier Redist");
  EXPECT_EQ(view->SpokenName("CheckAction", 4), "Etape 5 effectuée");
  EXPECT_EQ(view->SpokenName("TexteNomRadio", -1), "Nom de la Radio");
  EXPECT_EQ(view->SpokenName("CommandQuitter", -1), "Quitter");
}

// Each name contains the caption shown next to the control, so that speech input finds it.
TEST_P(ViewContract, NamesContainTheVisibleCaptions) {
  const struct {
    const char* control;
    int index;
    const char* name;
  } cases[] = {
      {"TexteNomStation", 0, "Nom des Stations 1"},
      {"TexteNomStation", 1, "Nom des Stations 2"},
      {"TexteNomStation", 4, "Nom des Stations 5"},
      {"CheckTX", -1, "(Dé)Cocher tous les composants"},
      {"Image", -1, "Logo Tarvox"},
      {"ComboPervasive", -1, "Moteur de base de données"},
      {"CombodBPowerAmp", -1, "Moteur de conversion des sons"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(view->SpokenName(c.control, c.index), c.name) << c.control << "(" << c.index << ")";
  }
}

TEST_P(ViewContract, EnterAndSpacePressTheFocusedButtonOrMarker) {
  os.AddFolder("C:\\Kalvet");
  view->Press("CommandDossierCreer", 3, Key::Enter);
  EXPECT_TRUE(os.IsFolder("C:\\Kalvet\\Pub"));
  view->Press("CommandDossierCreer", 7, Key::Space);
  EXPECT_TRUE(os.IsFolder("C:\\TX_Redist"));

  view->Press("CheckAction", 2, Key::Enter);
  EXPECT_TRUE(model.CheckAction(2));
  view->Press("CheckAction", 2, Key::Space);
  EXPECT_FALSE(model.CheckAction(2));

  view->Press("LabelCODEC", -1, Key::Space);
  view->Press("LabelCODEC", -1, Key::Enter);
  EXPECT_EQ(os.shellCalls.size(), 2u) << "Space and Enter each open the codec page";
}

// On a screen smaller than the design the window stays inside the available area; its client
// area, unchanged, scrolls, and each control Tab reaches is brought into view.
TEST_P(ViewContract, OnASmallScreenTheWindowFitsAndTheFocusedControlIsScrolledIntoView) {
  const ViewDriver::Edges area{40, 30, 440, 330};  // 400 × 300
  view->FitInto(area);
  const ViewDriver::Edges frame = view->Frame();
  EXPECT_GE(frame.left, area.left);
  EXPECT_GE(frame.top, area.top);
  EXPECT_LE(frame.right, area.right);
  EXPECT_LE(frame.bottom, area.bottom);
  const auto [width, height] = view->ViewSize();
  EXPECT_LT(width, 762);
  EXPECT_LT(height, 581);
  EXPECT_GT(width, 300);
  EXPECT_GT(height, 150);

  const std::vector<const ControlLayout*> stops = view->TabStops();
  ASSERT_FALSE(stops.empty());
  for (const ControlLayout* c : stops) {
    view->Focus(c->name, c->index);
    const ViewDriver::Edges shown = view->Shown(c->name, c->index);
    const PixelEdges design = ScaledEdges(*c, 96, 96);
    const std::string what = std::string(c->name) + "(" + std::to_string(c->index) + ")";
    EXPECT_EQ(shown.right - shown.left, design.right - design.left) << what << " keeps its size";
    // As much of it as the view holds, from its top left corner.
    EXPECT_GE(shown.left, 0) << what;
    EXPECT_GE(shown.top, 0) << what;
    EXPECT_TRUE(shown.right <= width || shown.left == 0) << what;
    EXPECT_TRUE(shown.bottom <= height || shown.top == 0) << what;
  }
}

TEST_P(ViewContract, AMissingFolderSaysSoWhenItTakesTheFocus) {
  view->Focus("TexteDossier", 3);
  EXPECT_EQ(view->FocusTip("TexteDossier", 3), "Dossier introuvable");
  view->Focus("TexteDossier", 0);  // its folder exists
  EXPECT_EQ(view->FocusTip("TexteDossier", 0), "");
}

}  // namespace tx3::testing
