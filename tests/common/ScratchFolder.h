// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A folder of the running test's own, named after the suite's prefix, the process and the
// test, made empty; the fixture removes it afterwards.
inline std::filesystem::path freshScratchFolder(const std::string& prefix) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        (prefix + "-" + std::to_string(::getpid()) + "-" +
         testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// All the bytes of a file ("" when it cannot be read).
inline std::string slurp(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}
