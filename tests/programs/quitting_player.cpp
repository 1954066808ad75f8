// A player that quits the way a real one does: the plug-in started with the
// stored settings, a burst of 200 track starts and stops at full speed, and
// the process ends at once, after "clr " or in the middle of the burst.
//
// quitting_player clr|burst
#include <cstring>
#include <string>
#include <vector>

#include "host.h"

int main(int argc, char **argv)
{
    bool cleanUp = argc > 1 && strcmp(argv[1], "clr") == 0;
    if (!host::CreateHostWindows() || !host::LoadPlugin())
        return 2;
    host::Init();
    host::Idle();
    std::vector<std::vector<uint8_t>> tracks;
    for (int i = 0; i < 200; ++i) {
        std::string n = std::to_string(i);
        tracks.push_back(host::BuildTrack({"Name " + n, "Artist " + n, "Third " + n, i, 2000}));
    }
    for (int i = 0; i < 200; ++i) {
        host::Play(tracks[size_t(i)]);
        if (i % 2)
            host::Stop();
    }
    if (cleanUp)
        host::Clean();
    ExitProcess(0);
}
