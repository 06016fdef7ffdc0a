// SPDX-License-Identifier: MIT
// veskar-decode -o never damages what is there: devices and FIFOs, links, modes and owners,
// a log named as the output, interrupted runs and unreadable standard input.
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

#include <csignal>
#include <thread>

#include "batch/CommandLineFixture.h"

namespace {

const std::string frame = "2010-01-02 03:04:05 VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n";

bool isReport(const std::string& bytes) {
    return bytes.substr(0, 9) == "Input at " && bytes.back() == '\x1A';
}

std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}

using OutputFile = CommandLine;

TEST_F(OutputFile, DevicesAreWrittenInPlaceNotReplaced) {
    EXPECT_EQ(run("-o /dev/null", frame), 0) << errors;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(run("-o /dev/full", frame), 2);
    EXPECT_EQ(errors, "veskar-decode: cannot write /dev/full: No space left on device\n");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(run("-o /dev/stdout", frame), 0) << errors;
    EXPECT_TRUE(isReport(out)) << "through the shell's file";
}

TEST_F(OutputFile, AFifoGetsTheReportAsItComes) {
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string got;
    std::thread reader([&] { got = slurp(fifo); });
    const int status = run("-o pipe", frame);
    const int unblock = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // should the run not open it
    if (unblock >= 0) {
        close(unblock);
    }
    reader.join();
    EXPECT_EQ(status, 0) << errors;
    EXPECT_TRUE(isReport(got));
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(OutputFile, ASymbolicLinkIsFollowedAndTheModeKept) {
    write(dir / "report.txt", "earlier");
    fs::permissions(dir / "report.txt",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("report.txt", dir / "link");
    fs::create_symlink("new.txt", dir / "dangling");
    EXPECT_EQ(run("-o link", frame), 0) << errors;
    EXPECT_TRUE(fs::is_symlink(dir / "link"));
    EXPECT_TRUE(isReport(slurp(dir / "report.txt")));
    EXPECT_EQ(fs::status(dir / "report.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(run("-o dangling", frame), 0) << errors;
    EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
    EXPECT_TRUE(isReport(slurp(dir / "new.txt")));
    EXPECT_EQ(entriesOf(dir), (std::vector<std::string>{"dangling", "err", "in", "link", "new.txt",
                                                        "out", "report.txt"}));
}

TEST_F(OutputFile, AFileWithHardLinksStaysOneFile) {
    write(dir / "report.txt", std::string(100000, 'x'));
    fs::create_hard_link(dir / "report.txt", dir / "other-name.txt");
    EXPECT_EQ(run("-o report.txt", frame), 0) << errors;
    EXPECT_EQ(fs::hard_link_count(dir / "report.txt"), 2U);
    EXPECT_TRUE(isReport(slurp(dir / "other-name.txt")));
    EXPECT_EQ(slurp(dir / "other-name.txt"), slurp(dir / "report.txt"));
}

TEST_F(OutputFile, RootKeepsTheOwnerAndGroup) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another owner";
    }
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    write(dir / "report.txt", "earlier");
    ASSERT_EQ(chown((dir / "report.txt").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_EQ(chmod((dir / "report.txt").c_str(), 0604), 0);
    EXPECT_EQ(run("-o report.txt", frame), 0) << errors;
    struct stat after = {};
    ASSERT_EQ(stat((dir / "report.txt").c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, nobody->pw_uid);
    EXPECT_EQ(after.st_gid, nobody->pw_gid);
    EXPECT_EQ(after.st_mode & 07777, 0604U);
    EXPECT_TRUE(isReport(slurp(dir / "report.txt")));
}

TEST_F(OutputFile, AnOrdinaryUserWritesDevicesAndKeepsTheMode) {
    std::string asUser;  // as root, the run drops to nobody
    if (::geteuid() == 0) {
        asUser = "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
        fs::permissions(dir, fs::perms::all);
        if (std::system((asUser + "test -x " VESKAR_DECODE).c_str()) != 0) {
            GTEST_SKIP() << "nobody cannot run " VESKAR_DECODE " where it was built";
        }
    }
    write(dir / "in", frame);
    EXPECT_EQ(runWith("-o /dev/null", "<in", asUser), 0) << errors;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(runWith("-o mine.txt", "<in", asUser), 0) << errors;
    fs::permissions(dir / "mine.txt", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(runWith("-o mine.txt", "<in", asUser), 0) << errors;
    EXPECT_EQ(fs::status(dir / "mine.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(OutputFile, ALogNamedAsTheOutputIsRefused) {
    write(dir / "pass.log", frame);
    fs::create_symlink("pass.log", dir / "alias.log");
    const struct {
        const char* arguments;
        const char* input;
    } cases[] = {
        {"-o pass.log pass.log", "</dev/null"},  {"-o alias.log pass.log", "</dev/null"},
        {"-o pass.log alias.log", "</dev/null"}, {"-o pass.log", "<pass.log"},
        {"-o pass.log -", "<alias.log"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runWith(c.arguments, c.input), 2) << c.arguments << " " << c.input;
        EXPECT_NE(errors.find(": it is also a log to decode"), std::string::npos) << errors;
        EXPECT_EQ(slurp(dir / "pass.log"), frame);
    }
}

TEST_F(OutputFile, ANameAtTheLengthLimitIsWritten) {
    const std::string longest(255, 'n');
    write(dir / longest, "earlier");
    EXPECT_EQ(run("-o " + longest, frame), 0) << errors;
    EXPECT_TRUE(isReport(slurp(dir / longest)));
}

TEST_F(OutputFile, UnreadableStandardInputLeavesTheTargetAsItWas) {
    write(dir / "report.txt", "earlier");
    const struct {
        const char* redirect;
        const char* message;
    } cases[] = {
        {"</", "veskar-decode: cannot read <stdin>: Is a directory\n"},
        {"<&-", "veskar-decode: cannot read <stdin>: Bad file descriptor\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runWith("", c.redirect), 2) << c.redirect;
        EXPECT_EQ(errors, c.message);
        EXPECT_EQ(runWith("-o report.txt", c.redirect), 2) << c.redirect;
        EXPECT_EQ(errors.substr(0, std::string(c.message).size()), c.message);
        EXPECT_EQ(slurp(dir / "report.txt"), "earlier");
    }
    EXPECT_EQ(entriesOf(dir), (std::vector<std::string>{"err", "out", "report.txt"}));
}

// Whether the process has the folder open (as the run does once it has started its file).
bool hasOpen(pid_t pid, const fs::path& folder) {
    std::error_code error;
    for (const auto& entry :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        if (fs::read_symlink(entry.path(), error) == folder) {
            return true;
        }
    }
    return false;
}

TEST_F(OutputFile, AnInterruptedRunLeavesNothingBehind) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        write(dir / "report.txt", "earlier");
        int input[2];
        ASSERT_EQ(pipe(input), 0);
        const pid_t child = fork();
        if (child == 0) {
            dup2(input[0], STDIN_FILENO);
            close(input[0]);
            close(input[1]);
            std::signal(signal, SIG_DFL);
            if (chdir(dir.c_str()) == 0) {
                execl(VESKAR_DECODE, VESKAR_DECODE, "-o", "report.txt", nullptr);
            }
            _exit(127);
        }
        close(input[0]);
        std::string frames;
        for (int i = 0; i < 500; ++i) {
            frames += frame;
        }
        ASSERT_EQ(::write(input[1], frames.data(), frames.size()),
                  static_cast<ssize_t>(frames.size()));
        for (int wait = 0; wait < 500 && !hasOpen(child, fs::canonical(dir)); ++wait) {
            usleep(10000);
        }
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        close(input[1]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal)
            << "ended by signal " << signal << " (the shell says " << 128 + signal << ")";
        EXPECT_EQ(slurp(dir / "report.txt"), "earlier");
        EXPECT_EQ(entriesOf(dir), (std::vector<std::string>{"report.txt"}));
    }
}

}  // namespace
