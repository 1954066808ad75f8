// The host plug-in glue: the export, calls into the host and the handler of
// the host's messages. Declares what the other subsystems may call.
#pragma once
#include <windows.h>
#include <cstdint>

#include "records/hostrecords2.h"

// Host message codes: four 8-bit characters, the first in the top byte.
constexpr uint32_t FourCharCode(const char (&text)[5])
{
    return uint32_t(uint8_t(text[0])) << 24 | uint32_t(uint8_t(text[1])) << 16 |
           uint32_t(uint8_t(text[2])) << 8 | uint32_t(uint8_t(text[3]));
}
constexpr uint32_t CODE_INIT = FourCharCode("init");
constexpr uint32_t CODE_REGISTER_VISUAL = FourCharCode("rvis");
constexpr uint32_t CODE_REGISTER_VISUAL_2 = FourCharCode("regv");
constexpr uint32_t CODE_ABOUT = FourCharCode("abou");
constexpr uint32_t CODE_IDLE = FourCharCode("null");
constexpr uint32_t CODE_PLAY = FourCharCode("vply");
constexpr uint32_t CODE_PLAY_2 = FourCharCode("Vply");
constexpr uint32_t CODE_STOP = FourCharCode("vstp");
constexpr uint32_t CODE_SET_POSITION = FourCharCode("setp");
constexpr uint32_t CODE_CLEAN_UP = FourCharCode("clr ");

typedef hostrecords::PlayerProc HostAppProc;

extern HINSTANCE moduleInstance;
extern void *hostCookie;
extern HostAppProc hostAppProc;
extern HWND hostMainWindow;
extern HWND hostEqualizerWindow;

// True when the player announced the newer interface at "init" and the
// build speaks it (the 64-bit one; the 32-bit one always speaks 10.5).
extern bool hostInterface2;

// A call's record in either interface; both begin with the header, and
// the 'itsz' answer sits at the same place in both.
union PlayerCallRecord {
    hostrecords::PlayerMessageRecord v10_5;
    hostrecords::PlayerMessageRecord2 v2_0;
};
static_assert(offsetof(hostrecords::PlayerMessageRecord, body.itTrackInfoSize) ==
                  offsetof(hostrecords::PlayerMessageRecord2, body.itTrackInfoSize),
              "the 'itsz' answer");
// Calls the player with the header of the interface it speaks; a null
// record sends a blank one.
int32_t CallHost(PlayerCallRecord *record, uint32_t message);
// "clr ", after the threads have ended: the window procedures put back, the
// module's windows destroyed, the caption restored (cleanup.cpp).
void TakeBackFromHost();
// The registration with the handler, in the interface the player speaks.
int32_t RegisterWithHost(const char *name, uint32_t options);
int32_t RegisterWithHost2(const char *name, uint32_t options);
void ShowHostAbout();
// "vply": hands the track worker the records and format the message carries.
void ForwardPlay(const void *information);
// 'Vply': the same from the newer interface's message, the 8-bit record made
// from the UTF-16 one.
void ForwardPlay2(const void *information);
// A UTF-16 track record's length when it is in range for this player, else
// 0: the record then counts as not sent.
uint32_t UnicodeRecordLength(const void *record);

extern "C" int32_t __cdecl VisualHandler(uint32_t message, void *information, void *reference);
