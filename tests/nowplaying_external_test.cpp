// The interface for other programs, across processes: a peer program finds
// the host, registers, hears the notifications and asks its questions.
#include <algorithm>
#include <cstring>

#include "nowplaying_fixture.h"
#include "nowplaying_peer.h"

using namespace testing_support;

namespace {

class ExternalInterface : public NowPlayingTest {};

// Wine's own time to destroy a shown window is the baseline to compare with.
DWORD TimeToDestroy(HWND window)
{
    DWORD start = GetTickCount();
    DestroyWindow(window);
    return GetTickCount() - start;
}

TEST_F(ExternalInterface, PeerHearsStartStopAndPositionInOrder)
{
    StartWith({{"File", 1}, {"CaptionText", 1}});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer", {"slot=3", "file=" + SongFilePath()}));
    PlayAndWait({"Song", "Artist"});
    StopAndWait();
    host::SetPosition(1234);
    std::vector<peer::Report> heard = peer.Notifications();
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].code, 29901u);
    EXPECT_EQ(heard[1].code, 29902u);
    EXPECT_EQ(heard[2].code, 29904u);
    // The stop is announced after the song file was blanked.
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(heard[1].file), std::max(0, heard[1].fileLength)), " ");
    const peer::Report *position = peer.Ask(peer::REQUEST_ASK, 29874, peer::REPORT_ANSWER);
    ASSERT_NE(position, nullptr);
    EXPECT_EQ(position->result, 1234);
}

// While the host's thread is busy the start worker cannot set the caption,
// so what the peer sees on 29901 was there before any window text changed.
TEST_F(ExternalInterface, TrackStartIsAnnouncedBeforeTheCaptionChanges)
{
    StartWith({{"CaptionText", 1}, {"WinAmp", 1}});
    HANDLE seen = CreateEventA(nullptr, TRUE, FALSE, "BramblecourtPeerSaw");
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer", {"slot=1", "event=BramblecourtPeerSaw"}));
    host::Play(host::BuildTrack({"Song", "Artist", "", 4}));
    EXPECT_EQ(WaitForSingleObject(seen, 5000), WAIT_OBJECT_0);
    ASSERT_TRUE(host::WaitForThreadsAtMost(threadsBefore));
    std::vector<peer::Report> heard = peer.Notifications();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_STREQ(heard[0].caption, "iTunes");
    EXPECT_STREQ(heard[0].winampTitle, "Winamp 5.01");
    EXPECT_EQ(Caption(), "Artist - Song - iTunes");
    CloseHandle(seen);
}

TEST_F(ExternalInterface, StaleSlotsAreClearedAndOnlySlotsOneToTwentyFourAreRead)
{
    StartWith({});
    HWND gone = CreateWindowExA(0, "Static", "gone", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetPropA(host::mainWindow, "RegisteredWindow7", gone);
    DestroyWindow(gone);
    PeerProgram twice, never;
    ASSERT_TRUE(twice.Start("peer", {"slot=8", "slot=24"}));
    ASSERT_TRUE(never.Start("peer", {"slot=0", "slot=25", "slot=07"}));
    PlayAndWait({"Song", "Artist"});
    EXPECT_EQ(GetPropA(host::mainWindow, "RegisteredWindow7"), nullptr);
    EXPECT_EQ(twice.NotificationCodes(), (std::vector<uint32_t>{29901, 29901}));
    EXPECT_TRUE(never.NotificationCodes().empty());
    EXPECT_NE(GetPropA(host::mainWindow, "RegisteredWindow07"), nullptr) << "names outside the slots are left alone";
}

TEST_F(ExternalInterface, RecordCopyGoesOnlyIntoAnotherLiveProcess)
{
    StartWith({});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer"));
    const peer::Report *copy = peer.Ask(peer::REQUEST_COPY_RECORD, 0, peer::REPORT_RECORD);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->result, 0);
    EXPECT_EQ(std::count(copy->record, copy->record + 2116, 0), 2116) << "all zero before the first track";

    // Every field the player fills; a player of the newer interface sends
    // them in the UTF-16 record alone, its rate in the newer field.
    host::Track track = {"Song", "Artist", "Genre", 5, 1999};
    track.album = "Album";
    track.fileName = "C:\\Music\\Song.m4a";
    track.comment = "Comment";
    track.count = 12;
    track.bitRate = 256;
    track.sampleRate = 44100;
    PlayAndWait(track);
    copy = peer.Ask(peer::REQUEST_COPY_RECORD, 0, peer::REPORT_RECORD);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->result, 0);
    std::vector<uint8_t> expected = host::BuildTrack(track);
    EXPECT_EQ(memcmp(copy->record, expected.data(), expected.size()), 0);

    copy = peer.Ask(peer::REQUEST_COPY_RECORD, GetCurrentProcessId(), peer::REPORT_RECORD);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->result, 0) << "the host's own memory is never written";
    copy = peer.Ask(peer::REQUEST_COPY_RECORD, 0xFFFFFFF0, peer::REPORT_RECORD);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->result, 0);
    EXPECT_EQ(copy->record[8], 0xCC) << "nothing written for an unknown process";
}

