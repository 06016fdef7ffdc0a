// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "share/Outbox.h"
#include "share/ShareFixture.h"

namespace {

using share::DeliveryState;
using share::HttpResult;

const std::string serverA = "http://127.0.0.1:1/a";
const std::string serverB = "http://127.0.0.1:1/b";

class OutboxTest : public ScratchFolder {
  protected:
    std::string path() const { return (dir / "data" / "outbox.txt").string(); }

    std::vector<share::SidsForm> forms(int count) {
        std::vector<share::SidsForm> all;
        for (int i = 0; i < count; ++i) {
            all.push_back(
                *share::sidsForm(exampleStation(), checks.check(exampleFrame, fixedTime + i), "1")
                     .form);
        }
        return all;
    }

    std::vector<share::Job> due(share::Outbox& outbox, std::time_t now) {
        const auto jobs = outbox.takeDue(now, 30, {serverA, serverB});
        EXPECT_TRUE(jobs) << outbox.error();
        return jobs.value_or(std::vector<share::Job>{});
    }

    Checks checks;
};

TEST_F(OutboxTest, KeepsEachFrameUntilEveryServerTookIt) {
    share::Outbox outbox(path());
    ASSERT_TRUE(outbox.queue(forms(1), {serverA, serverB}, fixedTime)) << outbox.error();
    const auto jobs = due(outbox, fixedTime);
    ASSERT_EQ(jobs.size(), 2U);
    EXPECT_TRUE(outbox.record(jobs[0], {200, "", ""}, fixedTime));
    EXPECT_TRUE(outbox.record(jobs[1], {0, "", "connection refused"}, fixedTime));

    auto tally = outbox.tally();
    ASSERT_TRUE(tally);
    EXPECT_EQ(tally->waiting, 1);
    EXPECT_EQ(tally->lastProblem, serverB + ": connection refused");
    EXPECT_EQ(*tally->nextAttempt, fixedTime + 60);

    // Only the server that has not taken it yet gets it again, and only once it is due.
    EXPECT_TRUE(due(outbox, fixedTime + 59).empty());
    const auto again = due(outbox, fixedTime + 60);
    ASSERT_EQ(again.size(), 1U);
    EXPECT_EQ(again[0].url, serverB);
    EXPECT_TRUE(outbox.record(again[0], {201, "", ""}, fixedTime + 61));
    tally = outbox.tally();
    EXPECT_EQ(tally->waiting, 0);
    EXPECT_EQ(tally->sent, 1);
    EXPECT_TRUE(due(outbox, fixedTime + 100000).empty());
}

TEST_F(OutboxTest, ARefusalIsKeptAsideWithTheServersMessage) {
    share::Outbox outbox(path());
    ASSERT_TRUE(outbox.queue(forms(1), {serverA}, fixedTime));
    const auto jobs = due(outbox, fixedTime);
    ASSERT_EQ(jobs.size(), 1U);
    EXPECT_TRUE(outbox.record(jobs[0], {400, "bad frame\nfield x\n", ""}, fixedTime));
    const auto entries = outbox.entries();
    ASSERT_TRUE(entries);
    const share::Delivery& delivery = (*entries)[0].deliveries[0];
    EXPECT_EQ(delivery.state, DeliveryState::Refused);
    EXPECT_EQ(delivery.message, "HTTP 400: bad frame field x");
    EXPECT_EQ(outbox.tally()->refused, 1);
    EXPECT_TRUE(due(outbox, fixedTime + 100000).empty());
}

TEST_F(OutboxTest, BacksOffUpToAnHour) {
    EXPECT_EQ(share::backoffSeconds(1), 60);
    EXPECT_EQ(share::backoffSeconds(2), 120);
    EXPECT_EQ(share::backoffSeconds(6), 1920);
    EXPECT_EQ(share::backoffSeconds(7), 3600);
    EXPECT_EQ(share::backoffSeconds(50), 3600);

    share::Outbox outbox(path());
    ASSERT_TRUE(outbox.queue(forms(1), {serverA}, fixedTime));
    std::time_t now = fixedTime;
    for (const HttpResult& failure :
         {HttpResult{500, "oops", ""}, HttpResult{429, "", ""}, HttpResult{0, "", "timed out"}}) {
        const auto jobs = due(outbox, now);
        ASSERT_EQ(jobs.size(), 1U);
        EXPECT_TRUE(outbox.record(jobs[0], failure, now));
        now = *outbox.tally()->nextAttempt;
    }
    EXPECT_EQ(now, fixedTime + 60 + 120 + 240);
    EXPECT_EQ((*outbox.entries())[0].deliveries[0].message, "timed out");
}

TEST_F(OutboxTest, AFrameIsQueuedOnce) {
    share::Outbox outbox(path());
    const auto first = outbox.queue(forms(2), {serverA}, fixedTime);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->added, 2);
    const auto jobs = due(outbox, fixedTime);
    ASSERT_EQ(jobs.size(), 2U);
    EXPECT_TRUE(outbox.record(jobs[0], {200, "", ""}, fixedTime));
    // The same log sent again: nothing new, and the delivered frame is not sent twice.
    const auto second = outbox.queue(forms(2), {serverA}, fixedTime + 10);
    EXPECT_EQ(second->added, 0);
    EXPECT_EQ(second->alreadyThere, 2);
    EXPECT_TRUE(due(outbox, fixedTime + 10).empty());  // the other one is still leased
}

