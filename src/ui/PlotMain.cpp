// SPDX-License-Identifier: MIT
// veskar-plot: draws the pass view's charts of logs into a picture, for veskar-decode --plot,
// which runs it so that veskar-decode itself needs no Qt.
// Usage: veskar-plot PICTURE.png|PICTURE.svg [LOG ...]
#include <iostream>
#include <string>
#include <vector>

#include "ui/PassPlot.h"

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::cerr << "usage: veskar-plot PICTURE.png|PICTURE.svg [LOG ...]\n";
        return 2;
    }
    std::vector<std::string> logs(argv + 2, argv + argc);
    if (logs.empty()) {
        logs.emplace_back("-");
    }
    return ui::plotLogs(argv[1], logs, std::cerr);
}
