// Windows' media controls for the tests: the stand-in DLL (tests/standins)
// registered as the runtime classes the module activates, and its record.
#include "host.h"

#include <array>

namespace host {

namespace {

constexpr char ACTIVATABLE_CLASSES[] = "Software\\Microsoft\\WindowsRuntime\\ActivatableClassId\\";
constexpr std::array<const char *, 4> STAND_IN_CLASSES = {
    "Windows.Media.SystemMediaTransportControls",
    "Windows.Media.SystemMediaTransportControlsTimelineProperties",
    "Windows.Storage.StorageFile",
    "Windows.Storage.Streams.RandomAccessStreamReference",
};

std::string StandInPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "mediacontrols_standin.dll";
}

// The stand-in as the runtime loaded it (the same file, so the same module).
HMODULE StandInModule()
{
    static HMODULE module = LoadLibraryA(StandInPath().c_str());
    return module;
}

template <typename T> T StandIn(const char *name)
{
    return reinterpret_cast<T>(reinterpret_cast<void *>(GetProcAddress(StandInModule(), name)));
}

} // namespace

void RegisterMediaControlsStandIn(bool registered, bool controlsClass)
{
    std::string path = StandInPath();
    for (const char *name : STAND_IN_CLASSES) {
        std::string key = std::string(ACTIVATABLE_CLASSES) + name;
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
        if (!registered || (!controlsClass && name == STAND_IN_CLASSES[0]))
            continue;
        HKEY opened;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) !=
            ERROR_SUCCESS)
            continue;
        DWORD inProcess = 0;
        RegSetValueExA(opened, "DllPath", 0, REG_SZ, reinterpret_cast<const BYTE *>(path.c_str()),
                       DWORD(path.size() + 1));
        RegSetValueExA(opened, "ActivationType", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&inProcess),
                       sizeof inProcess);
        RegCloseKey(opened);
    }
}

std::vector<std::wstring> MediaControlsCalls()
{
    auto calls = StandIn<int (*)(wchar_t *, int)>("StandInCalls");
    std::wstring all(calls(nullptr, 0), L'\0');
    calls(&all[0], int(all.size()));
    std::vector<std::wstring> lines;
    for (size_t start = 0, end; (end = all.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(all.substr(start, end - start));
    return lines;
}

void ClearMediaControlsCalls()
{
    StandIn<void (*)()>("StandInClearCalls")();
}

long MediaControlsObjects()
{
    return StandIn<LONG (*)()>("StandInObjects")();
}

long MediaControlsUpdates()
{
    return StandIn<LONG (*)()>("StandInUpdates")();
}

long MediaControlsHandlers()
{
    return StandIn<LONG (*)()>("StandInHandlers")();
}

void PressMediaControlsButton(int button)
{
    StandIn<void (*)(int)>("StandInPress")(button);
}

void HoldMediaControlsFiles(bool hold)
{
    StandIn<void (*)(BOOL)>("StandInHoldFiles")(hold);
}

} // namespace host
