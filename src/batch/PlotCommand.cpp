// SPDX-License-Identifier: MIT
#include "batch/PlotCommand.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "batch/Printable.h"

namespace batch {
namespace {

namespace fs = std::filesystem;

void say(const std::string& message) {
    std::cerr << ("veskar-decode: " + message + "\n");  // one line, one write
}

// veskar-plot beside this program, else where the package installs it; "" when neither runs.
std::string plotProgram() {
    std::error_code ignored;
    const fs::path self = fs::read_symlink("/proc/self/exe", ignored);
    for (const fs::path& candidate :
         {self.parent_path() / "veskar-plot", fs::path(VESKAR_PLOT_PROGRAM)}) {
        if (!candidate.empty() && access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return "";
}

}  // namespace

int runPlot(const std::string& picture, const std::vector<std::string>& logs) {
    const std::string program = plotProgram();
    if (program.empty()) {
        say("--plot is not available in this build (veskar-plot, which draws with Qt, is not "
            "installed)");
        return 2;
    }
    std::vector<std::string> words{program, picture};
    words.insert(words.end(), logs.begin(), logs.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::cout.flush();
    const pid_t child = fork();
    if (child == 0) {
        execv(program.c_str(), argv.data());
        std::cerr << ("veskar-decode: cannot run " + printable(program) + ": " +
                      std::strerror(errno) + "\n");
        _exit(2);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        say("cannot run " + printable(program) + ": " + std::strerror(errno));
        return 2;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

}  // namespace batch
