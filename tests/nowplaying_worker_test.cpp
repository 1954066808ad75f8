// The one track worker, from outside: bursts at full speed, "setp" in the
// queue, the close with a full queue, and messages that find no memory or
// no thread.
#include <algorithm>
#include <cstring>

#include "nowplaying_fixture.h"
#include "nowplaying_peer.h"

using namespace testing_support;

namespace {

// Track i starts at i million ms, so the position tells which track the
// worker applied last.
std::vector<uint8_t> Numbered(int i)
{
    std::string n = std::to_string(i);
    return host::BuildTrack({"Name " + n, "Artist " + n, "", i % 100, 2000, 100000u + i, uint32_t(i) * 1000000u});
}

// The same with its other texts as long as they come, so that a flood
// overflows the queue also where the host sends the longer UTF-16 record
// alone, which the queue keeps only as long as its texts are.
std::vector<uint8_t> NumberedWithLongTexts(int i)
{
    std::string n = std::to_string(i);
    host::Track track = {"Name " + n, "Artist " + n, std::string(255, 'g'), i % 100, 2000, 100000u + i,
                         uint32_t(i) * 1000000u};
    track.album = track.fileName = track.comment = std::string(255, 'x');
    return host::BuildTrack(track);
}

class TrackWorker : public NowPlayingTest {
protected:
    // A peer in slot 1, and the worker held at the caption of a first track:
    // it sets that text through this thread, so what the host sends next
    // waits in the queue until this thread handles messages again.
    void StartHeld(PeerProgram &peer)
    {
        StartWith({{"CaptionText", 1}});
        ASSERT_TRUE(peer.Start("peer", {"slot=1"}));
        RemovePropA(host::mainWindow, "RegisteredWindow1");
        host::Play(host::BuildTrack({"Held", "Band"}));
        ASSERT_TRUE(host::WaitForSentMessage()) << "the worker never asked for the caption";
        SetPropA(host::mainWindow, "RegisteredWindow1", peer.window);
    }
};

TEST_F(TrackWorker, BurstAtFullSpeedKeepsOneThreadAndLeavesTheLastMessagesOutputs)
{
    StartWith({{"File", 1}, {"Clipboard", 1}, {"CaptionText", 1}, {"WinAmp", 1}});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer", {"slot=2"}));
    std::vector<std::vector<uint8_t>> tracks;
    for (int i = 0; i < 500; ++i)
        tracks.push_back(Numbered(i));
    PlayAndWait({"Warm-up", "Band"});
    StopAndWait();
    peer.Notifications();
    peer.reports.clear();
    size_t committedBefore = host::CommittedPrivateBytes();

    int mostThreads = 0;
    size_t mostCommitted = 0;
    for (int i = 0; i < 1000; ++i) {
        if (i % 2 == 0)
            host::Play(tracks[size_t(i / 2)]);
        else
            host::Stop();
        if (i % 50 == 49) {
            mostThreads = std::max(mostThreads, host::ThreadCount());
            mostCommitted = std::max(mostCommitted, host::CommittedPrivateBytes());
        }
    }
    ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore, 20000));
    EXPECT_LE(mostThreads, threadsBefore + 1);
    EXPECT_LT(mostCommitted, committedBefore + 6 * 1024 * 1024);

    std::vector<uint32_t> expected;
    for (int i = 0; i < 1000; ++i)
        expected.push_back(i % 2 ? 29902 : 29901);
    EXPECT_EQ(peer.NotificationCodes(), expected);
    // Carried out in turn, "vply" of track 499 then "vstp" leaves these.
    EXPECT_EQ(SongFile(), " ");
    EXPECT_EQ(ClipboardText(), "Artist 499 - Name 499");
    EXPECT_EQ(WinampTitle(), "99. Artist 499 - Name 499 - Winamp [Paused]");
    EXPECT_EQ(Caption(), "iTunes");
    EXPECT_EQ(PlayState(), 0);
    EXPECT_EQ(Position() / 1000000, 499u);
}

// "setp" waits behind the "vply" before it, so the new track's start time
// cannot undo the position set after it.
TEST_F(TrackWorker, PositionSetBehindAQueuedStartWins)
{
    StartWith({});
    host::Play(Numbered(70));
    host::SetPosition(5000);
    ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore));
    EXPECT_GE(Position(), 5000u);
    EXPECT_LT(Position(), 1000000u);
}

TEST_F(TrackWorker, CloseWithAFullQueueWaitsForItThenAnnounces)
{
    PeerProgram peer;
    StartHeld(peer);
    for (int i = 1; i <= 300; ++i)
        host::Play(Numbered(i));
    DestroyWindow(host::mainWindow);
    std::vector<uint32_t> expected(300, 29901);
    expected.push_back(29903);
    EXPECT_EQ(peer.NotificationCodes(), expected);
    EXPECT_TRUE(host::WaitForThreadsAtMost(threadsBefore));
}

// The queue's memory is bounded: with the worker held, a flood fills it and
// the messages beyond are lost, each on its own; the ones before are carried
// out in order and the next message finds the queue working.
TEST_F(TrackWorker, MessagesFindingNoMemoryAreLostAndOnlyThey)
{
    PeerProgram peer;
    StartHeld(peer);
    std::vector<std::vector<uint8_t>> flood;
    for (int i = 0; i < 2000; ++i)
        flood.push_back(NumberedWithLongTexts(i));
    for (const std::vector<uint8_t> &track : flood)
        EXPECT_EQ(host::Play(track), 0);
    // Each carried-out message posts a notification: slow on a busy machine.
    ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore, 60000));

    uint32_t last = Position() / 1000000;
    EXPECT_LT(last, 1999u) << "nothing was lost";
    EXPECT_EQ(Caption(), "Artist " + std::to_string(last) + " - Name " + std::to_string(last) + " - iTunes");
    EXPECT_EQ(peer.NotificationCodes().size(), last + 1);
    PlayAndWait({"After", "Band"});
    EXPECT_EQ(Caption(), "Band - After - iTunes");
    EXPECT_EQ(peer.NotificationCodes().size(), last + 2);
}

// With the address space taken, no thread can get a stack: that message is
// lost, the handler still answers 0, and the next one is carried out.
TEST_F(TrackWorker, MessageFindingNoThreadIsLostAndOnlyIt)
{
    if (sizeof(void *) == 8)
        GTEST_SKIP() << "a 64-bit address space cannot be filled in a test's time; the 32-bit suite runs this";
    StartWith({{"CaptionText", 1}});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer", {"slot=1"}));
    PlayAndWait({"First", "Band"});
    std::vector<uint8_t> lost = host::BuildTrack({"Lost", "Band"});
    std::vector<void *> taken = host::ReserveFreeAddressSpace();
    int32_t answer = host::Play(lost);
    host::ReleaseAddressSpace(taken);
    EXPECT_EQ(answer, 0);
    ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore));
    EXPECT_EQ(Caption(), "Band - First - iTunes");
    PlayAndWait({"Third", "Band"});
    EXPECT_EQ(Caption(), "Band - Third - iTunes");
    EXPECT_EQ(peer.NotificationCodes(), (std::vector<uint32_t>{29901, 29901}));
}

} // namespace
