// SPDX-License-Identifier: MIT
// veskar-decode on the logs of real stations: odd line ends, garbled fields, huge lines.
#include "batch/CommandLineFixture.h"

// AddressSanitizer reserves more address space than a memory limit may allow.
#if defined(__SANITIZE_ADDRESS__)
#define VESKAR_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESKAR_UNDER_ASAN 1
#endif
#endif

namespace {

using Input = CommandLine;

TEST_F(Input, CommonLogVariantsLoseNoFrame) {
    const std::string log =
        "\xEF\xBB\xBF"
        "2010-01-02t03:04:05z VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80\r"
        "2016-12-31 23:59:60 VOKA 87 A6 00 7F C0 1234 2B75 90 8F 80 80\r";
    EXPECT_EQ(run("", log), 0) << errors;
    EXPECT_EQ(errors, "");
    EXPECT_NE(out.find("Input at 2010-01-02 03:04:05UTC"), std::string::npos);
    EXPECT_NE(out.find("Input at 2016-12-31 23:59:59UTC"), std::string::npos)
        << "a leap second is the last second of its minute";
}

TEST_F(Input, GarbledFieldsWarnAndStrictSkipsTheirLines) {
    const std::string log = "ZZ - - - - - - - - - -\n86 - - - - - - - - - -\n";
    EXPECT_EQ(run("", log), 0);
    EXPECT_EQ(errors,
              "<stdin>:1: field H0 \"ZZ\" is not a 2-digit hexadecimal number; read as 00\n");
    EXPECT_NE(out.find("VOKA 00 "), std::string::npos);
    EXPECT_EQ(run("--strict", log), 1);
    EXPECT_EQ(errors,
              "<stdin>:1: field H0 \"ZZ\" is not a 2-digit hexadecimal number; line skipped\n");
    EXPECT_EQ(out.find("VOKA 00 "), std::string::npos);
    EXPECT_NE(out.find("VOKA 86 "), std::string::npos);
}

TEST_F(Input, ANulByteIsAnErrorForItsLine) {
    EXPECT_EQ(run("", std::string("A6") + '\0' + " - - - - - - - - - -\n"), 1);
    EXPECT_EQ(errors, "<stdin>:1: NUL byte in the line\n");
    EXPECT_EQ(out, "");
}

TEST_F(Input, AHugeLineIsSkippedInBoundedMemory) {
#ifdef VESKAR_UNDER_ASAN
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#else
    // 100 MB of short tokens in one line, under a limit of 64 MB of address space.
    const std::string make =
        "yes F | head -c 100000000 | tr '\\n' ' ' >huge && echo >>huge && "
        "echo '86 - - - - - - - - - -' >>huge";
    ASSERT_EQ(std::system(("cd '" + dir.string() + "' && " + make).c_str()), 0);
    EXPECT_EQ(runWith("huge", "</dev/null", "ulimit -v 65536 && "), 1) << errors;
    EXPECT_EQ(errors, "huge:1: line longer than 65536 bytes\n");
    EXPECT_NE(out.find("VOKA 86 "), std::string::npos) << "the next line decoded";
#endif
}

TEST_F(Input, NamesAreEscapedInMessages) {
    EXPECT_EQ(run("-o \"$(printf 'no\\033[2Jsuch/r.txt')\""), 2);
    EXPECT_EQ(errors,
              "veskar-decode: cannot write no\\x1B[2Jsuch/r.txt: No such file or directory\n");
    EXPECT_EQ(run("\"$(printf 'a\\nb.log')\""), 2);
    EXPECT_EQ(errors, "veskar-decode: cannot read a\\nb.log: No such file or directory\n");
}

}  // namespace
