// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "share/Station.h"

namespace share {

// The station's settings file, in the INI form the dialog's settings write:
//
//   [station]
//   callSign=JA1ABC
//   locator=PM95vq
//   latitude=35.6
//   longitude=139.7
//   noradId=99999
//   frequencyMHz=437.375
//   sendEveryCheck=false
//   servers\1\url=https://example.org/api/telemetry/
//   servers\1\enabled=true
//   servers\size=1
//
// Other groups and keys are left to whoever wrote them.

// The form the file holds, or why it cannot be read as one ("line 3: ...").
struct StationFileForm {
    std::optional<StationForm> form;
    std::string problem;
};
StationFileForm parseStationFile(std::string_view text);

// The file's text for a station.
std::string stationFileText(const Station& station);

// Reads and checks a station file: the station, or the reasons in words with the file's name.
struct LoadedStation {
    std::optional<Station> station;
    std::vector<std::string> problems;
};
LoadedStation loadStation(const std::string& path);

// Where Veskar keeps its settings and its outbox: $XDG_CONFIG_HOME/veskar/station.ini and
// $XDG_DATA_HOME/veskar/outbox.txt, under ~/.config and ~/.local/share when those are unset.
std::string defaultStationPath();
std::string defaultOutboxPath();

}  // namespace share
