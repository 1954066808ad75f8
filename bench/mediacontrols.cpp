// Windows' media controls (against the test stand-in, Wine has none): the
// play handler with a session live, which must stay as cheap as without one
// since the session is brought up to date on the worker; and a whole track
// change, from the play message until every output shows it, with the
// session on against off. The option is read at start-up, so each side of
// that row runs in a process of its own, one after the other, and the row
// pairs their rounds.
#include <windows.h>

#include <process.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench.h"
#include "host.h"

namespace {

constexpr int CHANGES = 20;

std::string RoundsFile(const char *side)
{
    return bench::TempPath(std::string("Bramblecourt bench media controls ") + side + ".txt");
}

void StartHost(bool mediaControls)
{
    bench::PrepareHost();
    host::SetSettingDword("Skin", 0);
    host::SetSettingDword("CaptionText", 1);
    host::SetSettingDword("MediaControls", mediaControls ? 1 : 0);
    host::RegisterMediaControlsStandIn(true);
    host::CreateHostWindows();
    host::LoadPlugin();
    host::Init();
    host::Idle();
    host::PumpFor(300);
}

// Polled without a timed wait, whose granularity would be most of what is
// measured; sent messages are handled on the way, as the host's loop would.
void WaitUntil(const std::function<bool()> &shown)
{
    DWORD start = GetTickCount();
    while (!shown() && GetTickCount() - start < 2000) {
        host::PumpMessages();
        SwitchToThread();
    }
}

// One side: its rounds of track changes, microseconds per change, written
// to its file. The caption is the last output without the session, the
// display's update the last with it.
int RunSide(bool mediaControls)
{
    StartHost(mediaControls);
    const host::Track tracks[2] = {{"First Song", "Some Artist"}, {"The Second Song", "Another Artist"}};
    const host::PreparedPlay plays[2] = {host::PreparePlay(host::BuildTrack(tracks[0])),
                                         host::PreparePlay(host::BuildTrack(tracks[1]))};
    int next = 0;
    auto round = [&] {
        double total = 0;
        for (int i = 0; i < CHANGES; ++i, next ^= 1) {
            std::string caption = tracks[next].artist + " - " + tracks[next].name + " - iTunes";
            long updates = host::MediaControlsUpdates();
            double start = bench::Seconds();
            host::Play(plays[next]);
            WaitUntil([&] {
                return mediaControls ? host::MediaControlsUpdates() > updates
                                     : host::WindowText(host::mainWindow) == caption;
            });
            total += bench::Seconds() - start;
        }
        host::ClearMediaControlsCalls();
        return total * 1e6 / CHANGES;
    };
    round();
    FILE *file = fopen(RoundsFile(mediaControls ? "on" : "off").c_str(), "w");
    for (int r = 0; r < bench::ROUNDS; ++r) {
        fprintf(file, "%.3f\n", round());
        host::PumpFor(30);
    }
    fclose(file);

    int baseline = host::ThreadCount();
    std::string row = std::string(host::SpeaksInterface2() ? "'Vply'" : "\"vply\"") + " handler, media controls " +
                      (mediaControls ? "session live" : "off");
    bench::PrintRow(row.c_str(),
                    bench::CompareRounds(bench::HandlerRound(50, [&](int i) { host::Play(plays[i & 1]); }),
                                         bench::ThreadStartRound(50, baseline)),
                    "bare thread start", "<= 0.1");
    host::Clean();
    host::RegisterMediaControlsStandIn(false);
    return 0;
}

std::vector<double> ReadRounds(const char *side)
{
    std::vector<double> rounds;
    FILE *file = fopen(RoundsFile(side).c_str(), "r");
    double us;
    while (file && fscanf(file, "%lf", &us) == 1)
        rounds.push_back(us);
    if (file)
        fclose(file);
    return rounds;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1)
        return RunSide(std::string(argv[1]) == "on");
    fflush(stdout);
    _spawnl(_P_WAIT, argv[0], argv[0], "on", nullptr);
    _spawnl(_P_WAIT, argv[0], argv[0], "off", nullptr);
    std::vector<double> on = ReadRounds("on"), off = ReadRounds("off");
    if (on.empty() || on.size() != off.size())
        return 1;
    size_t onRound = 0, offRound = 0;
    bench::Comparison c = bench::CompareRounds([&] { return on[onRound++]; }, [&] { return off[offRound++]; },
                                               int(on.size()));
    bench::PrintRow("track change until every output shows it, media controls on", c, "same with media controls off",
                    "informational");
    return 0;
}
