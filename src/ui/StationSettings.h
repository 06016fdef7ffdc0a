// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

#include "share/Station.h"

namespace ui {

// The station as saved by the Station dialog, with QSettings in the INI file that
// veskar-decode --send reads too (share::defaultStationPath()). Nothing is read or written
// before the operator saves the dialog once.

// The saved station; nothing when none was saved. problem tells why a saved file could not
// be used (its name and the reason), and stays empty when there simply is none.
std::optional<share::Station> loadSavedStation(QString& problem);

// False with the reason (file name included) when the settings could not be written.
bool saveStation(const share::Station& station, QString& problem);

QString stationSettingsPath();

}  // namespace ui
