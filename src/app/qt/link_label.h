// A label drawn as a link: its own text colour, underlined, a hand pointer, and a click. The
// keyboard reaches it too: Tab stops on it, Space or Enter opens it, and screen readers meet a
// link they can press.
#pragma once

#include <QColor>
#include <QLabel>

namespace tx3 {

class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  LinkLabel(const QString& text, QColor colour, QWidget* parent);

  void activate() { emit clicked(); }

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tx3