// A record goes whole into memory the asking program may write, or nowhere:
// never into its read-only or guard pages, and not in part up to a page it
// cannot write.
TEST_F(ExternalInterface, RecordCopyIntoMemoryThatIsNotWritableAnswersZeroAndWritesNothing)
{
    StartWith({});
    PlayAndWait({"Song", "Artist"});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer"));
    for (WPARAM target = 0; target < peer::COPY_TARGETS; ++target) {
        const peer::Report *copy = peer.Ask(peer::REQUEST_COPY_RECORD_INTO, target, peer::REPORT_RECORD);
        ASSERT_NE(copy, nullptr) << "target " << target;
        EXPECT_EQ(copy->result, 0) << "target " << target;
        EXPECT_EQ(std::count(copy->record, copy->record + 2116, 0xCC), 2116) << "target " << target;
    }
}

// A 64-bit player's window receives a 64-bit program's address whole.
TEST_F(ExternalInterface, RecordCopyReachesABufferAbove4GBOfA64BitProgram)
{
    if (sizeof(void *) == 4)
        GTEST_SKIP() << "the 32-bit player's window receives only the lower half of an address";
    StartWith({});
    PlayAndWait({"Song", "Artist"});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer"));
    const peer::Report *copy = peer.Ask(peer::REQUEST_COPY_RECORD_INTO, peer::ABOVE_4_GB, peer::REPORT_RECORD);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->result, -1) << "the program got no memory above 4 GB";
    EXPECT_NE(copy->result, 0);
    EXPECT_EQ(memcmp(copy->record, host::BuildTrack({"Song", "Artist"}).data(), 2116), 0);
}

TEST_F(ExternalInterface, PlayBeforeTheFirstIdleMessageIsCopied)
{
    std::vector<uint8_t> early = host::BuildTrack({"Early", "Bird", "", 2});
    host::Play(early);
    StartWith({});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer"));
    const peer::Report *copy = peer.Ask(peer::REQUEST_COPY_RECORD, 0, peer::REPORT_RECORD);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->result, 0);
    EXPECT_EQ(memcmp(copy->record, early.data(), early.size()), 0);
}

TEST_F(ExternalInterface, PositionRunsWhilePlayingAndHoldsWhilePaused)
{
    StartWith({});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer"));
    PlayAndWait({"Song", "Artist"});
    int32_t first = peer.Ask(peer::REQUEST_ASK, 29874, peer::REPORT_ANSWER)->result;
    host::PumpFor(1000);
    int32_t second = peer.Ask(peer::REQUEST_ASK, 29874, peer::REPORT_ANSWER)->result;
    EXPECT_NEAR(second - first, 1000, 200);
    EXPECT_EQ(peer.Ask(peer::REQUEST_ASK, 29872, peer::REPORT_ANSWER)->result, 1);
    StopAndWait();
    first = peer.Ask(peer::REQUEST_ASK, 29874, peer::REPORT_ANSWER)->result;
    host::PumpFor(1000);
    EXPECT_EQ(peer.Ask(peer::REQUEST_ASK, 29874, peer::REPORT_ANSWER)->result, first);
    EXPECT_EQ(peer.Ask(peer::REQUEST_ASK, 29872, peer::REPORT_ANSWER)->result, 0);
}

TEST_F(ExternalInterface, ClosingWithoutAStopWorkerDoesNotWaitAndAnnouncesAfterTheFinderIsGone)
{
    StartWith({});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer", {"slot=2"}));
    DWORD plainClose = TimeToDestroy(host::equalizerWindow);
    EXPECT_LT(TimeToDestroy(host::mainWindow), plainClose + 1000);
    std::vector<peer::Report> heard = peer.Notifications();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].code, 29903u);
    EXPECT_EQ(heard[0].finderPresent, 0u);
}

// A stop worker that needs the host's thread for the caption cannot finish
// during the close; the close still ends, within its bound.
TEST_F(ExternalInterface, ClosingWhileAStopWorkerNeedsTheHostThreadEndsWithinTheBound)
{
    StartWith({{"CaptionText", 1}});
    PlayAndWait({"Song", "Artist"});
    DWORD plainClose = TimeToDestroy(host::equalizerWindow);
    host::Stop();
    EXPECT_LT(TimeToDestroy(host::mainWindow), plainClose + 2000 + 1500);
}

} // namespace
