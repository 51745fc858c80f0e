// A label drawn as a link: its own text colour, underlined, a hand pointer, and a click.
#pragma once

#include <QColor>
#include <QLabel>

namespace tx3 {

class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  LinkLabel(const QString& text, QColor colour, QWidget* parent);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tx3
