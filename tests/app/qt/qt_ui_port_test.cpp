#include "app/qt/qt_ui_port.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/qt/qt_test_application.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

// Runs `inspect` on the modal dialog as soon as it is open, so that exec() never waits for an
// operator. The dialog is closed by `inspect`, or rejected when it did not.
void WhenModalOpens(std::function<void(QWidget*)> inspect) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    poll->stop();
    poll->deleteLater();
    inspect(modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal); dialog != nullptr && dialog->isVisible()) {
      dialog->reject();
    }
  });
  poll->start(10);
}

struct Shown {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

class QtUiPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureQtApplication();
    // Made only once the application exists.
    ownerWidget = std::make_unique<QWidget>();
    owner = ownerWidget.get();
  }
  void TearDown() override { ownerWidget.reset(); }

  QtDialogs Recording() {
    return QtDialogs{
        [this](QWidget*, const QString& title, const QString& text, QMessageBox::Icon icon) {
          shown.push_back({title, text, icon});
        },
        [this](QWidget*, const QString& title, const QString& start) {
          folderTitles.push_back(title);
          folderStarts.push_back(start);
          return folderAnswer;
        }};
  }

  tx3::testing::FakePlatform os;
  tx3::testing::UsePlatform guard{os};
  FrmMain model;
  std::unique_ptr<QWidget> ownerWidget;
  QWidget* owner = nullptr;
  std::vector<Shown> shown;
  std::vector<QString> folderTitles, folderStarts;
  QString folderAnswer;
};

struct IconCase {
  MsgIcon severity;
  QMessageBox::Icon icon;
};

class QtIconTest : public ::testing::TestWithParam<IconCase> {};

TEST_P(QtIconTest, SeverityPicksTheIcon) {
  EXPECT_EQ(QtIcon(GetParam().severity), GetParam().icon);
}

INSTANTIATE_TEST_SUITE_P(Table, QtIconTest,
                         ::testing::Values(IconCase{MsgIcon::Information, QMessageBox::Information},
                                           IconCase{MsgIcon::Warning, QMessageBox::Warning},
                                           IconCase{MsgIcon::Critical, QMessageBox::Critical}));

TEST_F(QtUiPortTest, MessageIsTitledWithTheModelsCaptionAndBreaksLines) {
  QtUiPort port(model, owner, Recording());
  model.SetCaption("Installation d'Tarvox - Version: 2026.1208.0001");
  port.ShowMessage("Le dossier existe déjà:\r\n\r\nC:\\Radio\\", MsgIcon::Warning);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, QStringLiteral("Installation d'Tarvox - Version: 2026.1208.0001"));
  EXPECT_EQ(shown[0].text, QStringLiteral("Le dossier existe déjà:\n\nC:\\Radio\\"));
  EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
}

TEST_F(QtUiPortTest, StandardMessageBoxHasOkOnlyTheIconAndTheTitle) {
  QtUiPort port(model, owner);
  model.SetCaption("Installation d'Tarvox - Version: 1.2.3");
  bool seen = false;
  WhenModalOpens([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    seen = true;
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Installation d'Tarvox - Version: 1.2.3"));
    // Shown as typed: a "<" in a path is not markup.
    EXPECT_EQ(box->text(), QStringLiteral("Dossier de config non trouvé:\n<C:\\X>"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    box->button(QMessageBox::Ok)->click();
  });
  port.ShowMessage("Dossier de config non trouvé:\r\n<C:\\X>", MsgIcon::Critical);
  EXPECT_TRUE(seen);
}

TEST_F(QtUiPortTest, FolderDialogOpensOnTheHostFolderAndAnswersAWindowsPath) {
  os.hostPathForDialog = [](std::string_view windowsPath) {
    return windowsPath == "C:\\TX_Data" ? std::string("/drives/c:/TX_Data") : std::string();
  };
  os.windowsPathFromHost = [](std::string_view hostPath) {
    return hostPath == "/drives/c:/TX_Data/Sons" ? std::string("C:\\TX_Data\\Sons") : std::string();
  };
  folderAnswer = QStringLiteral("/drives/c:/TX_Data/Sons");
  QtUiPort port(model, owner, Recording());

  const std::optional<std::string> chosen =
      port.BrowseForFolder("C:\\TX_Data", "Sélectionnez un dossier: ");

  ASSERT_EQ(folderStarts.size(), 1u);
  EXPECT_EQ(folderStarts[0], QStringLiteral("/drives/c:/TX_Data"));
  EXPECT_EQ(folderTitles[0], QStringLiteral("Sélectionnez un dossier: "));
  EXPECT_EQ(chosen, std::optional<std::string>("C:\\TX_Data\\Sons"));
}

TEST_F(QtUiPortTest, CancelledFolderDialogAnswersNothing) {
  folderAnswer.clear();
  QtUiPort port(model, owner, Recording());
  EXPECT_EQ(port.BrowseForFolder("C:\\", ""), std::nullopt);
  EXPECT_EQ(os.CallCount("WindowsPathFromHost"), 0);
}

TEST_F(QtUiPortTest, StandardFolderDialogIsNonNativeAndReturnsTheChosenFolder) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("Sons/Musique")));
  const QString start = root.path() + QStringLiteral("/Sons");
  const QString wanted = start + QStringLiteral("/Musique");

  bool seen = false;
  WhenModalOpens([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    seen = true;
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Choisir"));
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(start).absolutePath());
    dialog->selectFile(wanted);
    static_cast<QDialog*>(dialog)->accept();  // the file dialog's own accept() checks the choice
  });
  const QString chosen = StandardDialogs().chooseFolder(owner, QStringLiteral("Choisir"), start);
  EXPECT_TRUE(seen);
  EXPECT_EQ(QDir(chosen).absolutePath(), QDir(wanted).absolutePath());
}

TEST_F(QtUiPortTest, StatusTextLandsInTheModel) {
  QtUiPort port(model, owner, Recording());
  port.SetStatusText("Br_Sys.ini [Base_01] Dossier_Data=C:\\TX_Data\\Data\\");
  EXPECT_EQ(model.StatusText(), "Br_Sys.ini [Base_01] Dossier_Data=C:\\TX_Data\\Data\\");
}

TEST_F(QtUiPortTest, DoEventsRunsPendingEvents) {
  QtUiPort port(model, owner, Recording());
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  port.DoEvents();
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace tx3
