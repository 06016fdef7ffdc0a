// SPDX-License-Identifier: MIT
// The -o file's commit: it puts in the target's place only the file it wrote, into the
// folder it started in, and leaves no temporary file behind.
#include "batch/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "batch/SignalCleanup.h"
#include "common/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
using Temporary = batch::AtomicFile::Temporary;

class AtomicFile : public testing::Test {
  protected:
    void SetUp() override {
        dir = freshScratchFolder("veskar-atomic");
        fs::create_directories(dir / "sub");
        std::ofstream(target()) << "earlier";
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path target() const { return dir / "sub" / "report.txt"; }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir / "sub"), {}));
    }

    fs::path dir;
};

TEST_F(AtomicFile, AnUnnamedFileHasNoNameUntilItIsCommitted) {
    batch::AtomicFile file(target());
    ASSERT_TRUE(file.isOpen()) << file.error();
    file.stream() << "new";
    EXPECT_EQ(file.temporaryName(), "");
    EXPECT_EQ(entries(), 1U);
    EXPECT_TRUE(file.commit()) << file.error();
    EXPECT_EQ(slurp(target()), "new");
    EXPECT_EQ(entries(), 1U);
}

TEST_F(AtomicFile, ANamedFileIsRemovedWhenNotCommitted) {
    {
        batch::AtomicFile file(target(), Temporary::Named);
        ASSERT_TRUE(file.isOpen()) << file.error();
        EXPECT_EQ(file.temporaryName().substr(0, 11), "report.txt.");
        EXPECT_EQ(entries(), 2U);
        file.stream() << "new";
    }
    EXPECT_EQ(slurp(target()), "earlier");
    EXPECT_EQ(entries(), 1U);
}

TEST_F(AtomicFile, ASwappedTemporaryFileIsNotCommitted) {
    batch::AtomicFile file(target(), Temporary::Named);
    ASSERT_TRUE(file.isOpen()) << file.error();
    file.stream() << "ours";
    std::ofstream(dir / "theirs") << "theirs";
    fs::rename(dir / "theirs", dir / "sub" / file.temporaryName());
    EXPECT_FALSE(file.commit());
    EXPECT_NE(file.error().find("was replaced by another program"), std::string::npos)
        << file.error();
    EXPECT_EQ(slurp(target()), "earlier");
}

TEST_F(AtomicFile, AFolderRemovedOrRenamedDuringTheRunIsSaidSo) {
    for (const Temporary kind : {Temporary::Unnamed, Temporary::Named}) {
        {
            batch::AtomicFile file(target(), kind);
            ASSERT_TRUE(file.isOpen()) << file.error();
            fs::rename(dir / "sub", dir / "moved");
            EXPECT_FALSE(file.commit());
            EXPECT_NE(file.error().find("was renamed or replaced during the run"),
                      std::string::npos)
                << file.error();
            EXPECT_EQ(slurp(dir / "moved" / "report.txt"), "earlier");
            EXPECT_EQ(std::distance(fs::directory_iterator(dir / "moved"), {}), 1);
        }
        fs::remove_all(dir / "moved");
        fs::create_directory(dir / "sub");
        batch::AtomicFile file(target(), kind);
        ASSERT_TRUE(file.isOpen()) << file.error();
        fs::remove_all(dir / "sub");
        EXPECT_FALSE(file.commit());
        EXPECT_NE(file.error().find("its folder " + (dir / "sub").string() + " was removed"),
                  std::string::npos)
            << file.error();
        fs::create_directory(dir / "sub");
        std::ofstream(target()) << "earlier";
    }
}

TEST_F(AtomicFile, ANameAtTheLengthLimitGetsAShorterTemporaryName) {
    const fs::path longest = dir / "sub" / std::string(255, 'n');
    batch::AtomicFile file(longest, Temporary::Named);
    ASSERT_TRUE(file.isOpen()) << file.error();
    EXPECT_EQ(file.temporaryName().size(), 255U);
    file.stream() << "new";
    EXPECT_TRUE(file.commit()) << file.error();
    EXPECT_EQ(slurp(longest), "new");
}

TEST_F(AtomicFile, ASignalRemovesANamedTemporaryFile) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGTERM, SIG_DFL);
        batch::installSignalCleanup();
        batch::AtomicFile file(target(), Temporary::Named);
        file.stream() << std::string(1 << 20, 'x') << std::flush;
        raise(SIGTERM);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(slurp(target()), "earlier");
    EXPECT_EQ(entries(), 1U);
}

}  // namespace
