// The host plug-in glue: the export, calls into the host and the handler of
// the host's messages. Declares what the other subsystems may call.
#pragma once
#include <windows.h>
#include <cstdint>

#include "plugin/hostrecords.h"

// Host message codes: four 8-bit characters, the first in the top byte.
constexpr uint32_t FourCharCode(const char (&text)[5])
{
    return uint32_t(uint8_t(text[0])) << 24 | uint32_t(uint8_t(text[1])) << 16 |
           uint32_t(uint8_t(text[2])) << 8 | uint32_t(uint8_t(text[3]));
}
constexpr uint32_t CODE_INIT = FourCharCode("init");
constexpr uint32_t CODE_REGISTER_VISUAL = FourCharCode("rvis");
constexpr uint32_t CODE_ABOUT = FourCharCode("abou");
constexpr uint32_t CODE_IDLE = FourCharCode("null");
constexpr uint32_t CODE_PLAY = FourCharCode("vply");
constexpr uint32_t CODE_STOP = FourCharCode("vstp");
constexpr uint32_t CODE_SET_POSITION = FourCharCode("setp");
constexpr uint32_t CODE_CLEAN_UP = FourCharCode("clr ");

typedef hostrecords::PlayerProc HostAppProc;

extern HINSTANCE moduleInstance;
extern void *hostCookie;
extern HostAppProc hostAppProc;
extern HWND hostMainWindow;
extern HWND hostEqualizerWindow;

int32_t CallHost(hostrecords::PlayerMessageRecord *record, uint32_t message);
// "clr ", after the threads have ended: the window procedures put back, the
// module's windows destroyed, the caption restored (cleanup.cpp).
void TakeBackFromHost();
int32_t RegisterWithHost(hostrecords::PlayerMessageRecord *record);
void ShowHostAbout();
// "vply": hands the track worker the records and format the message carries.
void ForwardPlay(const void *information);

extern "C" int32_t __cdecl VisualHandler(uint32_t message, void *information, void *reference);
