// SPDX-License-Identifier: MIT
#include "ui/StationSettings.h"

#include <QFileInfo>
#include <QSettings>

#include "share/StationFile.h"

namespace ui {
namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

}  // namespace

QString stationSettingsPath() {
    return QString::fromStdString(share::defaultStationPath());
}

std::optional<share::Station> loadSavedStation(QString& problem) {
    problem.clear();
    if (!QFileInfo::exists(stationSettingsPath())) {
        return std::nullopt;
    }
    const share::LoadedStation loaded = share::loadStation(share::defaultStationPath());
    for (const std::string& each : loaded.problems) {
        problem += (problem.isEmpty() ? "" : "\n") + text(each);
    }
    return loaded.station;
}

bool saveStation(const share::Station& station, QString& problem) {
    const share::StationForm form = share::formOf(station);
    QSettings settings(stationSettingsPath(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("station"));
    settings.remove(QString());  // no server left over from a longer list
    settings.setValue(QStringLiteral("callSign"), text(form.callSign));
    settings.setValue(QStringLiteral("locator"), text(form.locator));
    settings.setValue(QStringLiteral("latitude"), text(form.latitude));
    settings.setValue(QStringLiteral("longitude"), text(form.longitude));
    settings.setValue(QStringLiteral("noradId"), text(form.noradId));
    settings.setValue(QStringLiteral("frequencyMHz"), text(form.frequencyMHz));
    settings.setValue(QStringLiteral("sendEveryCheck"), form.sendEveryCheck);
    settings.beginWriteArray(QStringLiteral("servers"), static_cast<int>(form.servers.size()));
    for (std::size_t i = 0; i < form.servers.size(); ++i) {
        settings.setArrayIndex(static_cast<int>(i));
        settings.setValue(QStringLiteral("url"), text(form.servers[i].url));
        settings.setValue(QStringLiteral("enabled"), form.servers[i].enabled);
    }
    settings.endArray();
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        problem = QStringLiteral("The station could not be saved to \"%1\": %2.")
                      .arg(stationSettingsPath(),
                           settings.status() == QSettings::AccessError
                               ? QStringLiteral("the file or its folder cannot be written")
                               : QStringLiteral("the file is not in the settings format"));
        return false;
    }
    return true;
}

}  // namespace ui
