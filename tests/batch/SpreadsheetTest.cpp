// SPDX-License-Identifier: MIT
// veskar-decode's CSV as LibreOffice Calc reads it with its default import: every hexadecimal
// cell stays text, the time is a date-time, the values are the numbers shown.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The office:value-type of the cell whose text is exactly text, or "" when there is none.
std::string typeOfCell(const std::string& fods, const std::string& text) {
    const std::size_t at = fods.find("<text:p>" + text + "</text:p>");
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t cell = fods.rfind("<table:table-cell ", at);
    static const std::regex type(R"(office:value-type="(\w+)\")");
    std::smatch match;
    const std::string tag = fods.substr(cell, fods.find('>', cell) - cell);
    return std::regex_search(tag, match, type) ? match[1].str() : "string";
}

TEST(Spreadsheet, LibreOfficeReadsHexAsTextTimesAsDatesAndValuesAsShown) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; "
                        "bash scripts/check-spreadsheet.sh installs it and runs this test";
    }
    const fs::path dir = fs::temp_directory_path() / ("veskar-calc-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "pass.log") << "2010-01-02 03:04:05 43 E4 00 86 C0 43E4 0086 90 8F 80 80\n";
    const std::string run = "cd '" + dir.string() + "' && HOME='" + dir.string() + "' " +
                            VESKAR_DECODE + " --csv pass.log > pass.csv && HOME='" + dir.string() +
                            "' soffice --headless --convert-to fods pass.csv >/dev/null 2>&1";
    ASSERT_EQ(std::system(run.c_str()), 0);
    const std::string fods = slurp(dir / "pass.fods");
    fs::remove_all(dir);

    for (const char* hex : {"0x43", "0xE4", "0x00", "0x86", "0x43E4", "0x0086"}) {
        EXPECT_EQ(typeOfCell(fods, hex), "string") << hex;
    }
    EXPECT_NE(fods.find(R"(office:date-value="2010-01-02T03:04:05")"), std::string::npos)
        << "the time is read as a date-time";
    EXPECT_NE(fods.find(R"(office:value="0.851294")"), std::string::npos)
        << "the S meter of 0x43 is the number shown";
    EXPECT_EQ(fods.find("E+"), std::string::npos) << "no scientific notation";
}

}  // namespace
