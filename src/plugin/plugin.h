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
constexpr uint32_t CODE_TRACK_CHANGED = FourCharCode("ctrk");
constexpr uint32_t CODE_TRACK_CHANGED_2 = FourCharCode("Ctrk");
constexpr uint32_t CODE_REQUEST_ART = FourCharCode("rart");
constexpr uint32_t CODE_COVER_ART = FourCharCode("Vart");
constexpr uint32_t CODE_STOP = FourCharCode("vstp");
constexpr uint32_t CODE_SET_POSITION = FourCharCode("setp");
constexpr uint32_t CODE_CLEAN_UP = FourCharCode("clr ");

typedef hostrecords::PlayerProc HostAppProc;

extern HINSTANCE moduleInstance;
extern void *hostCookie;
extern HostAppProc hostAppProc;
extern HWND hostMainWindow;
extern HWND hostEqualizerWindow;

// True when the module speaks the newer interface: the 64-bit module always
// (every 64-bit player is of that interface's time), the 32-bit one to a
// player that announced it at "init".
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
// "vply" and "ctrk": hand the track worker the records, the stream's title
// and the format the message carries.
void ForwardPlay(const void *information);
void ForwardTrackChanged(const void *information);
// 'Vply' and 'Ctrk': the same from the newer interface's messages, the 8-bit
// record made from the UTF-16 one; each asks for the track's art.
void ForwardPlay2(const void *information);
void ForwardTrackChanged2(const void *information);
// 'Vart': the art's bytes, copied for the worker.
void ForwardCoverArt(const void *information);
// A UTF-16 track record's length when it is in range for this player, else
// 0: the record then counts as not sent.
uint32_t UnicodeRecordLength(const void *record);
// The title of a UTF-16 stream record, and of the 10.5 pair of stream
// records (the UTF-16 one where it came); none for a null record.
struct StreamTitle;
StreamTitle UnicodeStreamTitle(const void *record);
StreamTitle StreamTitleOfPair(const void *narrow, const void *unicode);

extern "C" int32_t __cdecl VisualHandler(uint32_t message, void *information, void *reference);
