// A program written for the Winamp player, in another process, reads the
// "Winamp v1.x" window as it would read Winamp's, and drives the host with
// Winamp's transport commands.
#include "nowplaying_fixture.h"
#include "nowplaying_peer.h"

using namespace testing_support;

namespace {

class WinampWindow : public NowPlayingTest {
protected:
    peer::Report View()
    {
        const peer::Report *view = client.Ask(peer::REQUEST_WINAMP_VIEW, 0, peer::REPORT_WINAMP);
        return view ? *view : peer::Report{};
    }
    PeerProgram client;
};

TEST_F(WinampWindow, ClientFollowsStartPauseResumeAndNewTrack)
{
    StartWith({{"WinAmp", 1}});
    ASSERT_TRUE(client.Start("winamp_client"));
    peer::Report view = View();
    ASSERT_EQ(view.result, 1) << "no Winamp window found";
    EXPECT_EQ(view.version, 0x5001);
    EXPECT_EQ(view.playState, 0);
    EXPECT_EQ(view.positionMs, -1);
    EXPECT_EQ(view.listLength, 0);

    PlayAndWait({"Song", "Artist", "", 4, 2004, 183500});
    view = View();
    EXPECT_EQ(view.playState, 1);
    EXPECT_GE(view.positionMs, 0);
    EXPECT_EQ(view.lengthSeconds, 183);
    EXPECT_EQ(view.lengthMs, 183500);
    EXPECT_EQ(view.listLength, 1);
    EXPECT_EQ(view.listPosition, 3);
    EXPECT_EQ(view.number, 4);
    EXPECT_STREQ(view.artist, "Artist");
    EXPECT_STREQ(view.title, "Song");
    EXPECT_EQ(view.paused, 0u);

    host::PumpFor(200);
    StopAndWait();
    view = View();
    EXPECT_EQ(view.playState, 3);
    EXPECT_EQ(view.paused, 1u);
    EXPECT_STREQ(view.title, "Song");
    int32_t held = view.positionMs;
    EXPECT_GE(held, 150);
    EXPECT_EQ(View().positionMs, held);

    PlayAndWait({"Song", "Artist", "", 4, 2004, 183500});
    view = View();
    EXPECT_EQ(view.playState, 1);
    EXPECT_GE(view.positionMs, held);

    PlayAndWait({"Other", "", "", 0, 2004, 1000});
    view = View();
    EXPECT_EQ(view.listPosition, 0);
    EXPECT_STREQ(view.artist, "");
    EXPECT_STREQ(view.title, "Other");
    EXPECT_EQ(view.lengthMs, 1000);
}

TEST_F(WinampWindow, TransportCommandsReachTheHostAsMediaCommands)
{
    StartWith({{"WinAmp", 1}});
    ASSERT_TRUE(client.Start("winamp_client"));
    struct Case {
        WPARAM command;
        DWORD appCommand;
    };
    const Case cases[] = {{40044, 0x800C0000}, {40045, 0x800E0000}, {40046, 0x800E0000},
                          {40047, 0x800D0000}, {40048, 0x800B0000}};
    for (const Case &c : cases) {
        host::ClearLogs();
        client.Ask(peer::REQUEST_WINAMP_COMMAND, c.command, peer::REPORT_SYNC);
        host::PumpMessages();
        EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_APPCOMMAND}),
                               {{WM_APPCOMMAND, host::posted | host::wparam | host::lparam, 0, LPARAM(c.appCommand)}}))
            << c.command;
    }
    // Play while playing changes nothing; pause still toggles.
    PlayAndWait({"Song", "Artist"});
    host::ClearLogs();
    client.Ask(peer::REQUEST_WINAMP_COMMAND, 40045, peer::REPORT_SYNC);
    client.Ask(peer::REQUEST_WINAMP_COMMAND, 40046, peer::REPORT_SYNC);
    host::PumpMessages();
    EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_APPCOMMAND}),
                           {{WM_APPCOMMAND, host::posted | host::lparam, 0, LPARAM(0x800E0000)}}));
}

} // namespace
