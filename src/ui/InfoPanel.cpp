// SPDX-License-Identifier: MIT
#include "ui/InfoPanel.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "ui/Artwork.h"
#include "ui/CodePage.h"
#include "ui/PanelAccessibility.h"
#include "ui/PanelList.h"

namespace ui {
namespace {

const QSize panelSize(109, 317);

// Where an entry keeps its text as the panel's tests and tooltips read it.
constexpr const char* summaryProperty = "summary";

struct HealthLook {
    const char* symbol;  // the meaning without colour: ○ normal, △ limit, × fault, － not copied
    const char* colour;
    const char* words;
};

HealthLook lookOf(check::Health health) {
    switch (health) {
        case check::Health::Normal:
            return {"○", "#8ee6a0", QT_TRANSLATE_NOOP("ui::InfoPanel", "normal")};
        case check::Health::Limit:
            return {"△", "#ffd24a", QT_TRANSLATE_NOOP("ui::InfoPanel", "at a limit")};
        case check::Health::Fault:
            return {"×", "#ff7a7a", QT_TRANSLATE_NOOP("ui::InfoPanel", "fault")};
        case check::Health::NotCopied:
            break;
    }
    return {"－", "#9fb3c8", QT_TRANSLATE_NOOP("ui::InfoPanel", "not copied")};
}

QString wordsOf(const HealthLook& look) {
    return InfoPanel::tr(look.words);
}

// The core names its items in English; these are the names the panel shows.
[[maybe_unused]] constexpr std::array<const char*, 21> itemLabels{
    QT_TRANSLATE_NOOP("check::FrameSummary", "S meter"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Battery voltage"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Battery current"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "3.3 V bus"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Solar cell"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "EPS temperature"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Comm. temperature"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Memory status"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Sun sensor"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Status word"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Uplink command"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "FM transmitter power"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Protocol"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Operation mode"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Packet interval"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Sensor flag"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Antenna flag"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Paddle flag"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Sun sensor power"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Sun sensor mode"),
    QT_TRANSLATE_NOOP("check::FrameSummary", "Sun sensor threshold"),
};

QString labelOf(const check::SummaryLine& line) {
    const std::string label = line.label;
    return QCoreApplication::translate("check::FrameSummary", label.c_str());
}

void styleLabel(QLabel* label, double points) {
    QFont font = label->font();
    font.setPointSizeF(points);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #dfe8f2; background: transparent;"));
}

QLabel* makeLabel(const QString& text, QWidget* parent, double points) {
    auto* label = new QLabel(text, parent);
    styleLabel(label, points);
    return label;
}

// The entry's rich text and its accessible name.
std::pair<QString, QString> entryTexts(const check::SummaryLine& line) {
    const HealthLook look = lookOf(line.health);
    const QString label = labelOf(line);
    const QString value = fromCp932(line.value);
    const QString state = fromCp932(line.state);
    QString text = QStringLiteral("<span style='color:%1'>%2</span> %3")
                       .arg(look.colour, QString::fromUtf8(look.symbol), label.toHtmlEscaped());
    if (!value.isEmpty() || !state.isEmpty()) {
        // Indented as a block, so that a state that wraps stays under its value.
        text +=
            QStringLiteral("<div style='margin-left:8px'>%1 <span style='color:%2'>%3</span></div>")
                .arg(value.toHtmlEscaped(), look.colour, state.toHtmlEscaped());
    }
    QStringList parts{label};
    for (const QString& part : {value, state}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    const QString summary = parts.join(QStringLiteral(", ")) + QStringLiteral(" (") +
                            wordsOf(look) + QStringLiteral(")");
    return {text, summary};
}

// The units as words, for a screen reader: "4.218 [V]" is "4.218 volts".
QString unitsSpoken(QString value) {
    const std::array<std::pair<const char*, const char*>, 3> units{{
        {"[V]", QT_TRANSLATE_NOOP("ui::InfoPanel", "volts")},
        {"[A]", QT_TRANSLATE_NOOP("ui::InfoPanel", "amperes")},
        {"[℃]", QT_TRANSLATE_NOOP("ui::InfoPanel", "degrees Celsius")},
    }};
    for (const auto& [unit, words] : units) {
        value.replace(QString::fromUtf8(unit), InfoPanel::tr(words));
    }
    return value;
}

// "Battery voltage, 4.218 volts, UpperLimit, at a limit".
QString spokenText(const check::SummaryLine& line) {
    QStringList parts{labelOf(line)};
    for (const QString& part : {unitsSpoken(fromCp932(line.value)), fromCp932(line.state)}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    parts << wordsOf(lookOf(line.health));
    return parts.join(QStringLiteral(", "));
}

}  // namespace

InfoPanel::InfoPanel(QWidget* parent)
    : QWidget(parent), background(artworkPixmap(QStringLiteral("panel"))) {
    installPanelAccessibility();
    setFixedSize(panelSize);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(5, 5, 4, 4);
    column->setSpacing(3);
    heading = makeLabel(QString(), this, 8);
    heading->setWordWrap(true);
    heading->setObjectName(panelHeadingName);
    column->addWidget(heading);
    column->addWidget(makeViewSwitch());
    list = new PanelList(this);
    column->addWidget(list);
    column->addStretch();
    status = makeLabel(QString(), this, 7);  // the sending status; the legend stays last
    status->setWordWrap(true);
    status->hide();
    column->addWidget(status);
    legend = makeLabel(QString(), this, 7);
    legend->setWordWrap(true);
    legend->setObjectName(panelLegendName);
    QString legendText;
    for (const check::Health health : {check::Health::Normal, check::Health::Limit,
                                       check::Health::Fault, check::Health::NotCopied}) {
        const HealthLook look = lookOf(health);
        legendText += QStringLiteral("<span style='color:%1'>%2</span>&nbsp;%3 ")
                          .arg(look.colour, QString::fromUtf8(look.symbol),
                               wordsOf(look).replace(' ', "&nbsp;"));
    }
    legend->setText(legendText);
    legend->setAccessibleName(tr("Legend: ○ normal, △ at a limit, × fault, － not copied"));
    column->addWidget(legend);
    setAccessibleName(tr("Frame health"));
    setFocusProxy(list);                         // the panel's key reaches its list
    QWidget::setTabOrder(list, daylightSwitch);  // Tab meets the entries first
}

// Says which day/night setting the colours assume, and switches the view to daylight.
QToolButton* InfoPanel::makeViewSwitch() {
    daylightSwitch = new QToolButton(this);
    daylightSwitch->setCheckable(true);
    daylightSwitch->setAutoRaise(true);
    daylightSwitch->setFocusPolicy(Qt::TabFocus);
    QFont font = daylightSwitch->font();
    font.setPointSizeF(7);
    daylightSwitch->setFont(font);
    daylightSwitch->setStyleSheet(QStringLiteral(
        "QToolButton { color: #dfe8f2; background: rgba(255,255,255,30); border: 1px solid "
        "#4f7fb0; border-radius: 2px; padding: 0 2px; } QToolButton:checked { color: #2a2000; "
        "background: #ffd24a; } QToolButton:focus { border: 1px solid #ffffff; }"));
    auto describe = [this](bool daylight) {
        daylightSwitch->setText(daylight ? tr("Colours: daylight") : tr("Colours: eclipse"));
        daylightSwitch->setToolTip(
            daylight ? tr("The panel's colours assume daylight. The report keeps the built-in "
                          "eclipse setting. Press to return to eclipse.")
                     : tr("The panel's colours assume eclipse, the built-in setting. Press to "
                          "see this frame's battery current and solar cell in daylight."));
        daylightSwitch->setAccessibleName(daylightSwitch->text());
        daylightSwitch->setAccessibleDescription(daylightSwitch->toolTip());
    };
    describe(false);
    connect(daylightSwitch, &QToolButton::toggled, this, describe);
    return daylightSwitch;
}

QSize InfoPanel::sizeHint() const {
    return panelSize;
}

void InfoPanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, background);
    painter.fillRect(rect(), QColor(8, 18, 40, 120));  // keeps the text readable on the Earth
}

// Entries are kept and reused: a keystroke changes a text, not the panel's widgets.
void InfoPanel::showLines(const QString& title, const std::vector<check::SummaryLine>& lines) {
    if (heading->accessibleName() != title) {
        heading->setText(QStringLiteral("<b>%1</b>").arg(title.toHtmlEscaped()));
        heading->setAccessibleName(title);
    }
    if (list->accessibleName() != title) {
        list->setAccessibleName(title);
    }
    const QList<PanelEntry*> entries = list->showEntries(static_cast<int>(lines.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const check::SummaryLine& line = lines[static_cast<std::size_t>(i)];
        const auto [text, summary] = entryTexts(line);
        PanelEntry* entry = entries[i];
        if (entry->property(summaryProperty).toString() != summary) {
            entry->setText(text);
            entry->setProperty(summaryProperty, summary);
            entry->setAccessibleName(spokenText(line));
        }
    }
}

void InfoPanel::showStatusLine(const QString& text, const QString& details) {
    status->setText(text.toHtmlEscaped());
    status->setToolTip(details);
    status->setAccessibleName(details);
    status->setVisible(!text.isEmpty());
}

QString InfoPanel::statusLine() const {
    return status->isHidden() ? QString() : status->accessibleName();
}

QString InfoPanel::title() const {
    return heading->accessibleName();
}

QStringList InfoPanel::entries() const {
    QStringList texts;
    for (const PanelEntry* entry : list->shownEntries()) {
        texts << entry->property(summaryProperty).toString();
    }
    return texts;
}

}  // namespace ui
