// SPDX-License-Identifier: MIT
#include "ui/Announcer.h"

#include <QAccessibleWidget>

namespace ui {
namespace {

class AnnouncementAccessible : public QAccessibleWidget {
  public:
    explicit AnnouncementAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name || kind == QAccessible::Description) {
            return widget()->accessibleName();
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* announcementFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("ui::Announcer") && object->isWidgetType()) {
        return new AnnouncementAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

}  // namespace

void Announcer::installAccessibility() {
    static const bool installed = (QAccessible::installFactory(announcementFactory), true);
    (void)installed;
}

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    installAccessibility();
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
    hide();
}

// A screen reader speaks a notification when it is shown, so each text shows it anew.
void Announcer::announce(const QString& text) {
    hide();
    setAccessibleName(text);
    show();
}

}  // namespace ui
