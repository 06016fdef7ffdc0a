// SPDX-License-Identifier: MIT
#include "ui/PanelAccessibility.h"

#include <QAccessibleWidget>

#include "ui/InfoPanel.h"
#include "ui/PanelList.h"

namespace ui {
namespace {

// The list counts only the entries shown; the hidden ones, kept for reuse, all come after.
class PanelListAccessible : public QAccessibleWidget {
  public:
    explicit PanelListAccessible(PanelList* list) : QAccessibleWidget(list, QAccessible::List) {}

    int childCount() const override {
        return static_cast<int>(static_cast<const PanelList*>(widget())->shownEntries().size());
    }
};

class PanelEntryAccessible : public QAccessibleWidget {
  public:
    explicit PanelEntryAccessible(PanelEntry* entry)
        : QAccessibleWidget(entry, QAccessible::ListItem) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const auto* entry = static_cast<const PanelEntry*>(widget());
        state.selectable = true;
        state.focusable = true;
        state.selected = entry->isCurrent();
        state.focused = entry->isCurrent() && entry->parentWidget()->hasFocus();
        return state;
    }
};

QAccessibleInterface* panelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("ui::InfoPanel")) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    }
    if (className == QLatin1String("ui::PanelList")) {
        return new PanelListAccessible(static_cast<PanelList*>(object));
    }
    if (className == QLatin1String("ui::PanelEntry")) {
        return new PanelEntryAccessible(static_cast<PanelEntry*>(object));
    }
    // The panel's title and legend belong to the list; as loose labels a screen reader
    // would read them with the dialog's name before every notification.
    if (className == QLatin1String("QLabel") && object->objectName() == panelHeadingName) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Heading);
    }
    if (className == QLatin1String("QLabel") && object->objectName() == panelLegendName) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Note);
    }
    return nullptr;
}

}  // namespace

void PanelEntry::setCurrent(bool isCurrent) {
    if (current != isCurrent) {
        current = isCurrent;
        update();
    }
}

void installPanelAccessibility() {
    static const bool installed = (QAccessible::installFactory(panelFactory), true);
    (void)installed;
}

void announceEntryFocus(PanelEntry* entry) {
    QAccessibleEvent focus(entry, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

}  // namespace ui
