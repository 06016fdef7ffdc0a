// SPDX-License-Identifier: MIT
// veskar-decode --send, against a server of the test's own on 127.0.0.1.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "Version.h"
#include "common/LocalHttpServer.h"
#include "common/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

const std::string log =
    "2010-01-02 03:04:05 VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n"
    "2010-01-02T03:05:05Z 87 A5 - - - - 0000 5A 3C - -\n"
    "86 A6 00 7F C0 1234 2B75 90 8F 80 80\n";

const std::string form =
    "noradID=99999&source=JA1ABC&timestamp=2010-01-02T03%3A04%3A05.000Z&frame="
    "564F4B4120383620413620303020374620433020313233342032423735203930203846203830203830"
    "&locator=longLat&longitude=139.7E&latitude=35.6N&version=";

// Runs veskar-decode --send in a scratch folder that is also its home: settings and outbox.
class SendCommand : public testing::Test {
  protected:
    void SetUp() override {
        dir = freshScratchFolder("veskar-send");
        std::ofstream(dir / "pass.log", std::ios::binary) << log;
    }
    void TearDown() override { fs::remove_all(dir); }

    void writeStation(const std::string& servers) {
        std::ofstream(dir / "station.ini", std::ios::binary)
            << "[station]\ncallSign=JA1ABC\nlatitude=35.6\nlongitude=139.7\nnoradId=99999\n"
            << servers;
    }
    std::string serverLines(const std::string& url) {
        return "servers\\1\\url=" + url + "\nservers\\1\\enabled=true\nservers\\size=1\n";
    }

    int run(const std::string& arguments) {
        const std::string command = "cd '" + dir.string() + "' && HOME='" + dir.string() +
                                    "' XDG_CONFIG_HOME= XDG_DATA_HOME= " VESKAR_DECODE " " +
                                    arguments + " >out 2>err";
        const int status = std::system(command.c_str());
        out = slurp(dir / "out");
        errors = slurp(dir / "err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path dir;
    std::string out, errors;
    LocalHttpServer server;
};

TEST_F(SendCommand, DryRunPrintsEachRequestAndSendsNothing) {
    writeStation(serverLines(server.url()));
    EXPECT_EQ(run("--send --dry-run --station station.ini pass.log"), 1);
    EXPECT_EQ(out,
              "# 2010-01-02T03:04:05.000Z VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n"
              "POST " +
                  server.url() + "\nContent-Type: application/x-www-form-urlencoded\n\n" + form +
                  VESKAR_VERSION "\n\n");
    EXPECT_EQ(errors,
              "pass.log:2: not sent: field H2 was not copied\n"
              "pass.log:3: not sent: the line gives no time, and the frame is sent with the time "
              "it was heard\n");
    EXPECT_TRUE(server.requests().empty());
    EXPECT_FALSE(fs::exists(dir / ".local/share/veskar/outbox.txt"));
}

TEST_F(SendCommand, SendsEachFrameOnceAndKeepsTheOutbox) {
    writeStation(serverLines(server.url()));
    fs::create_directories(dir / ".config/veskar");
    fs::copy_file(dir / "station.ini", dir / ".config/veskar/station.ini");
    EXPECT_EQ(run("--send pass.log"), 1);  // two lines could not be sent
    ASSERT_EQ(server.requests().size(), 1U);
    EXPECT_EQ(server.requests()[0].body.substr(0, form.size()), form);
    EXPECT_NE(out.find("2010-01-02T03:04:05.000Z VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80 -> " +
                       server.url() + ": sent\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find(": 0 waiting, 1 sent, 0 refused"), std::string::npos) << out;

    EXPECT_EQ(run("--send pass.log"), 1);
    EXPECT_EQ(server.requests().size(), 1U);  // not again
    EXPECT_NE(out.find("1 of this run's frames were there already"), std::string::npos) << out;
}

TEST_F(SendCommand, ARefusalIsShownWithTheServersMessage) {
    server.script({{400, "unknown satellite", 0}});
    writeStation(serverLines(server.url()));
    EXPECT_EQ(run("--send --station station.ini pass.log"), 1);
    EXPECT_NE(out.find(": refused: HTTP 400: unknown satellite\n"), std::string::npos) << out;
    EXPECT_NE(out.find(": 0 waiting, 0 sent, 1 refused"), std::string::npos) << out;
}

TEST_F(SendCommand, NothingIsSentWithoutAStationAndAServer) {
    EXPECT_EQ(run("--send pass.log"), 2);
    EXPECT_NE(errors.find("no station is set up"), std::string::npos) << errors;
    writeStation("");
    EXPECT_EQ(run("--send --station station.ini pass.log"), 2);
    EXPECT_EQ(errors, "veskar-decode: no telemetry server is enabled for the station\n");
    writeStation("noradId=0\n");
    EXPECT_EQ(run("--send --station station.ini pass.log"), 2);
    EXPECT_NE(errors.find("station.ini: NORAD number: "), std::string::npos) << errors;
    EXPECT_EQ(run("--dry-run pass.log"), 2);
    EXPECT_EQ(run("--send --csv pass.log"), 2);
    EXPECT_TRUE(server.requests().empty());
}

}  // namespace
