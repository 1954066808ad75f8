// The host's own calls into the module: "vply" and "vstp" against a bare
// thread start, "setp", the start-up and "init"; plus the DLL's size and the
// private memory the module adds to the host.
#include <windows.h>

#include <cstdio>

#include "bench.h"
#include "host.h"

namespace {

DWORD WINAPI EmptyThread(void *) { return 0; }

// Committed private pages of the process, walked directly: Wine's process
// counters do not follow private allocations.
size_t PrivateBytes()
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (uintptr_t address = 0; VirtualQuery(reinterpret_cast<void *>(address), &info, sizeof info) == sizeof info;
         address = uintptr_t(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        if (uintptr_t(info.BaseAddress) + info.RegionSize < address)
            break;
    }
    return total;
}

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
    size_t before = PrivateBytes();

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
    size_t after = PrivateBytes();

    int baseline = host::ThreadCount();
    auto threadRound = HostCallRound(50, baseline, [](int) {
        HANDLE thread = CreateThread(nullptr, 0, EmptyThread, nullptr, 0, nullptr);
        CloseHandle(thread);
    });
    std::vector<uint8_t> tracks[2] = {host::BuildTrack({"First Song", "Some Artist"}),
                                      host::BuildTrack({"Second Song", "Other Artist"})};
    bench::Comparison play =
        bench::CompareRounds(HostCallRound(50, baseline, [&](int i) { host::Play(tracks[i & 1]); }), threadRound);
    bench::Comparison stop = bench::CompareRounds(HostCallRound(50, baseline, [](int) { host::Stop(); }), threadRound);
    bench::PrintRow("\"vply\" handler", play, "bare thread start", "<= 1.5");
    bench::PrintRow("\"vstp\" handler", stop, "bare thread start", "<= 1.5");

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
