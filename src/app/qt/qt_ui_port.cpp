#include "app/qt/qt_ui_port.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QPointer>

#include "app/qt/qt_text.h"

namespace tx3 {

namespace {

void ShowMessage(QWidget* owner, const QString& title, const QString& text,
                 QMessageBox::Icon icon) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
  // Paths may hold "<" or "&": the text is shown as typed, never as markup.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

QString ChooseFolder(QWidget* owner, const QString& title, const QString& start) {
  QFileDialog dialog(owner, title, start);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}

// While a dialog is open it holds the focus; when it closes, the control that opened it gets the
// focus back, so that a keyboard user goes on from where they were.
class FocusReturn {
 public:
  FocusReturn() : opener_(QApplication::focusWidget()) {}
  ~FocusReturn() {
    if (opener_ != nullptr && opener_->isVisible()) opener_->setFocus(Qt::OtherFocusReason);
  }
  FocusReturn(const FocusReturn&) = delete;
  FocusReturn& operator=(const FocusReturn&) = delete;

 private:
  QPointer<QWidget> opener_;
};

}  // namespace

QtDialogs StandardDialogs() {
  return QtDialogs{ShowMessage, ChooseFolder};
}

QMessageBox::Icon QtIcon(MsgIcon icon) {
  constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Information, QMessageBox::Warning,
                                          QMessageBox::Critical};  // by icon
  return kIcons[static_cast<size_t>(icon)];
}

QtUiPort::QtUiPort(FrmMain& model, QWidget* owner, QtDialogs dialogs)
    : WindowUiPort(model), owner_(owner), dialogs_(std::move(dialogs)) {}

void QtUiPort::ShowBox(std::string_view title, std::string_view text, MsgIcon icon) {
  // The core breaks lines with CR LF; Qt breaks them with LF alone.
  QString shown = QtText(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const FocusReturn focus;
  dialogs_.showMessage(owner_, QtText(title), shown, QtIcon(icon));
}

std::optional<std::string> QtUiPort::ChooseHostFolder(std::string_view start,
                                                      std::string_view title) {
  const FocusReturn focus;
  return dialogs_.chooseFolder(owner_, QtText(title), QtText(start)).toStdString();
}

void QtUiPort::DoEvents() {
  QCoreApplication::processEvents();
}

}  // namespace tx3
