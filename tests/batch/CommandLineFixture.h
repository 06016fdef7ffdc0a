// SPDX-License-Identifier: MIT
// Runs the built veskar-decode in a scratch folder, for the tests of its command line.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs veskar-decode in a scratch folder with its arguments and standard input.
class CommandLine : public testing::Test {
  protected:
    void SetUp() override { dir = freshScratchFolder("veskar-decode"); }
    void TearDown() override {
        if (::geteuid() == 0 && fs::exists(dir / "small")) {  // a test that stopped mounted
            const int unmounted =
                std::system(("umount '" + (dir / "small").string() + "' 2>/dev/null").c_str());
            static_cast<void>(unmounted);  // it may not have been mounted at all
        }
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }

    int run(const std::string& arguments, const std::string& input = "") {
        write(dir / "in", input);
        return runWith(arguments, "<in");
    }

    // The same with standard input as the shell redirection gives it ("</", "<&-"), or
    // with a command in front ("setpriv ... ").
    int runWith(const std::string& arguments, const std::string& input,
                const std::string& before = "") {
        const std::string command = "cd '" + dir.string() + "' && " + before + VESKAR_DECODE " " +
                                    arguments + " " + input + " >out 2>err";
        const int status = std::system(command.c_str());
        out = slurp(dir / "out");
        errors = slurp(dir / "err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path dir;
    std::string out, errors;
};

}  // namespace
