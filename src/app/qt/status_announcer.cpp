#include "app/qt/status_announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace tx3 {
namespace {

const char kNotice[] = "tx3StatusNotice";

class NoticeAccessible : public QAccessibleWidget {
 public:
  explicit NoticeAccessible(QLabel* notice)
      : QAccessibleWidget(notice, QAccessible::Notification) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* NoticeAccessibility(const QString& className, QObject* object) {
  if (className != QLatin1String(QLabel::staticMetaObject.className())) return nullptr;
  auto* notice = qobject_cast<QLabel*>(object);
  if (notice == nullptr || !notice->property(kNotice).toBool()) return nullptr;
  return new NoticeAccessible(notice);
}

}  // namespace

StatusAnnouncer::StatusAnnouncer(QWidget* bar) : notice_(new QLabel(bar)) {
  static const bool installed = [] {
    QAccessible::installFactory(NoticeAccessibility);
    return true;
  }();
  (void)installed;
  notice_->setObjectName(QStringLiteral("StatusBarMain.Notice"));
  notice_->setProperty(kNotice, true);
  notice_->setGeometry(0, 0, 0, 0);
  notice_->hide();
}

void StatusAnnouncer::Announce(const QString& text) {
  QWidget* bar = notice_->parentWidget();
  notice_->hide();
  notice_->setText(text);
  if (bar == nullptr || !bar->isVisible() || text.isEmpty()) return;
  notice_->show();  // the screen reader hears a notification become showing
}

}  // namespace tx3
