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
class QScrollArea;
class QStyle;

namespace tx3 {

class StatusAnnouncer;

class QtMainWindow : public QWidget {
 public:
  explicit QtMainWindow(FrmMain& model, QWidget* parent = nullptr);
  ~QtMainWindow() override;
  QtMainWindow(const QtMainWindow&) = delete;
  QtMainWindow& operator=(const QtMainWindow&) = delete;

  // Places the window in the middle of its screen's available area, fitted inside it.
  void CentreOnScreen();
  // Fits the window inside `available` (a screen's available area): the design's client area
  // scrolls in a smaller window when it does not fit; the window stands in the middle, its top
  // inside the area.
  void FitInto(const QRect& available);

  // The widget every control stands on (the design's client area), and the part of it shown.
  QWidget* Form() const { return form_; }
  QWidget* Viewport() const;

  // The widget of control `name`(`index`) (its object name is "name" or "name(index)").
  QWidget* ControlWidget(std::string_view name, int index = -1) const;

 protected:
  void moveEvent(QMoveEvent* event) override;

 private:
  QWidget* MakeControl(const ControlLayout& control, int slot);
  void SetTabOrderTopToBottom();
  void ShowFocused(QWidget* focused);

  class Widgets;  // what the binding asks of these widgets
  std::unique_ptr<Widgets> toolkit_;
  ViewBinding binding_;
  QObject* keyboard_;    // Enter on buttons and markers
  QScrollArea* scroll_;  // scrolls the form when the window is smaller than the design
  QWidget* form_;        // the design's client area, every control on it
  QStyle* focusStyle_;   // the controls' style: focus marks that can be seen
  int dpiX_ = 96, dpiY_ = 96;
  bool frameSeen_ = false;  // the window manager's frame was measured once the window was shown
  QMetaObject::Connection focusFollower_;  // scrolls the focused control into view
  std::vector<QWidget*> widgets_;          // by slot of the layout
  QLabel* statusPanel_ = nullptr;
  std::unique_ptr<StatusAnnouncer> announcer_;  // the status line read out
};

// The object name of control `name`(`index`).
QString ControlObjectName(std::string_view name, int index);

}  // namespace tx3
