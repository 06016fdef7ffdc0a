// SPDX-License-Identifier: MIT
#include "ui/InfoPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/Artwork.h"
#include "ui/CodePage.h"

namespace ui {
namespace {

const QSize panelSize(109, 317);

struct HealthLook {
    const char* symbol;  // the meaning without colour: ○ normal, △ limit, × fault, － not copied
    const char* colour;
    const char* words;
};

HealthLook lookOf(check::Health health) {
    switch (health) {
        case check::Health::Normal:
            return {"○", "#8ee6a0", "normal"};
        case check::Health::Limit:
            return {"△", "#ffd24a", "at a limit"};
        case check::Health::Fault:
            return {"×", "#ff7a7a", "fault"};
        case check::Health::NotCopied:
            break;
    }
    return {"－", "#9fb3c8", "not copied"};
}

QLabel* makeLabel(const QString& text, QWidget* parent, double points) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSizeF(points);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #dfe8f2; background: transparent;"));
    return label;
}

// The entry's rich text and its accessible name.
std::pair<QString, QString> entryTexts(const check::SummaryLine& line) {
    const HealthLook look = lookOf(line.health);
    const QString label = fromCp932(line.label);
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
    QStringList spoken{label};
    for (const QString& part : {value, state}) {
        if (!part.isEmpty()) {
            spoken << part;
        }
    }
    const QString name = spoken.join(QStringLiteral(", ")) + QStringLiteral(" (") +
                         QString::fromUtf8(look.words) + QStringLiteral(")");
    return {text, name};
}

}  // namespace

InfoPanel::InfoPanel(QWidget* parent)
    : QWidget(parent), background(artworkPixmap(QStringLiteral("panel"))) {
    setFixedSize(panelSize);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(5, 5, 4, 4);
    column->setSpacing(3);
    heading = makeLabel(QString(), this, 8);
    heading->setWordWrap(true);
    column->addWidget(heading);
    grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(0);
    column->addLayout(grid);
    column->addStretch();
    QLabel* legend = makeLabel(QString(), this, 7);
    legend->setWordWrap(true);
    QString legendText;
    for (const check::Health health : {check::Health::Normal, check::Health::Limit,
                                       check::Health::Fault, check::Health::NotCopied}) {
        const HealthLook look = lookOf(health);
        legendText += QStringLiteral("<span style='color:%1'>%2</span>&nbsp;%3 ")
                          .arg(look.colour, QString::fromUtf8(look.symbol),
                               QString::fromUtf8(look.words).replace(' ', "&nbsp;"));
    }
    legend->setText(legendText);
    legend->setAccessibleName(
        QStringLiteral("Legend: ○ normal, △ at a limit, × fault, － not copied"));
    column->addWidget(legend);
    status = makeLabel(QString(), this, 7);
    status->setWordWrap(true);
    status->hide();
    column->addWidget(status);
    setAccessibleName(QStringLiteral("Frame health"));
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
    while (entryLabels.size() < static_cast<qsizetype>(lines.size())) {
        QLabel* entry = makeLabel(QString(), this, 7);
        entry->setWordWrap(true);
        grid->addWidget(entry, static_cast<int>(entryLabels.size()), 0);
        entryLabels << entry;
    }
    for (qsizetype i = 0; i < entryLabels.size(); ++i) {
        QLabel* entry = entryLabels[i];
        const bool used = i < static_cast<qsizetype>(lines.size());
        if (used) {
            const auto [text, name] = entryTexts(lines[static_cast<std::size_t>(i)]);
            if (entry->accessibleName() != name) {
                entry->setText(text);
                entry->setAccessibleName(name);
            }
        }
        entry->setVisible(used);
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
    for (const QLabel* label : entryLabels) {
        if (!label->isHidden()) {
            texts << label->accessibleName();
        }
    }
    return texts;
}

}  // namespace ui
