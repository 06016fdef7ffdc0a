// SPDX-License-Identifier: MIT
#include "ui/StationDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {
namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

std::string stdText(const QLineEdit* edit) {
    return edit->text().trimmed().toStdString();
}

QLineEdit* makeEdit(const QString& placeholder, const QString& accessibleName) {
    auto* edit = new QLineEdit;
    edit->setPlaceholderText(placeholder);
    edit->setAccessibleName(accessibleName);
    return edit;
}

enum ServerColumn { sendColumn, urlColumn };

}  // namespace

StationDialog::StationDialog(const std::optional<share::Station>& station, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Station"));
    buildForm();
    share::StationForm initial;
    initial.servers = share::offeredServers();
    fill(station ? share::formOf(*station) : initial);
}

void StationDialog::buildForm() {
    callSign = makeEdit(QStringLiteral("for example JA1ABC"), QStringLiteral("Call sign"));
    locator = makeEdit(QStringLiteral("for example PM95uo"), QStringLiteral("Locator"));
    latitude =
        makeEdit(QStringLiteral("latitude, for example 35.6 or 33.9S"), QStringLiteral("Latitude"));
    longitude = makeEdit(QStringLiteral("longitude, for example 139.7 or 56.2W"),
                         QStringLiteral("Longitude"));
    noradId = makeEdit(QStringLiteral("the satellite's catalogue number, 1 to 99999"),
                       QStringLiteral("NORAD number"));
    frequency =
        makeEdit(QStringLiteral("optional, for example 437.375"), QStringLiteral("Frequency"));
    sendEveryCheck = new QCheckBox(QStringLiteral("Send every Check to the servers at once"));

    // Decimal degrees, north and east positive; each field and the locator follow each other.
    auto* position = new QHBoxLayout;
    position->addWidget(latitude);
    position->addWidget(longitude);
    auto* positionLabel = new QLabel(QStringLiteral("L&atitude, longitude:"));
    positionLabel->setBuddy(latitude);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Call sign:"), callSign);
    form->addRow(QStringLiteral("&Locator:"), locator);
    form->addRow(positionLabel, position);
    form->addRow(QStringLiteral("&NORAD number:"), noradId);
    form->addRow(QStringLiteral("&Frequency (MHz):"), frequency);
    form->addRow(QString(), sendEveryCheck);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    buildServers();
    problems = new QLabel;
    problems->setWordWrap(true);
    problems->setStyleSheet(QStringLiteral("color: #b00020;"));
    problems->hide();
    column->addWidget(problems);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &StationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &StationDialog::reject);
    column->addWidget(buttons);

    connect(locator, &QLineEdit::textEdited, this, &StationDialog::locatorEdited);
    connect(latitude, &QLineEdit::textEdited, this, &StationDialog::positionEdited);
    connect(longitude, &QLineEdit::textEdited, this, &StationDialog::positionEdited);
}

void StationDialog::buildServers() {
    auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
    layout->addWidget(
        new QLabel(QStringLiteral("Telemetry &servers (each frame is posted to "
                                  "every server ticked):")));
    servers = new QTableWidget(0, 2);
    servers->setHorizontalHeaderLabels({QStringLiteral("Send"), QStringLiteral("URL")});
    servers->horizontalHeader()->setSectionResizeMode(urlColumn, QHeaderView::Stretch);
    servers->horizontalHeader()->setSectionResizeMode(sendColumn, QHeaderView::ResizeToContents);
    servers->verticalHeader()->hide();
    servers->setAccessibleName(QStringLiteral("Telemetry servers"));
    servers->setMinimumWidth(460);
    servers->setMaximumHeight(140);
    qobject_cast<QLabel*>(layout->itemAt(layout->count() - 1)->widget())->setBuddy(servers);
    layout->addWidget(servers);
    auto* row = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("A&dd server"));
    auto* remove = new QPushButton(QStringLiteral("&Remove server"));
    row->addWidget(add);
    row->addWidget(remove);
    row->addStretch();
    layout->addLayout(row);
    connect(add, &QPushButton::clicked, this, [this] {
        addServer({"https://", true});
        servers->setCurrentCell(servers->rowCount() - 1, urlColumn);
        servers->editItem(servers->currentItem());
    });
    connect(remove, &QPushButton::clicked, this, &StationDialog::removeServer);
}

