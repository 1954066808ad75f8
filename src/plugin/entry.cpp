// The module's only export, the loader's notifications and calls into the host.
#include "plugin/plugin.h"

#include <cstring>

#include "nowplaying/track.h"
#include "skin/skin.h"

HINSTANCE moduleInstance;
void *hostCookie;
HostAppProc hostAppProc;

bool hostInterface2;

namespace {

constexpr char PLUGIN_NAME[] = "Bramblecourt";
constexpr uint32_t OPTION_WANTS_IDLE = 8;
constexpr int32_t STATUS_PARAMETER_ERROR = -50;

int32_t ConnectToHost(const hostrecords::PluginInitMessage *information)
{
    hostCookie = information->appCookie;
    hostAppProc = information->appProc;
    hostInterface2 = hostrecords::BUILD_64 ||
                     hostrecords::AnnouncesInterface2(information->majorVersion, information->minorVersion);

    LoadSkinResources();
    return hostInterface2 ? RegisterWithHost2(PLUGIN_NAME, OPTION_WANTS_IDLE)
                          : RegisterWithHost(PLUGIN_NAME, OPTION_WANTS_IDLE);
}

} // namespace

int32_t CallHost(PlayerCallRecord *record, uint32_t message)
{
    PlayerCallRecord blank = {};
    if (!record)
        record = &blank;
    hostrecords::PlayerMessageHeader &header = record->v10_5.header;
    header.messageMajorVersion = hostrecords::MESSAGE_MAJOR_VERSION;
    if (hostInterface2) {
        header.messageMinorVersion = message == CODE_REGISTER_VISUAL_2 ? hostrecords::VISUAL_MINOR_VERSION_2
                                                                       : hostrecords::MESSAGE_MINOR_VERSION_2;
        header.messageInfoSize = sizeof record->v2_0;
    } else {
        header.messageMinorVersion = hostrecords::MESSAGE_MINOR_VERSION;
        header.messageInfoSize = sizeof record->v10_5;
    }
    return hostAppProc(hostCookie, message, record);
}

int32_t RegisterWithHost(const char *name, uint32_t options)
{
    PlayerCallRecord record = {};
    hostrecords::RegisterVisualBody &body = record.v10_5.body.registerVisual;
    size_t length = strnlen(name, sizeof body.name - 1);
    body.name[0] = uint8_t(length);
    memcpy(body.name + 1, name, length);
    body.options = options;
    body.handler = reinterpret_cast<void *>(&VisualHandler);
    return CallHost(&record, CODE_REGISTER_VISUAL);
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
    if (!information)
        return STATUS_PARAMETER_ERROR;
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
