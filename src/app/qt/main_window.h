// The Qt view of Frm_Main: one widget per control of the window layout, placed to the twip,
// rendered from the model and re-rendered on each of its change notifications. Clicks and edits
// go straight to the model's handlers; nothing is decided here.
#pragma once

#include <QWidget>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "app/frm_main.h"
#include "app/window_layout.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tx3 {

class QtMainWindow : public QWidget {
 public:
  explicit QtMainWindow(FrmMain& model, QWidget* parent = nullptr);
  ~QtMainWindow() override;
  QtMainWindow(const QtMainWindow&) = delete;
  QtMainWindow& operator=(const QtMainWindow&) = delete;

  // Shows every control as the model holds it.
  void RenderAll();
  // Places the window in the middle of its screen's available area.
  void CentreOnScreen();

  // The widget of control `name`(`index`) (its object name is "name" or "name(index)").
  QWidget* ControlWidget(std::string_view name, int index = -1) const;

 private:
  void BuildControls();
  QWidget* MakeControl(const ControlLayout& control);
  void FindTypedControls();
  void ConnectTextFields();
  void ConnectButtons();
  void ConnectLists();
  void SetTabOrderTopToBottom();

  void Render(const Change& change);
  void RenderFolder(int index);
  void RenderCombo(QComboBox* combo, const ComboState& state);
  void RenderListRow(int row);
  void RenderList();

  FrmMain& model_;
  QObject* keyboard_;  // Enter on buttons and markers
  int subscription_ = 0;
  std::map<std::pair<std::string, int>, QWidget*> controls_;

  QLineEdit* radio_ = nullptr;
  QLineEdit* stations_[kStationCount] = {};
  QLineEdit* folders_[kFolderCount] = {};
  QCheckBox* checkActions_[kStepCount] = {};
  QComboBox* pervasive_ = nullptr;
  QComboBox* converter_ = nullptr;
  QListWidget* liste_ = nullptr;
  QCheckBox* checkTX_ = nullptr;
  QPushButton* browseButtons_[kFolderCount] = {};  // CommandDossier(i)
  QPushButton* createButtons_[kFolderCount] = {};  // CommandDossierCreer(i)
  QPushButton* stepButtons_[kStepCount] = {};      // CommandCreerSettings(i)
  QPushButton* databaseButton_ = nullptr;          // CommandPervasiveCreate
  QPushButton* quitButton_ = nullptr;              // CommandQuitter
  QLabel* statusPanel_ = nullptr;
};

// The object name of control `name`(`index`).
QString ControlObjectName(std::string_view name, int index);

}  // namespace tx3
