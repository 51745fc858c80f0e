// The status line read out: a notification to screen readers inside the status bar, shown
// anew with each status text (AT-SPI: a notification that becomes showing, which Orca speaks).
// It draws nothing: it has no size.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace tx3 {

class StatusAnnouncer {
 public:
  explicit StatusAnnouncer(QWidget* bar);
  // Tells screen readers `text`; nothing while the window is not shown.
  void Announce(const QString& text);

 private:
  QLabel* NewNotice() const;

  QWidget* bar_;
  QLabel* notice_;  // the notice of the latest text
};

}  // namespace tx3