void StationDialog::addServer(const share::Server& server) {
    const int row = servers->rowCount();
    servers->insertRow(row);
    auto* send = new QTableWidgetItem;
    send->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    send->setCheckState(server.enabled ? Qt::Checked : Qt::Unchecked);
    servers->setItem(row, sendColumn, send);
    servers->setItem(row, urlColumn, new QTableWidgetItem(text(server.url)));
}

void StationDialog::removeServer() {
    if (servers->currentRow() >= 0) {
        servers->removeRow(servers->currentRow());
    }
}

void StationDialog::fill(const share::StationForm& form) {
    callSign->setText(text(form.callSign));
    locator->setText(text(form.locator));
    latitude->setText(text(form.latitude));
    longitude->setText(text(form.longitude));
    noradId->setText(text(form.noradId));
    frequency->setText(text(form.frequencyMHz));
    sendEveryCheck->setChecked(form.sendEveryCheck);
    for (const share::Server& server : form.servers) {
        addServer(server);
    }
}

share::StationForm StationDialog::typedForm() const {
    share::StationForm form{stdText(callSign),
                            stdText(locator),
                            stdText(latitude),
                            stdText(longitude),
                            stdText(noradId),
                            stdText(frequency),
                            {},
                            sendEveryCheck->isChecked()};
    for (int row = 0; row < servers->rowCount(); ++row) {
        const std::string url = servers->item(row, urlColumn)->text().trimmed().toStdString();
        if (!url.empty()) {
            form.servers.push_back(
                {url, servers->item(row, sendColumn)->checkState() == Qt::Checked});
        }
    }
    return form;
}

// A complete locator gives the position of its centre.
void StationDialog::locatorEdited() {
    const share::Checked<std::string> checked = share::checkLocator(stdText(locator));
    if (checked.value) {
        const share::Position centre = *share::centreOf(*checked.value);
        latitude->setText(text(share::degreesText(centre.latitude)));
        longitude->setText(text(share::degreesText(centre.longitude)));
    }
}

// A complete position gives its locator, to six characters.
void StationDialog::positionEdited() {
    const share::Checked<double> north = share::checkLatitude(stdText(latitude));
    const share::Checked<double> east = share::checkLongitude(stdText(longitude));
    if (north.value && east.value) {
        locator->setText(text(share::locatorOf({*north.value, *east.value}, 6)));
    }
}

void StationDialog::showProblems(const std::vector<share::Problem>& problemsFound) {
    QStringList lines;
    for (const share::Problem& problem : problemsFound) {
        lines << text(problem.field) + QStringLiteral(": ") + text(problem.message);
    }
    problems->setText(lines.join('\n'));
    problems->setVisible(!lines.isEmpty());
    const std::pair<const char*, QWidget*> fields[] = {
        {"Call sign", callSign},  {"Locator", locator},  {"Latitude", latitude},
        {"Longitude", longitude}, {"Position", locator}, {"NORAD number", noradId},
        {"Frequency", frequency}};
    for (const auto& [name, widget] : fields) {
        if (!problemsFound.empty() && problemsFound.front().field == name) {
            widget->setFocus();
        }
    }
}

QString StationDialog::problemText() const {
    return problems->isVisible() ? problems->text() : QString();
}

void StationDialog::accept() {
    share::CheckedStation checked = share::checkStation(typedForm());
    showProblems(checked.problems);
    if (checked.station) {
        accepted = std::move(checked.station);
        QDialog::accept();
    }
}

}  // namespace ui
