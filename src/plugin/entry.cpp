// The module's only export, the loader's notifications and calls into the host.
#include "plugin/plugin.h"

#include <cstring>

#include "nowplaying/track.h"
#include "skin/skin.h"

HINSTANCE moduleInstance;
void *hostCookie;
HostAppProc hostAppProc;

namespace {

constexpr uint32_t HOST_FORMAT_MAJOR = 10;
constexpr uint32_t HOST_FORMAT_MINOR = 5;

constexpr char PLUGIN_NAME[] = "Bramblecourt";
constexpr int NAME_LENGTH_OFFSET = 12;
constexpr int NAME_OFFSET = 13;
constexpr int OPTIONS_OFFSET = 76;
constexpr int HANDLER_OFFSET = 88;
constexpr uint32_t OPTION_WANTS_IDLE = 8;

constexpr int INIT_COOKIE_OFFSET = 8;
constexpr int INIT_APP_PROC_OFFSET = 12;

void PutWord(uint8_t *record, int offset, uint32_t value)
{
    memcpy(record + offset, &value, sizeof value);
}

int32_t ConnectToHost(const uint8_t *information)
{
    memcpy(&hostCookie, information + INIT_COOKIE_OFFSET, sizeof hostCookie);
    memcpy(&hostAppProc, information + INIT_APP_PROC_OFFSET, sizeof hostAppProc);

    LoadSkinResources();

    uint8_t record[HOST_RECORD_SIZE] = {};
    record[NAME_LENGTH_OFFSET] = sizeof PLUGIN_NAME - 1;
    memcpy(record + NAME_OFFSET, PLUGIN_NAME, sizeof PLUGIN_NAME - 1);
    PutWord(record, OPTIONS_OFFSET, OPTION_WANTS_IDLE);
    PutWord(record, HANDLER_OFFSET, uint32_t(uintptr_t(&VisualHandler)));
    return RegisterWithHost(record);
}

} // namespace

int32_t CallHost(uint8_t *record, uint32_t message)
{
    uint8_t blank[HOST_RECORD_SIZE] = {};
    if (!record)
        record = blank;
    PutWord(record, 0, HOST_FORMAT_MAJOR);
    PutWord(record, 4, HOST_FORMAT_MINOR);
    PutWord(record, 8, HOST_RECORD_SIZE);
    return hostAppProc(hostCookie, message, record);
}

int32_t RegisterWithHost(uint8_t *record)
{
    return CallHost(record, CODE_REGISTER_VISUAL);
}

void ShowHostAbout()
{
    CallHost(nullptr, CODE_ABOUT);
}

extern "C" int32_t __cdecl iTunesPluginMain(uint32_t message, void *information,
                                                                  void *reference)
{
    if (message != CODE_INIT)
        return int32_t(message);
    return ConnectToHost(static_cast<const uint8_t *>(information));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        moduleInstance = instance;
        break;
    case DLL_PROCESS_DETACH:
        // Never waits for a thread: the loader lock is held here, and a
        // thread needs it to end. Nothing is left to end anyway: the hook's
        // thread and the track worker each hold a reference on the module,
        // so an unload comes only after they have ended, and at process exit
        // the system has already ended them. An unload only gives back the
        // queue's heap.
        if (!reserved)
            ReleaseTrackQueue();
        break;
    }
    return TRUE;
}