// A process that took its jobs and died before any answer: the outbox on disk still holds
// every frame, and they are due again once the lease ran out.
TEST_F(OutboxTest, SurvivesACrash) {
    share::Outbox outbox(path());
    ASSERT_TRUE(outbox.queue(forms(3), {serverA}, fixedTime));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        share::Outbox own(path());
        const auto jobs = own.takeDue(fixedTime, 30, {serverA});
        own.record((*jobs)[0], {200, "", ""}, fixedTime);
        // Dies half-way through replacing the file: a stray temporary file stays behind.
        std::ofstream(path() + ".half", std::ios::binary) << "veskar-outbox 1\nframe\t";
        ::_exit(9);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 9);

    EXPECT_TRUE(due(outbox, fixedTime + 29).empty());
    const auto jobs = due(outbox, fixedTime + 30);
    ASSERT_EQ(jobs.size(), 2U);  // the one the crashed process delivered is not sent again
    EXPECT_EQ(outbox.tally()->sent, 1);
}

TEST_F(OutboxTest, ADamagedFileIsLeftAsItIsAndSaidSo) {
    std::filesystem::create_directories(dir / "data");
    std::ofstream(path(), std::ios::binary) << "veskar-outbox 1\nnext\t2\nframe\tx\n";
    share::Outbox outbox(path());
    EXPECT_FALSE(outbox.queue(forms(1), {serverA}, fixedTime));
    EXPECT_EQ(outbox.error(),
              "outbox " + path() + ": line 3 is damaged; the file was left as it is");
    EXPECT_EQ(slurp(path()), "veskar-outbox 1\nnext\t2\nframe\tx\n");
}

TEST_F(OutboxTest, KeepsTextsWithTabsAndLineEnds) {
    share::Outbox outbox(path());
    ASSERT_TRUE(outbox.queue(forms(1), {serverA}, fixedTime));
    const auto jobs = due(outbox, fixedTime);
    EXPECT_TRUE(outbox.record(jobs[0], {0, "", "one\ttwo\r\n100%"}, fixedTime));
    EXPECT_EQ((*outbox.entries())[0].deliveries[0].message, "one\ttwo\r\n100%");
}

TEST_F(OutboxTest, AServerNoLongerTickedGetsNothing) {
    share::Outbox outbox(path());
    ASSERT_TRUE(outbox.queue(forms(1), {serverA, serverB}, fixedTime));
    const auto jobs = outbox.takeDue(fixedTime, 30, {serverB});
    ASSERT_TRUE(jobs);
    ASSERT_EQ(jobs->size(), 1U);
    EXPECT_EQ((*jobs)[0].url, serverB);
    EXPECT_TRUE(outbox.takeDue(fixedTime, 30, {})->empty());
    EXPECT_EQ(due(outbox, fixedTime).size(), 1U);  // A's waited for it
}

TEST_F(OutboxTest, NothingIsWrittenUntilAFrameIsQueued) {
    share::Outbox outbox(path());
    EXPECT_TRUE(due(outbox, fixedTime).empty());
    const auto tally = outbox.tally();
    ASSERT_TRUE(tally);
    EXPECT_EQ(tally->waiting + tally->sent + tally->refused, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "data"));
}

}  // namespace
