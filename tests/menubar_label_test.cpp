// The menu bar's play command follows the track: "Pause" while a track
// plays, "Play" once it stops.
#include "harness.h"

using namespace testing_support;

namespace {

std::string PlayLabel()
{
    char text[64] = "";
    GetMenuStringA(GetMenu(host::mainWindow), 40010, text, sizeof text, MF_BYCOMMAND);
    return text;
}

class PlayCommandLabel : public HostTest {};

TEST_F(PlayCommandLabel, FollowsTrackStartAndStop)
{
    StartPlugin({{"Menu", 1}, {"Skin", 0}});
    ASSERT_NE(GetMenu(host::mainWindow), nullptr);
    EXPECT_EQ(PlayLabel(), "Play");
    int threads = host::ThreadCount();

    host::Play(host::BuildTrack({"Song", "Artist"}));
    ASSERT_TRUE(host::WaitForThreadsAtMost(threads));
    EXPECT_EQ(PlayLabel(), "Pause");

    // The command stays the play/pause command whatever its label says.
    host::ClearLogs();
    SendMessageA(host::mainWindow, WM_COMMAND, 40010, 0);
    host::PumpMessages();
    EXPECT_TRUE(SequenceIs(host::Select(host::queued, host::mainWindow, {WM_APPCOMMAND}),
                           {{WM_APPCOMMAND, host::posted | host::lparam, 0, LPARAM(0x800E0000)}}));

    host::Stop();
    ASSERT_TRUE(host::WaitForThreadsAtMost(threads));
    EXPECT_EQ(PlayLabel(), "Play");
}

TEST_F(PlayCommandLabel, WithoutTheMenuBarNothingChanges)
{
    StartPlugin({{"Menu", 0}, {"Skin", 0}});
    int threads = host::ThreadCount();
    host::Play(host::BuildTrack({"Song", "Artist"}));
    ASSERT_TRUE(host::WaitForThreadsAtMost(threads));
    host::Stop();
    ASSERT_TRUE(host::WaitForThreadsAtMost(threads));
    EXPECT_EQ(GetMenu(host::mainWindow), nullptr);
}

} // namespace
