// The play clock and the track workers, seen through the host main window's
// queries 29872 and 29874 and through the outputs.
#include <cstring>

#include "nowplaying/clock.h"
#include "nowplaying_fixture.h"
#include "nowplaying_peer.h"

using namespace testing_support;

namespace {

TEST(PlayClockArithmetic, ElapsedTimeSurvivesTheTickCounterWrap)
{
    // Reference 1 s before the wrap, now 2 s after it: 3 s have passed.
    EXPECT_EQ(PositionAt(2000u, 5000u, 0xFFFFFFFFu - 999u, true), 8000u);
    EXPECT_EQ(FrozenPosition(2000u, 5000u, 0xFFFFFFFFu - 999u), 8000u);
    EXPECT_EQ(PositionAt(2000u, 5000u, 0xFFFFFFFFu - 999u, false), 5000u);
    EXPECT_EQ(PositionAt(0xFFFFFFFFu, 0u, 0xFFFFFFFFu, true), 0u);
}

class PlayClock : public NowPlayingTest {};

TEST_F(PlayClock, PauseHoldsThePositionAndResumeRunsOnFromIt)
{
    StartWith({});
    host::Track song = {"Song", "Artist", "", 1, 2004, 200000, 0};
    PlayAndWait(song);
    EXPECT_EQ(PlayState(), 1);
    host::PumpFor(300);
    StopAndWait();
    EXPECT_EQ(PlayState(), 0);
    uint32_t paused = Position();
    EXPECT_GE(paused, 250u);
    host::PumpFor(300);
    EXPECT_EQ(Position(), paused);

    DWORD resumed = GetTickCount();
    PlayAndWait(song);
    host::PumpFor(300);
    uint32_t elapsed = GetTickCount() - resumed;
    uint32_t now = Position();
    EXPECT_GE(now, paused + 250);
    EXPECT_LE(now, paused + elapsed + 50);
}

TEST_F(PlayClock, SetPositionWhileStoppedHoldsAndWhilePlayingRuns)
{
    StartWith({});
    host::SetPosition(5000);
    EXPECT_EQ(Position(), 5000u);
    host::PumpFor(200);
    EXPECT_EQ(Position(), 5000u);

    PlayAndWait({"Song", "Artist"});
    DWORD set = GetTickCount();
    host::SetPosition(90000);
    host::PumpFor(300);
    uint32_t elapsed = GetTickCount() - set;
    EXPECT_GE(Position(), 90250u);
    EXPECT_LE(Position(), 90000u + elapsed + 50);
}

// A track is new when its artist, its name or its total time differs; only
// the very same track resumes from the stored position.
TEST_F(PlayClock, OnlyTheVerySameTrackResumesFromTheStoredPosition)
{
    StartWith({});
    const host::Track first = {"First", "Band", "", 1, 2004, 100000, 40000};
    PlayAndWait(first);
    StopAndWait();
    uint32_t held = Position();
    ASSERT_GE(held, 40000u);
    ASSERT_LT(held, 50000u);
    PlayAndWait(first);
    StopAndWait();
    EXPECT_GE(Position(), held) << "the same track resumes";
    EXPECT_LT(Position(), 50000u);

    const host::Track sharingTwo[] = {
        {"Other name", "Band", "", 2, 2004, 100000, 70000}, // same artist and total time
        {"First", "Other band", "", 2, 2004, 100000, 70000}, // same name and total time
        {"First", "Band", "", 2, 2004, 112000, 70000},       // same artist and name
    };
    for (const host::Track &track : sharingTwo) {
        PlayAndWait(track);
        StopAndWait();
        EXPECT_GE(Position(), 70000u) << track.name << " / " << track.artist << " / " << track.totalMs;
        EXPECT_LT(Position(), 80000u);
        // The next track compares with this one.
        PlayAndWait(first);
        StopAndWait();
    }
}

TEST_F(PlayClock, FirstTrackWithAnEmptyArtistStartsFromItsStartTime)
{
    StartWith({});
    PlayAndWait({"Instrumental", "", "", 1, 2004, 100000, 90000});
    StopAndWait();
    EXPECT_GE(Position(), 90000u);
    EXPECT_LT(Position(), 100000u);
}

// A program polling the position while the worker moves the clock gets one
// whole state each time. Every state here begins above where the one before
// could have got, and lasts at least a tick, so an answer lower than the one
// before is one that no state had: a start or a position set met half
// stored shows the running track's position without its time played.
TEST_F(PlayClock, PollingPeerGetsOnlyAnswersOfAWholeState)
{
    StartWith({});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer"));
    PostMessageA(peer.window, peer::REQUEST_POLL_POSITION, 10000, 0);
    const peer::Report *polled = nullptr;
    auto finished = [&] {
        for (const peer::Report &report : peer.reports)
            if (report.kind == peer::REPORT_POLLED)
                polled = &report;
        return polled != nullptr;
    };
    auto aTickLater = [] {
        DWORD start = GetTickCount();
        host::PumpUntil([&] { return GetTickCount() != start; });
    };
    auto play = [](uint32_t number, uint32_t startMs) {
        host::Play(host::BuildTrack({"Song " + std::to_string(number), "Artist", "", 1, 2004, 200000, startMs}));
    };
    for (uint32_t i = 1; i < 1400 && !finished(); ++i) {
        uint32_t base = i * 3000000u;
        play(2 * i, base);
        aTickLater();
        host::SetPosition(base + 1000000u);
        aTickLater();
        play(2 * i + 1, base + 2000000u);
        aTickLater();
        host::Stop();
        aTickLater();
    }
    ASSERT_TRUE(host::PumpUntil(finished, 60000));
    EXPECT_EQ(polled->result, 0) << uint32_t(polled->positionMs) << " then " << uint32_t(polled->lengthMs);
}

// The host can send messages faster than the workers finish; whatever
// order they end in, the last message decides, and no handle is left behind.
TEST_F(PlayClock, BurstOfStartsAndStopsEndsAsTheLastMessageSaid)
{
    StartWith({{"File", 1}});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer"));
    PlayAndWait({"Warm-up", "Band"});
    StopAndWait();
    DWORD handlesBefore = host::CountResources().handles;

    constexpr int MESSAGES = 1000;
    std::vector<uint8_t> last;
    for (int i = 0; i < MESSAGES; ++i) {
        if (i % 2 == 0) {
            std::string n = std::to_string(i);
            last = host::BuildTrack({"Name " + n, "Artist " + n, "Third " + n, i, 2000, 100000u + i, 0});
            host::Play(last);
        } else {
            host::Stop();
        }
        if (i % 100 == 0)
            host::PumpMessages();
    }
    host::Play(last);
    ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore, 50000));

    EXPECT_EQ(PlayState(), 1);
    EXPECT_EQ(SongFile(), "Artist 998\r\nName 998\r\nThird 998\r\n998\r\n2000");
    const peer::Report *copy = peer.Ask(peer::REQUEST_COPY_RECORD, 0, peer::REPORT_RECORD);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->result, 0);
    EXPECT_EQ(memcmp(copy->record, last.data(), last.size()), 0);
    // A few handles of the system's own may come and go.
    EXPECT_LE(host::CountResources().handles, handlesBefore + 8);
}

} // namespace
