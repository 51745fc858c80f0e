// The Qt window's UI port: message boxes, the folder dialog, pending events and the status text.
// The two dialogs are replaceable so that tests never wait for an operator.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

#include "app/frm_main.h"
#include "app/view_binding.h"
#include "common/ui_port.h"

namespace tx3 {

struct QtDialogs {
  // A modal box with an OK button only.
  std::function<void(QWidget* owner, const QString& title, const QString& text,
                     QMessageBox::Icon icon)>
      showMessage;
  // A modal folder dialog opened on the host folder `start`; answers the chosen host folder, or
  // empty text when the operator cancelled.
  std::function<QString(QWidget* owner, const QString& title, const QString& start)> chooseFolder;
};

// QMessageBox and the (non-native) QFileDialog.
QtDialogs StandardDialogs();

QMessageBox::Icon QtIcon(MsgIcon icon);

class QtUiPort final : public WindowUiPort {
 public:
  // `owner` parents the dialogs.
  QtUiPort(FrmMain& model, QWidget* owner, QtDialogs dialogs = StandardDialogs());

  void DoEvents() override;

 private:
  void ShowBox(std::string_view title, std::string_view text, MsgIcon icon) override;
  std::optional<std::string> ChooseHostFolder(std::string_view start,
                                              std::string_view title) override;

  QWidget* owner_;
  QtDialogs dialogs_;
};

}  // namespace tx3
