// SPDX-License-Identifier: MIT
// Delivery over the real HTTP transport to a server of the test's own on 127.0.0.1.
#include <gtest/gtest.h>

#include "common/LocalHttpServer.h"
#include "share/ShareFixture.h"
#include "share/Transport.h"

namespace {

class DeliveryTest : public ScratchFolder {
  protected:
    void SetUp() override {
        ScratchFolder::SetUp();
        transport = share::makeHttpTransport(1);
        if (!transport) {
            GTEST_SKIP() << "built without an HTTP transport";
        }
        outbox.emplace((dir / "outbox.txt").string());
        station = exampleStation();
        station.servers.push_back({server.url(), true});
    }

    void queue(int frames) {
        std::vector<share::SidsForm> forms;
        for (int i = 0; i < frames; ++i) {
            forms.push_back(
                *share::sidsForm(station, checks.check(exampleFrame, fixedTime + i), "1.0.0.1")
                     .form);
        }
        ASSERT_TRUE(outbox->queue(forms, station.enabledUrls(), now)) << outbox->error();
    }

    // One delivery run; the texts of its attempts.
    std::vector<std::string> deliver() {
        std::vector<std::string> told;
        const share::DeliveryRun run{[this] { return now; }, 30, station.enabledUrls()};
        EXPECT_TRUE(share::deliverDue(*outbox, *transport, run,
                                      [&told](const share::Attempt& attempt) {
                                          told.push_back(share::attemptText(attempt.result));
                                      }))
            << outbox->error();
        return told;
    }

    LocalHttpServer server;
    std::unique_ptr<share::Transport> transport;
    std::optional<share::Outbox> outbox;
    share::Station station;
    Checks checks;
    std::time_t now = fixedTime;
};

TEST_F(DeliveryTest, PostsTheFormAsTheNetworksTakeIt) {
    queue(1);
    EXPECT_EQ(deliver(), std::vector<std::string>{"sent"});
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].target, "/telemetry/");
    EXPECT_NE(requests[0].headers.find("content-type: application/x-www-form-urlencoded\r\n"),
              std::string::npos);
    EXPECT_EQ(requests[0].body,
              "noradID=99999&source=JA1ABC&timestamp=2010-01-02T03%3A04%3A05.000Z&frame="
              "564F4B4120383620413620303020374620433020313233342032423735203930203846203830203830"
              "&locator=longLat&longitude=139.7E&latitude=35.6N&version=1.0.0.1");
    EXPECT_EQ(outbox->tally()->sent, 1);
}

TEST_F(DeliveryTest, EachAnswerIsRecorded) {
    server.script({{201, "created", 0},
                   {400, "frame not in the expected format", 0},
                   {500, "internal error", 0}});
    queue(3);
    EXPECT_EQ(deliver(), (std::vector<std::string>{
                             "sent", "refused: HTTP 400: frame not in the expected format",
                             "will retry: HTTP 500: internal error"}));
    const auto tally = outbox->tally();
    EXPECT_EQ(tally->sent, 1);
    EXPECT_EQ(tally->refused, 1);
    EXPECT_EQ(tally->waiting, 1);
    EXPECT_EQ(tally->lastProblem, server.url() + ": HTTP 500: internal error");

    now += 60;
    EXPECT_EQ(deliver(), std::vector<std::string>{"sent"});
    EXPECT_EQ(server.requests().size(), 4U);
}

TEST_F(DeliveryTest, ASilentServerTimesOut) {
    server.script({{200, "late", 1500}});
    queue(1);
    EXPECT_EQ(deliver(), std::vector<std::string>{"will retry: timed out"});
    EXPECT_EQ(outbox->tally()->waiting, 1);
}

TEST_F(DeliveryTest, AServerDownAndUpAgainGetsEachFrameExactlyOnce) {
    server.stop();
    queue(2);
    const std::vector<std::string> told = deliver();
    ASSERT_EQ(told.size(), 2U);
    EXPECT_EQ(told[0].rfind("will retry: ", 0), 0U) << told[0];
    EXPECT_EQ(outbox->tally()->waiting, 2);

    server.restart();
    now += 30;
    EXPECT_TRUE(deliver().empty());  // not due yet: backing off
    now += 30;
    EXPECT_EQ(deliver(), (std::vector<std::string>{"sent", "sent"}));
    now += 100000;
    EXPECT_TRUE(deliver().empty());
    EXPECT_EQ(server.requests().size(), 2U);
    EXPECT_EQ(outbox->tally()->sent, 2);
}

}  // namespace
