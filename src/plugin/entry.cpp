// The module's only export, the loader's notifications and calls into the host.
#include "plugin/plugin.h"

#include <cstring>

#include "nowplaying/track.h"
#include "skin/skin.h"

HINSTANCE moduleInstance;
void *hostCookie;
HostAppProc hostAppProc;

namespace {

using hostrecords::PlayerMessageRecord;

constexpr char PLUGIN_NAME[] = "Bramblecourt";
constexpr uint32_t OPTION_WANTS_IDLE = 8;

int32_t ConnectToHost(const hostrecords::PluginInitMessage *information)
{
    hostCookie = information->appCookie;
    hostAppProc = information->appProc;

    LoadSkinResources();

    PlayerMessageRecord record = {};
    hostrecords::RegisterVisualBody &body = record.body.registerVisual;
    body.name[0] = sizeof PLUGIN_NAME - 1;
    memcpy(body.name + 1, PLUGIN_NAME, sizeof PLUGIN_NAME - 1);
    body.options = OPTION_WANTS_IDLE;
    body.handler = reinterpret_cast<void *>(&VisualHandler);
    return RegisterWithHost(&record);
}

} // namespace

int32_t CallHost(PlayerMessageRecord *record, uint32_t message)
{
    PlayerMessageRecord blank = {};
    if (!record)
        record = &blank;
    record->header.messageMajorVersion = hostrecords::MESSAGE_MAJOR_VERSION;
    record->header.messageMinorVersion = hostrecords::MESSAGE_MINOR_VERSION;
    record->header.messageInfoSize = sizeof *record;
    return hostAppProc(hostCookie, message, record);
}

int32_t RegisterWithHost(PlayerMessageRecord *record)
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
    return ConnectToHost(static_cast<const hostrecords::PluginInitMessage *>(information));
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
