// The host's own calls into the module: "vply" and "vstp" against a bare
// thread start and against the least a hand-over can cost, a burst of them,
// "setp", the start-up and "init"; plus the DLL's size and the private
// memory the module adds to the host.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "bench.h"
#include "host.h"

namespace {

DWORD WINAPI EmptyThread(void *) { return 0; }

// Microseconds per call of one round, timing only the call itself; the
// workers it starts are let finish between calls, with the pump running so
// their window texts can complete.
std::function<double()> HostCallRound(int calls, int baselineThreads, const std::function<void(int)> &call)
{
    return [=] {
        double total = 0;
        for (int i = 0; i < calls; ++i) {
            double start = bench::Seconds();
            call(i);
            total += bench::Seconds() - start;
            host::WaitForThreadsAtMost(baselineThreads, 2000);
        }
        return total * 1e6 / calls;
    };
}

// The handler alone, with the worker already alive as it is in a burst: one
// untimed call first, then the round at full speed.
std::function<double()> HandlerRound(int calls, const std::function<void(int)> &call)
{
    return [=] {
        call(1);
        double start = bench::Seconds();
        for (int i = 0; i < calls; ++i)
            call(i);
        double us = (bench::Seconds() - start) * 1e6 / calls;
        host::PumpFor(20);
        return us;
    };
}

} // namespace

