// SPDX-License-Identifier: MIT
#include "batch/CommandLineFixture.h"

namespace {

const std::string frame = "2010-01-02 03:04:05 VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n";
const std::string badLine = "86 A6\n";

TEST_F(CommandLine, ExitStatusTellsWhetherEveryLineWasDecoded) {
    EXPECT_EQ(run("", frame), 0);
    EXPECT_EQ(out.substr(0, 9), "Input at ");
    EXPECT_EQ(run("", frame + badLine + frame), 1);
    EXPECT_EQ(errors, "<stdin>:2: expected 11 fields (H0 H1 H2 H3 H4 A B C D E F), found 2\n");
    EXPECT_EQ(out.find("CW Code", out.rfind("Input at ")), out.rfind("CW Code")) << "two frames";
    EXPECT_NE(out.find("Input at "), out.rfind("Input at "));
    EXPECT_EQ(run("--bogus"), 2);
    EXPECT_NE(errors.find("unknown option --bogus"), std::string::npos);
    EXPECT_EQ(run("-o"), 2);
}

TEST_F(CommandLine, UnreadableFileIsNamedAndTheOthersAreStillDecoded) {
    write(dir / "a.log", frame);
    EXPECT_EQ(run("missing.log a.log"), 2);
    EXPECT_EQ(errors, "veskar-decode: cannot read missing.log: No such file or directory\n");
    EXPECT_NE(out.find("VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80"), std::string::npos);
}

TEST_F(CommandLine, FolderOrUnreadableFileIsNamedWithTheReason) {
    fs::create_directory(dir / "logs");
    EXPECT_EQ(run("logs", frame), 2);
    EXPECT_EQ(errors, "veskar-decode: cannot read logs: Is a directory\n");
    if (::geteuid() != 0) {  // root reads a file whatever its permissions
        write(dir / "secret.log", frame);
        fs::permissions(dir / "secret.log", fs::perms::none);
        EXPECT_EQ(run("secret.log"), 2);
        EXPECT_EQ(errors, "veskar-decode: cannot read secret.log: Permission denied\n");
    }
}

TEST_F(CommandLine, BinaryInputLongLinesAndNoFinalLineEnd) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>((i * 73 + 11) % 256);
    }
    // Long, but within the 64 KiB a line may have.
    const std::string longLine = std::string(60 << 10, 'F') + " - - - - - - - - - -\n";
    const std::string lastFrame = "86 - - - - - - - - - 80";  // no line end at all
    EXPECT_EQ(run("", binary + "\n" + longLine + lastFrame), 1);
    EXPECT_NE(out.find("CW Code = \t\tVOKA FF"), std::string::npos) << "the long line decoded";
    EXPECT_NE(out.rfind("CW Code = \t\tVOKA 86 00 00 00 00 0000 0000 00 00 00 80"),
              std::string::npos)
        << "the last line decoded without its line end";
    EXPECT_NE(errors.find("<stdin>:1:"), std::string::npos);
}

TEST_F(CommandLine, FilesAndStandardInputAreOneRun) {
    write(dir / "a.log", "86 A6 00 7F C0 - - - - - -\n");
    write(dir / "b.log", "- - - - - 1234 - - - - 80\n");
    EXPECT_EQ(run("a.log - b.log", "2010-01-02 03:04:05 FF - - - - - - - - - -\n"), 0);
    EXPECT_NE(out.find("VOKA FF A6 00 7F C0 0000 0000 00 00 00 00"), std::string::npos);
    EXPECT_NE(out.find("VOKA FF A6 00 7F C0 1234 0000 00 00 00 80"), std::string::npos);
}

TEST_F(CommandLine, OutputFileIsTheSavedFileFormatAndReplacesTheTarget) {
    write(dir / "report.txt", "earlier");
    EXPECT_EQ(run("-o report.txt", frame), 0);
    EXPECT_EQ(out, "");
    const std::string saved = slurp(dir / "report.txt");
    EXPECT_EQ(saved.substr(0, 9), "Input at ");
    EXPECT_EQ(saved.back(), '\x1A');
    EXPECT_EQ(run("--csv -o rows.csv", frame), 0);
    EXPECT_EQ(slurp(dir / "rows.csv").substr(0, 8), "time_utc");
    EXPECT_NE(slurp(dir / "rows.csv").back(), '\x1A');
}

TEST_F(CommandLine, FailedOutputLeavesTheEarlierFileWhole) {
    write(dir / "report.txt", "earlier");
    fs::create_directory(dir / "folder");
    EXPECT_EQ(run("-o folder", frame), 2);
    EXPECT_NE(errors.find("cannot write folder"), std::string::npos);
    EXPECT_EQ(run("-o missing/report.txt", frame), 2);
    EXPECT_NE(errors.find("cannot write missing/report.txt"), std::string::npos);
    if (::geteuid() != 0) {  // root writes into a read-only folder all the same
        fs::permissions(dir, fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_EQ(run("-o report.txt", frame), 2);
        fs::permissions(dir, fs::perms::owner_write, fs::perm_options::add);
    }
    EXPECT_EQ(slurp(dir / "report.txt"), "earlier");
    EXPECT_EQ(fs::directory_iterator(dir / "folder"), fs::directory_iterator())
        << "nothing left behind";
}

TEST_F(CommandLine, FullDiskLeavesTheEarlierFileWhole) {
    const fs::path small = dir / "small";
    fs::create_directory(small);
    const std::string mount = "mount -t tmpfs -o size=16k tmpfs '" + small.string() + "'";
    if (::geteuid() != 0 || std::system(mount.c_str()) != 0) {
        GTEST_SKIP() << "a small file system needs root to mount it";
    }
    write(small / "report.txt", "earlier");
    std::string log;
    for (int i = 0; i < 30; ++i) {
        log += frame;
    }
    EXPECT_EQ(run("-o small/report.txt", log), 2);
    EXPECT_NE(errors.find("No space left on device"), std::string::npos) << errors;
    EXPECT_EQ(slurp(small / "report.txt"), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(small), fs::directory_iterator()), 1);
    EXPECT_EQ(std::system(("umount '" + small.string() + "'").c_str()), 0);
}

TEST_F(CommandLine, HelpAndVersion) {
    EXPECT_EQ(run("--help"), 0);
    EXPECT_NE(out.find("usage: veskar-decode [--csv | --json] [--strict] [-o FILE] [FILE ...]"),
              std::string::npos);
    EXPECT_NE(out.find("2010-01-02 03:04:05 VOKA 86 A6"), std::string::npos);
    EXPECT_EQ(run("--version"), 0);
    EXPECT_EQ(out, "veskar-decode 1.0.0.1\n");
}

}  // namespace

namespace {

// --plot draws with Qt; a build without the dialog says so instead.
TEST_F(CommandLine, PlotNeedsAPictureFileAndABuildWithTheDialog) {
    EXPECT_EQ(run("--plot"), 2);
    EXPECT_NE(errors.find("--plot needs a PICTURE file"), std::string::npos);
#ifdef VESKAR_PLOT
    EXPECT_EQ(run("--plot pass.svg -", frame), 0);
    EXPECT_EQ(slurp(dir / "pass.svg").substr(0, 5), "<?xml");
    EXPECT_EQ(run("--plot pass.txt -", frame), 2);
    EXPECT_NE(errors.find("ending in .png or .svg"), std::string::npos);
#else
    EXPECT_EQ(run("--plot pass.svg -", frame), 2);
    EXPECT_NE(errors.find("--plot is not available in this build"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "pass.svg"));
#endif
}

}  // namespace
