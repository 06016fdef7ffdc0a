// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace batch {

// veskar-decode --plot: runs veskar-plot (beside this program in a build, or where the
// package puts it) on the picture and the logs, and gives its exit status. Without
// veskar-plot, as in a build without Qt, it says so and gives 2.
int runPlot(const std::string& picture, const std::vector<std::string>& logs);

}  // namespace batch
