// SPDX-License-Identifier: MIT
#include "ui/ReceptionReportDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "Version.h"
#include "check/UtcTime.h"
#include "share/ReceptionReport.h"
#include "share/SidsForm.h"
#include "ui/Services.h"

namespace ui {
namespace {

// "2010-01-02 03:04:05  VOKA 86 A6 ..." for the list.
QString frameLine(const check::CheckRecord& record) {
    std::string line;
    check::appendUtc(line, record.decoded.time);
    line += "  VOKA";
    for (const std::string& field : record.texts) {
        line += ' ' + (field.empty() ? std::string("--") : field);
    }
    return QString::fromStdString(share::utf8OfReportText(line));
}

std::optional<QString> askForPath(QWidget* parent, bool html) {
    QFileDialog dialog(parent, QStringLiteral("Save the reception report"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(html ? QStringLiteral("html") : QStringLiteral("txt"));
    dialog.setNameFilters(
        {html ? QStringLiteral("HTML page (*.html)") : QStringLiteral("Text (*.txt)"),
         QStringLiteral("All files (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

ReceptionReportDialog::ReceptionReportDialog(const std::vector<check::CheckRecord>& history,
                                             const std::optional<share::Station>& station,
                                             Services& services, QWidget* parent)
    : QDialog(parent),
      choosePath(askForPath),
      history(history),
      station(station),
      services(services),
      frames(new QListWidget),
      format(new QComboBox) {
    setWindowTitle(QStringLiteral("Reception report"));
    for (const check::CheckRecord& record : history) {
        auto* item = new QListWidgetItem(frameLine(record), frames);
        item->setCheckState(Qt::Checked);
    }
    frames->setAccessibleName(QStringLiteral("Frames in the report"));
    frames->setMinimumWidth(520);
    format->addItems({QStringLiteral("Plain text (UTF-8)"), QStringLiteral("HTML page")});

    auto* column = new QVBoxLayout(this);
    auto* label =
        new QLabel(QStringLiteral("&Frames of this run to report (untick the ones to "
                                  "leave out):"));
    label->setBuddy(frames);
    column->addWidget(label);
    column->addWidget(frames);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("F&ormat:"), format);
    column->addLayout(form);
    if (!station) {
        column->addWidget(
            new QLabel(QStringLiteral("No station is set up: the report will "
                                      "say so (window menu, Station…).")));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReceptionReportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReceptionReportDialog::reject);
    column->addWidget(buttons);
}

bool ReceptionReportDialog::html() const {
    return format->currentIndex() == 1;
}

std::string ReceptionReportDialog::report() const {
    share::ReportInput input;
    input.station = station ? &*station : nullptr;
    input.version = VESKAR_VERSION;
    for (int row = 0; row < frames->count(); ++row) {
        if (frames->item(row)->checkState() == Qt::Checked) {
            input.frames.push_back(&history[static_cast<std::size_t>(row)]);
        }
    }
    return html() ? share::receptionReportHtml(input) : share::receptionReportText(input);
}

bool ReceptionReportDialog::saveTo(const QString& path) {
    QSaveFile file(path);
    const std::string bytes = report();
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size &&
        file.commit()) {
        return true;
    }
    services.showError(this, QStringLiteral("The reception report could not be saved to "
                                            "\"%1\".\n\n%2")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
}

void ReceptionReportDialog::accept() {
    if (const std::optional<QString> path = choosePath(this, html())) {
        if (saveTo(*path)) {
            QDialog::accept();
        }
    }
}

}  // namespace ui
