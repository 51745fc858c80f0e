// The Qt view of Frm_Main: one widget per control of the window layout, placed to the twip. What
// each widget shows and which handler it reaches is decided by the ViewBinding; this view only
// creates, fills and draws its widgets.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/frm_main.h"
#include "app/view_binding.h"
#include "app/window_layout.h"

class QLabel;
class QRect;
class QScrollArea;

namespace tx3 {

class StatusAnnouncer;

class QtMainWindow : public QWidget {
 public:
  explicit QtMainWindow(FrmMain& model, QWidget* parent = nullptr);
  ~QtMainWindow() override;
  QtMainWindow(const QtMainWindow&) = delete;
  QtMainWindow& operator=(const QtMainWindow&) = delete;

  // Shows every control as the model holds it.
  void RenderAll() { binding_.RenderAll(); }
  // Places the window in the middle of its screen's available area, made smaller than its design
  // where the design does not fit there (its client area then scrolls).
  void CentreOnScreen();
  // The same within `available`, an area of the screen.
  void PlaceWithin(const QRect& available);

  // The widget of control `name`(`index`) (its object name is "name" or "name(index)").
  QWidget* ControlWidget(std::string_view name, int index = -1) const;

 private:
  void MakeScrollableForm();
  QWidget* MakeControl(const ControlLayout& control, int slot);
  void SetTabOrderTopToBottom();

  class Widgets;  // what the binding asks of these widgets
  std::unique_ptr<Widgets> toolkit_;
  ViewBinding binding_;
  QObject* keyboard_;  // Enter on buttons and markers
  QScrollArea* scroll_ = nullptr;
  QWidget* form_ = nullptr;        // the design's client area, the controls' parent
  std::vector<QWidget*> widgets_;  // by slot of the layout
  QLabel* statusPanel_ = nullptr;
  std::unique_ptr<StatusAnnouncer> announcer_;  // the status line read out
};

// The object name of control `name`(`index`).
QString ControlObjectName(std::string_view name, int index);

}  // namespace tx3