int main()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "Bramblecourt bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    host::SetHostExecutablePath((folder + "\\iTunes.exe").c_str());
    host::ResetSettings();
    host::SetSettingDword("File", 1);
    host::SetSettingDword("Clipboard", 1);
    host::SetSettingDword("Menu", 1);

    host::CreateHostWindows();
    host::PumpFor(200);
    size_t before = host::CommittedPrivateBytes();

    double start = bench::Seconds();
    HMODULE probe = LoadLibraryA("Bramblecourt.dll");
    double loadUs = (bench::Seconds() - start) * 1e6;
    FreeLibrary(probe);

    host::LoadPlugin();
    start = bench::Seconds();
    host::Init();
    double initUs = (bench::Seconds() - start) * 1e6;
    bench::PrintSingleRow("\"init\" (bitmaps, corner regions, registration)", initUs, "LoadLibrary of the module", loadUs,
                    "informational");

    start = bench::Seconds();
    HWND probeWindow = CreateWindowExA(0, "iTunes", "probe", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                       nullptr);
    DestroyWindow(probeWindow);
    double windowUs = (bench::Seconds() - start) * 1e6;
    start = bench::Seconds();
    host::Idle();
    double startUpUs = (bench::Seconds() - start) * 1e6;
    host::PumpFor(600);
    bench::PrintSingleRow("StartUp (first \"null\", every output on)", startUpUs, "create and destroy one window",
                    windowUs, "informational");
    size_t after = host::CommittedPrivateBytes();

    int baseline = host::ThreadCount();
    auto threadRound = HostCallRound(50, baseline, [](int) {
        HANDLE thread = CreateThread(nullptr, 0, EmptyThread, nullptr, 0, nullptr);
        CloseHandle(thread);
    });
    std::vector<uint8_t> tracks[2] = {host::BuildTrack({"First Song", "Some Artist"}),
                                      host::BuildTrack({"Second Song", "Other Artist"})};
    const host::PreparedPlay plays[2] = {host::PreparePlay(tracks[0]), host::PreparePlay(tracks[1])};
    auto play = [&](int i) { host::Play(plays[i & 1]); };
    // The play message of the interface the host speaks.
    const char *const playHandler = host::SpeaksInterface2() ? "'Vply' handler" : "\"vply\" handler";
    auto stop = [](int) { host::Stop(); };
    bench::PrintRow(playHandler, bench::CompareRounds(HandlerRound(50, play), threadRound), "bare thread start",
                    "<= 0.1");
    bench::PrintRow("\"vstp\" handler", bench::CompareRounds(HandlerRound(50, stop), threadRound), "bare thread start",
                    "<= 0.1");
    uint8_t copy[host::TRACK_SIZE];
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    auto handOver = [&] {
        double start = bench::Seconds();
        for (int i = 0; i < 50; ++i) {
            memcpy(copy, tracks[i & 1].data(), sizeof copy);
            SetEvent(event);
        }
        return (bench::Seconds() - start) * 1e6 / 50;
    };
    bench::PrintRow(playHandler, bench::CompareRounds(HandlerRound(50, play), handOver),
                    "memcpy of the record + SetEvent", "<= 3");
    bench::PrintRow("\"vstp\" handler", bench::CompareRounds(HandlerRound(50, stop), handOver),
                    "memcpy of the record + SetEvent", "<= 3");

    // A radio stream's songs, one after the other.
    host::Track stations[2] = {{"Radio Bramble", "", "Jazz"}, {"Radio Bramble", "", "Jazz"}};
    stations[0].stream.present = stations[1].stream.present = true;
    stations[0].stream.title = L"Miles Davis - So What";
    stations[1].stream.title = L"Dave Brubeck - Take Five";
    const host::PreparedTrack songs[2] = {host::PrepareTrack(stations[0]), host::PrepareTrack(stations[1])};
    auto change = [&](int i) { host::TrackInfoChanged(songs[i & 1]); };
    bench::PrintRow(host::SpeaksInterface2() ? "'Ctrk' handler" : "\"ctrk\" handler",
                    bench::CompareRounds(HandlerRound(50, change), threadRound), "bare thread start", "<= 0.1");
    if (host::SpeaksInterface2()) {
        // The player's art, which the handler copies before it returns.
        std::vector<uint8_t> art(1024 * 1024, 0x5A), artCopy(art.size());
        auto vart = [&](int) { host::SendCoverArt(art.data(), uint32_t(art.size()), 13); };
        auto copyArt = [&] {
            double start = bench::Seconds();
            for (int i = 0; i < 50; ++i) {
                memcpy(artCopy.data(), art.data(), art.size());
                SetEvent(event);
            }
            return (bench::Seconds() - start) * 1e6 / 50;
        };
        bench::PrintRow("'Vart' handler, 1 MB image", bench::CompareRounds(HandlerRound(50, vart), copyArt),
                        "memcpy of the image + SetEvent", "<= 3");
    }
    CloseHandle(event);

    // 1,000 pairs at full speed, the thread list and committed memory looked
    // at every 50 messages and while the worker drains the queue.
    host::WaitForThreadsAtMost(baseline);
    size_t burstBefore = host::CommittedPrivateBytes();
    int mostThreads = 0;
    size_t mostCommitted = burstBefore;
    auto look = [&] {
        mostThreads = std::max(mostThreads, host::ThreadCount() - baseline);
        mostCommitted = std::max(mostCommitted, host::CommittedPrivateBytes());
    };
    for (int i = 0; i < 1000; ++i) {
        host::Play(plays[i & 1]);
        host::Stop();
        if (i % 25 == 24)
            look();
    }
    host::PumpUntil([&] {
        look();
        return host::ThreadCount() <= baseline;
    }, 20000);
    printf("INFO|burst of 1,000 \"vply\"/\"vstp\" pairs: most worker threads at once|%d|target 1\n", mostThreads);
    printf("INFO|burst of 1,000 pairs: most committed memory added|%ld KB|target <= 4096 KB\n",
           long((mostCommitted - burstBefore) / 1024));

    uint32_t position = 0;
    bench::Comparison setp = bench::Compare([&] { host::SetPosition(position += 1000); },
                                            [] { PostMessageA(host::mainWindow, WM_NULL, 0, 0); }, 200,
                                            bench::ROUNDS, host::PumpMessages);
    bench::PrintRow("\"setp\" handler (no window registered)", setp, "one PostMessage", "well under 10 us + posts");

    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA("Bramblecourt.dll", GetFileExInfoStandard, &data);
    printf("INFO|DLL size|%lu bytes|target < 300 KB\n", (unsigned long)data.nFileSizeLow);
    printf("INFO|private memory the module adds after start-up|%ld KB|target < 2048 KB\n",
           long((long long)after - (long long)before) / 1024);
    return 0;
}
