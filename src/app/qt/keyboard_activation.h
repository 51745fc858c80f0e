// Enter presses the focused button or ticks the focused marker, as Space already does: in a
// plain window (not a dialog) Qt's buttons answer Space alone.
#pragma once

#include <QObject>

namespace tx3 {

class KeyboardActivation : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tx3
