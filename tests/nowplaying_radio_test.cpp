// An internet radio stream: the track record names the station, the stream
// record the song now playing, and the player says when either changes.
#include "nowplaying_fixture.h"
#include "nowplaying_peer.h"

using namespace testing_support;

namespace {

class RadioStream : public NowPlayingTest {
protected:
    void ChangeAndWait(const host::Track &track)
    {
        host::TrackInfoChanged(track);
        EXPECT_TRUE(host::WaitForThreadsAtMost(threadsBefore)) << "the worker did not finish";
    }
};

host::Track Station(const std::wstring &title, const char *genre = "Jazz")
{
    host::Track track = {"Radio Bramble", "", genre, 0};
    track.year = 0;
    track.stream.present = true;
    track.stream.title = title;
    return track;
}

// Each song is announced like a new track, with every output showing it.
TEST_F(RadioStream, EachSongReachesEveryOutputAndIsAnnounced)
{
    StartWith({{"File", 1}, {"Clipboard", 1}, {"CaptionText", 1}, {"WinAmp", 1}});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer", {"slot=2"}));
    PlayAndWait(Station(L"Miles Davis - So What"));
    EXPECT_EQ(SongFile(), "Miles Davis\r\nSo What\r\nJazz\r\n0\r\n0");
    EXPECT_EQ(Caption(), "Miles Davis - So What - iTunes");
    // A title without " - " is the song, the station its artist.
    ChangeAndWait(Station(L"Take Five"));
    EXPECT_EQ(peer.NotificationCodes(), (std::vector<uint32_t>{29901, 29901}));
    EXPECT_EQ(SongFile(), "Radio Bramble\r\nTake Five\r\nJazz\r\n0\r\n0");
    EXPECT_EQ(Utf8SongFile(), "Radio Bramble\r\nTake Five\r\nJazz\r\n0\r\n0");
    EXPECT_EQ(Caption(), "Radio Bramble - Take Five - iTunes");
    EXPECT_EQ(ClipboardText(), "Radio Bramble - Take Five");
    EXPECT_EQ(WinampTitle(), "0. Radio Bramble - Take Five - Winamp");
}

// A change that alters nothing shown writes nothing; an edit of the track's
// texts is shown but is no new song.
TEST_F(RadioStream, UnchangedChangeWritesNothingAndAnEditIsNoNewSong)
{
    StartWith({{"File", 1}});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer", {"slot=2"}));
    PlayAndWait(Station(L"Nina Simone - Sinnerman"));
    ASSERT_TRUE(DeleteFileA(SongFilePath().c_str()));
    ChangeAndWait(Station(L"Nina Simone - Sinnerman"));
    EXPECT_EQ(SongFile(), "(missing)");
    ChangeAndWait(Station(L"Nina Simone - Sinnerman", "Soul"));
    EXPECT_EQ(SongFile(), "Nina Simone\r\nSinnerman\r\nSoul\r\n0\r\n0");
    EXPECT_EQ(peer.NotificationCodes(), (std::vector<uint32_t>{29901}));
}

// Other programs still get the player's own record, which names the station.
TEST_F(RadioStream, RecordCopyKeepsThePlayersRecord)
{
    StartWith({});
    PeerProgram peer;
    ASSERT_TRUE(peer.Start("peer", {"slot=2"}));
    PlayAndWait(Station(L"Miles Davis - So What"));
    const peer::Report *copy = peer.Ask(peer::REQUEST_COPY_RECORD, 0, peer::REPORT_RECORD);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(copy->record + 9), copy->record[8]), "Radio Bramble");
}

} // namespace
