// Where the song files go: the player's folder when a file can be created
// there, else the user's own folder, and the folder the user chose before
// both; other programs find the file in use in "SongFile".
#include "dialog_driver.h"
#include "nowplaying_fixture.h"
#include "resources/resource.h"

using namespace testing_support;

namespace {

const char TRACK_TEXT[] = "Artist\r\nSong\r\n\r\n1\r\n2004";

std::string ChosenFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "Bramblecourt chosen";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char *name : {"CurrentSong.txt", "CurrentSong.utf8.txt", "NowPlaying.txt", "CurrentCover.png"})
        DeleteFileA((folder + "\\" + name).c_str());
    return folder;
}

class SongFilePlace : public NowPlayingTest {
protected:
    // Starts with the song file on, plays a track and says where it went.
    void PlayAndExpectTheFileIn(const std::string &folder, std::initializer_list<Setting> outputs = {{"File", 1}})
    {
        StartWith(outputs);
        PlayAndWait({"Song", "Artist"});
        EXPECT_EQ(SongFileIn(folder), TRACK_TEXT);
        EXPECT_EQ(host::ReadSettingText("SongFile"), folder + "\\CurrentSong.txt");
    }
};

// The player registers its executable quoted or not, with an icon index or
// without.
class SongFileDefaultIcon : public SongFilePlace, public ::testing::WithParamInterface<const char *> {};

TEST_P(SongFileDefaultIcon, NamesThePlayersFolder)
{
    std::string value = GetParam();
    value.replace(value.find('@'), 1, HostFolder() + "\\iTunes.exe");
    host::SetHostExecutablePath(value.c_str());
    PlayAndExpectTheFileIn(HostFolder());
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((HostFolder() + "\\~*").c_str(), &found), INVALID_HANDLE_VALUE) << "a probe was left";
}

INSTANTIATE_TEST_SUITE_P(Forms, SongFileDefaultIcon, ::testing::Values("\"@\",0", "\"@\"", "@,1", " \"@\", -2"));

TEST_F(SongFilePlace, APlayersFolderThatRefusesTheFileSendsItToTheUsersFolder)
{
    // The song file's name taken by a folder: no file of that name can be
    // made there.
    std::string blocker = SongFilePath();
    DeleteFileA(blocker.c_str());
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    PlayAndExpectTheFileIn(PerUserFolder());
    RemoveDirectoryA(blocker.c_str());
}

// A chosen folder that exists wins over the player's; one that is gone is
// passed over.
class SongFileChosenFolder : public SongFilePlace, public ::testing::WithParamInterface<bool> {};

TEST_P(SongFileChosenFolder, WinsWhileItExists)
{
    std::string chosen = GetParam() ? ChosenFolder() : HostFolder() + "\\no such folder";
    host::SetSettingText("SongFileFolder", chosen + "\\");
    PlayAndExpectTheFileIn(GetParam() ? chosen : HostFolder());
    EXPECT_EQ(SongFile() == "(missing)", GetParam());
}

INSTANTIATE_TEST_SUITE_P(Folder, SongFileChosenFolder, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) { return info.param ? "Exists" : "Gone"; });

// The dialog shows the file in use; its folder button's choice is stored and
// takes the files along at once, those beside it too; the File box then
// deletes its own files there, and leaves the cover to its own box.
TEST_F(SongFilePlace, TheDialogShowsThePathAndItsFolderButtonMovesTheFiles)
{
    host::SetSettingText("LineFormat", std::wstring(L"{title}"));
    PlayAndExpectTheFileIn(HostFolder(), {{"File", 1}, {"Cover", 1}});
    std::string chosen = ChosenFolder();
    ASSERT_TRUE(WithOptionsDialog([&](HWND dialog) {
        HWND path = GetDlgItem(dialog, IDC_SONG_FILE_PATH), button = GetDlgItem(dialog, IDC_SONG_FOLDER);
        EXPECT_EQ(WindowText(path), SongFilePath());
        EXPECT_TRUE(ClearOfTheOthers(dialog, {path, button}));
        AnswerFolderChooser(chosen);
        SendMessageA(button, BM_CLICK, 0, 0);
        ASSERT_TRUE(AnsweredFolderChooser());
        EXPECT_EQ(WindowText(path), chosen + "\\CurrentSong.txt");
        EXPECT_EQ(SongFileIn(chosen), TRACK_TEXT);
        EXPECT_EQ(SongFile(), "(missing)");
        EXPECT_EQ(Utf8SongFile(), "(missing)");
        EXPECT_EQ(host::ReadSettingText("SongFileFolder"), chosen);
        EXPECT_EQ(host::ReadSettingText("SongFile"), chosen + "\\CurrentSong.txt");
        EXPECT_EQ(host::ReadSettingText("LineFile"), chosen + "\\NowPlaying.txt");
        EXPECT_EQ(host::ReadSettingText("CoverFile"), chosen + "\\CurrentCover.png");
        EXPECT_EQ(FileBytes(chosen + "\\NowPlaying.txt"), "Song");
        EXPECT_EQ(LineFile(), "(missing)");
        Click(dialog, FILE_BOX);
        EXPECT_EQ(SongFileIn(chosen), "(missing)");
        EXPECT_EQ(FileBytes(chosen + "\\CurrentSong.utf8.txt"), "(missing)");
        EXPECT_EQ(FileBytes(chosen + "\\NowPlaying.txt"), "(missing)");
        EXPECT_NE(FileBytes(chosen + "\\CurrentCover.png"), "(missing)");
        Click(dialog, COVER);
        EXPECT_EQ(FileBytes(chosen + "\\CurrentCover.png"), "(missing)");
    }));
}

} // namespace
