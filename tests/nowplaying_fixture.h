// What the now-playing tests share: the plug-in started with chosen outputs,
// tracks played with the workers waited for, and the outputs read back.
#pragma once
#include <string>
#include <vector>

#include "harness.h"

namespace testing_support {

class NowPlayingTest : public HostTest {
protected:
    // Every output off unless named; the skin stays out of the way.
    void StartWith(std::initializer_list<Setting> outputs);
    // The same settings stored and the song files removed, for a player
    // in another process to start with.
    static void StoreOutputs(std::initializer_list<Setting> outputs);
    // Sends the message, then pumps until its worker has finished.
    void PlayAndWait(const host::Track &track);
    void StopAndWait();

    uint32_t Position();  // message 29874
    LRESULT PlayState();  // message 29872
    static std::string SongFilePath();
    std::string SongFile(); // "(missing)" when absent
    std::string Utf8SongFile();
    // NowPlaying.txt and CurrentCover.png beside the song file.
    static std::string LineFile();
    static std::string CoverFile();
    // The song file in another folder.
    static std::string SongFileIn(const std::string &folder);
    static std::string ClipboardText();
    static std::string Caption();
    static std::string WinampTitle();
    static std::wstring CaptionW();
    static std::wstring WinampTitleW();

    int threadsBefore = 0;
};

} // namespace testing_support
