#include "app/qt/status_announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QTimer>

#include "app/qt/accessible_factory.h"

namespace tx3 {
namespace {

const char kNotice[] = "tx3StatusNotice";
constexpr int kToldNoticeLifeMs = 10000;

class NoticeAccessible : public QAccessibleWidget {
 public:
  explicit NoticeAccessible(QLabel* notice)
      : QAccessibleWidget(notice, QAccessible::Notification) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

// Only the notices: every other label keeps Qt's own interface.
QAccessibleInterface* NoticeAccessibility(QLabel* label) {
  return label->property(kNotice).toBool() ? new NoticeAccessible(label) : nullptr;
}

}  // namespace

StatusAnnouncer::StatusAnnouncer(QWidget* bar) : bar_(bar) {
  InstallAccessibility<QLabel, NoticeAccessibility>();
  notice_ = NewNotice();
}

QLabel* StatusAnnouncer::NewNotice() const {
  auto* notice = new QLabel(bar_);
  notice->setObjectName(QStringLiteral("StatusBarMain.Notice"));
  notice->setProperty(kNotice, true);
  notice->setGeometry(0, 0, 0, 0);
  notice->hide();
  return notice;
}

void StatusAnnouncer::Announce(const QString& text) {
  // A notice already told keeps its text a while for the screen reader that reads it late (Orca
  // reads a notice's name when it comes to its event, steps later): the next text gets a notice
  // of its own.
  if (notice_->isVisible()) {
    notice_->hide();
    notice_->setObjectName(QStringLiteral("StatusBarMain.Notice.Told"));
    QTimer::singleShot(kToldNoticeLifeMs, notice_, &QObject::deleteLater);
    notice_ = NewNotice();
  }
  notice_->setText(text);
  if (!bar_->isVisible() || text.isEmpty()) return;
  notice_->show();  // the screen reader hears a notification become showing
}

}  // namespace tx3
