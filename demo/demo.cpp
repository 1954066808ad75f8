// The main job: the plug-in inside the substitute host, driven as the host
// drives it, printing what the host saw.
#include <cstdio>
#include <cstring>

#include "host.h"
#include "msglog.h"
#include "demo.h"
#include "screenshot.h"

namespace {

const char *const FLAG_NAMES[] = {"Skin", "Multimedia", "Clipboard", "TopmostMin", "TopmostAlways",
                                  "ShowInAltTab", "WinAmp", "File", "CaptionText", "Menu",
                                  "Tray", "NeverTaskbar", "Offset", "ToolwindowMinimode", "Cover", "Version"};

void PrintRegistration()
{
    namespace call = host::layout::call;
    for (const host::AppCall &made : host::appCalls) {
        const uint8_t *record = made.record.data();
        auto word = [&](size_t offset) { return host::layout::ReadAt<uint32_t>(record, offset); };
        if (made.message == host::Code("rvis")) {
            namespace at = host::layout::rvis;
            printf("registration \"rvis\" (interface 10.5): header %u.%u, %u bytes; name \"%.*s\"; options %u; "
                   "handler %p\n",
                   word(call::MAJOR), word(call::MINOR), word(call::SIZE_FIELD), record[at::NAME],
                   reinterpret_cast<const char *>(record + at::NAME + 1), word(at::OPTIONS),
                   host::layout::ReadAt<void *>(record, at::HANDLER));
        } else if (made.message == host::Code("regv")) {
            namespace at = host::layout::regv;
            wchar_t name[256] = {};
            uint16_t length = host::layout::ReadAt<uint16_t>(record, at::NAME);
            memcpy(name, record + at::NAME + 2, (length < 255 ? length : 255) * 2u);
            printf("registration 'regv' (interface 2.0): header %u.%u, %u bytes; name \"%ls\" (UTF-16); "
                   "options %u; handler %p\n",
                   word(call::MAJOR), word(call::MINOR), word(call::SIZE_FIELD), name, word(at::OPTIONS),
                   host::layout::ReadAt<void *>(record, at::HANDLER));
        }
    }
}

void PrintSettings()
{
    printf("settings in HKCU\\%s:\n", host::SETTINGS_KEY);
    for (const char *name : FLAG_NAMES) {
        DWORD value;
        if (host::ReadSettingDword(name, &value))
            printf("  %-18s %lu\n", name, (unsigned long)value);
        else
            printf("  %-18s (missing)\n", name);
    }
}

} // namespace

int main(int argc, char **argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc > 1 && strcmp(argv[1], SCALED_SKIN_ARGUMENT) == 0)
        return ShowSkinAtDoubleScale();
    // First, while this process has no window that the module looks for.
    host::ProgramRun scaled = host::RunProgramAtDpi(192, "demo", {SCALED_SKIN_ARGUMENT});
    printf("%s", scaled.output.c_str());
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "Bramblecourt demo";
    CreateDirectoryA(folder.c_str(), nullptr);
    host::SetHostExecutablePath((folder + "\\iTunes.exe").c_str());
    // The prefix is shared with the tests: start from a first start-up.
    host::ResetSettings();

    // Unicode windows, as the player's: the caption shows any title.
    host::WindowPlacement placement;
    placement.unicode = true;
    if (!host::CreateHostWindows(placement) || !host::LoadPlugin()) {
        printf("could not start the substitute host with Bramblecourt.dll\n");
        return 1;
    }
    printf("a %d-bit player announcing interface %s\n", int(sizeof(void *) * 8),
           host::hostInterface == host::INTERFACE_2_0 ? "2.0 (plug-in messages 10.9)" : "10.5");
    printf("\"init\" returned %d\n", host::Init());
    PrintRegistration();

    EnableNowPlayingOutputs();
    printf("\"null\" returned %d (start-up)\n", host::Idle());
    host::PumpFor(600);
    PrintSettings();

    host::Track track = {"Yellow Submarine", "The Beatles", "Rock", 6, 1966, 160000};
    track.album = "Revolver";
    printf("%s returned %d\n", host::SpeaksInterface2() ? "'Vply'" : "\"vply\"", host::Play(track));
    host::PumpFor(300);
    printf("\"vstp\" returned %d\n", host::Stop());
    host::PumpFor(300);
    ShowNowPlaying(folder);
    ShowSkin();
    // The dialog previews the line for the track last played: one whose
    // title the prefix's fonts show.
    host::Play(track);
    host::PumpFor(300);
    DemoOptionsDialog();
    // The closed dialog's place is painted again by the windows beneath it
    // only once they have handled their paint messages.
    RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    host::PumpUntil([] { return !GetQueueStatus(QS_PAINT); }, 2000);
    RECT desk = {0, 0, 1200, 560};
    if (host::SaveScreenRectPng(desk, DemoOutputPath("desktop.png").c_str()))
        printf("screenshot: %s\n", DemoOutputPath("desktop.png").c_str());
    return 0;
}

std::string DemoOutputPath(const char *fileName)
{
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    return std::string(folder) + "\\" + fileName;
}
