// The session: the controls of the host main window, what they show, and
// their life.
//
// Threads and apartments. The host's thread starts and ends a session (at
// start-up, from the options dialog, at "clr "); the track worker alone
// brings it up to date, so the host's thread does no runtime work per track.
// The worker is a short-lived thread of the multithreaded apartment, and
// the controls' class lives in that apartment: the session keeps the
// apartment alive from its start to its last release (CoIncrementMTAUsage),
// so the objects outlive each worker and a thread without an apartment of
// its own (the host's thread, where the player made none) uses them as a
// member of it. The controls and their parts are agile: any thread may call
// them.
//
// The host's thread never waits for the worker here. The session is counted:
// the worker takes a reference for one update, the host's thread gives up
// its own when it ends the session, and whichever lets go last releases the
// objects. The lock only guards taking that reference, never a call.
#include "mediacontrols/mediacontrols.h"

#include <cstring>
#include <new>

#include "mediacontrols/parts.h"
#include "nowplaying/coverart.h"
#include "nowplaying/track.h"
#include "nowplaying/tracktexts.h"
#include "plugin/plugin.h"
#include "settings/settings.h"

namespace mediacontrols {
namespace {

// "clr ": how long Windows is given to let go of the handlers after their
// removal (a press being handled on another thread).
constexpr DWORD LET_GO_WAIT_MS = 1000;
// What a session keeps of the art shown: none, or the art's serial plus one.
constexpr uint64_t NO_ART = 0;

// What the display shows, each text zero-filled behind its end so that two
// displays compare whole.
struct Display {
    wchar_t title[TRACK_TEXT_UNITS];
    wchar_t artist[TRACK_TEXT_UNITS];
    wchar_t albumArtist[TRACK_TEXT_UNITS];
    wchar_t album[TRACK_TEXT_UNITS];
    uint32_t trackNumber;
};

struct Session {
    volatile LONG references = 1; // the host's thread's, until it ends the session
    HMODULE combase = nullptr;
    ApartmentUsage apartment = nullptr;
    HANDLE ending = nullptr; // set when the session ends: a thumbnail wait gives up
    Ref<ISystemMediaTransportControls> controls;
    Ref<ISystemMediaTransportControls2> controls2;
    Ref<ISystemMediaTransportControlsDisplayUpdater> updater;
    Ref<IMusicDisplayProperties> music;
    Ref<IMusicDisplayProperties2> music2;
    Ref<ISystemMediaTransportControlsTimelineProperties> timeline;
    EventRegistrationToken buttonToken = {};
    bool buttonRegistered = false;

    // What the controls show; the worker's once the session is live.
    PlaybackStatus status = STATUS_STOPPED;
    Display display = {};
    bool displayed = false;
    uint64_t artSerial = NO_ART;
    bool artShown = false;
    uint32_t clockChanges = 0;
    bool timelineSet = false;
    ThumbnailFactories thumbnails;
};

SRWLOCK sessionLock = SRWLOCK_INIT;
Session *liveSession;
volatile LONG live;
// A reference on the module from the first session until "clr " finds every
// handler let go: a host that unloads the module without "clr " cannot unmap
// a handler that Windows still calls.
HMODULE moduleHold;

// The buttons a session offers, which are the media keys the hook knows.
constexpr HRESULT (STDMETHODCALLTYPE ISystemMediaTransportControls::*const ENABLED_BUTTONS[])(boolean) = {
    &ISystemMediaTransportControls::put_IsPlayEnabled,
    &ISystemMediaTransportControls::put_IsPauseEnabled,
    &ISystemMediaTransportControls::put_IsStopEnabled,
    &ISystemMediaTransportControls::put_IsNextEnabled,
    &ISystemMediaTransportControls::put_IsPreviousEnabled,
};

// Releases every object, then the apartment and the runtime they need.
void Destroy(Session *session)
{
    session->thumbnails.files.Reset();
    session->thumbnails.references.Reset();
    session->timeline.Reset();
    session->music2.Reset();
    session->music.Reset();
    session->updater.Reset();
    session->controls2.Reset();
    session->controls.Reset();
    if (session->apartment)
        Runtime.CoDecrementMTAUsage(session->apartment);
    if (session->ending)
        CloseHandle(session->ending);
    if (session->combase)
        FreeLibrary(session->combase);
    DeleteThumbnailFiles();
    delete session;
}

void Release(Session *session)
{
    if (InterlockedDecrement(&session->references) == 0)
        Destroy(session);
}

Session *Acquire()
{
    AcquireSRWLockShared(&sessionLock);
    Session *session = liveSession;
    if (session)
        InterlockedIncrement(&session->references);
    ReleaseSRWLockShared(&sessionLock);
    return session;
}

bool LookUpControls(Session &s)
{
    Ref<ISystemMediaTransportControlsInterop> interop;
    RuntimeString name(CLASS_CONTROLS);
    if (!name.Get() || FAILED(Runtime.RoGetActivationFactory(name.Get(), IID_CONTROLS_INTEROP, interop.PutVoid())) ||
        !interop)
        return false;
    if (FAILED(interop->GetForWindow(hostMainWindow, IID_CONTROLS, s.controls.PutVoid())) || !s.controls)
        return false;
    if (FAILED(s.controls->get_DisplayUpdater(s.updater.Put())) || !s.updater ||
        FAILED(s.updater->get_MusicProperties(s.music.Put())) || !s.music)
        return false;
    // The album, the track number and the timeline are shown where Windows
    // has them.
    s.music.As(IID_MUSIC_PROPERTIES_2, s.music2);
    if (s.controls.As(IID_CONTROLS_2, s.controls2)) {
        RuntimeString timelineName(CLASS_TIMELINE);
        Ref<IInspectable> made;
        if (timelineName.Get() && SUCCEEDED(Runtime.RoActivateInstance(timelineName.Get(), made.Put())))
            made.As(IID_TIMELINE, s.timeline);
    }
    return true;
}

bool Begin(Session &s)
{
    s.combase = LoadRuntime();
    if (!s.combase)
        return false;
    if (FAILED(Runtime.CoIncrementMTAUsage(&s.apartment))) {
        s.apartment = nullptr;
        return false;
    }
    s.ending = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!s.ending || !LookUpControls(s))
        return false;
    for (auto enable : ENABLED_BUTTONS)
        (s.controls.Get()->*enable)(true);
    IButtonPressedHandler *handler = NewButtonHandler();
    if (!handler)
        return false;
    s.buttonRegistered = SUCCEEDED(s.controls->add_ButtonPressed(handler, &s.buttonToken));
    handler->Release();
    if (!s.buttonRegistered)
        return false;
    s.controls->put_PlaybackStatus(STATUS_STOPPED);
    return SUCCEEDED(s.controls->put_IsEnabled(true));
}

// The handler goes first, so that no press arrives for a closed session.
void Close(Session &s)
{
    if (s.buttonRegistered)
        s.controls->remove_ButtonPressed(s.buttonToken);
    s.buttonRegistered = false;
    if (s.controls) {
        s.controls->put_PlaybackStatus(STATUS_CLOSED);
        s.controls->put_IsEnabled(false);
    }
}

void HoldModule()
{
    if (!moduleHold &&
        !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&HoldModule),
                            &moduleHold))
        moduleHold = nullptr;
}

// ---- the worker's updates ---------------------------------------------------------

void CopyText(wchar_t (&to)[TRACK_TEXT_UNITS], const wchar_t *from)
{
    lstrcpynW(to, from, TRACK_TEXT_UNITS);
}

// A radio stream's song shows as the outputs show it; its station stands
// where an album would.
Display DisplayOf(const TrackTexts &texts)
{
    Display d = {};
    CopyText(d.title, texts.name);
    CopyText(d.artist, texts.artist);
    CopyText(d.albumArtist, texts.albumArtist);
    CopyText(d.album, texts.album[0] ? texts.album : texts.station);
    d.trackNumber = texts.number > 0 ? uint32_t(texts.number) : 0;
    return d;
}

void ShowDisplay(Session &s, const Display &d)
{
    s.updater->put_Type(TYPE_MUSIC);
    s.music->put_Title(RuntimeString(d.title).Get());
    s.music->put_Artist(RuntimeString(d.artist).Get());
    s.music->put_AlbumArtist(RuntimeString(d.albumArtist).Get());
    if (s.music2) {
        s.music2->put_AlbumTitle(RuntimeString(d.album).Get());
        s.music2->put_TrackNumber(d.trackNumber);
    }
}

TimeSpan Span(uint32_t ms)
{
    return TimeSpan{int64_t(ms) * TIME_UNITS_PER_MS};
}

// A stream, with no length, shows no position either.
void SetTimeline(Session &s, uint32_t totalMs, uint32_t positionMs)
{
    if (positionMs > totalMs)
        positionMs = totalMs;
    s.timeline->put_StartTime(Span(0));
    s.timeline->put_EndTime(Span(totalMs));
    s.timeline->put_MinSeekTime(Span(0));
    s.timeline->put_MaxSeekTime(Span(totalMs));
    s.timeline->put_Position(Span(positionMs));
    s.controls2->UpdateTimelineProperties(s.timeline.Get());
}

void BringUpToDate(Session &s)
{
    // Only this thread changes the clock while a session is live.
    uint32_t clockChanges = ClockChanges();
    ClockState clock = ReadClock();
    PlaybackStatus status = !clock.started ? STATUS_STOPPED : clock.playing ? STATUS_PLAYING : STATUS_PAUSED;
    if (status != s.status && SUCCEEDED(s.controls->put_PlaybackStatus(status)))
        s.status = status;
    if (!clock.started)
        return;

    TrackTexts texts = {};
    ReadTrackTexts(texts);
    Display wanted = DisplayOf(texts);
    // No art before and none now is no change, whatever the serial says.
    uint64_t artSerial = HasCoverArt() ? uint64_t(CoverArtSerial()) + 1 : NO_ART;
    bool artChanged = !s.artShown || artSerial != s.artSerial;
    if (artChanged) {
        Ref<IRandomAccessStreamReference> thumbnail;
        if (artSerial != NO_ART)
            MakeThumbnail(s.thumbnails, s.ending, thumbnail);
        s.updater->put_Thumbnail(thumbnail.Get());
        s.artSerial = artSerial;
        s.artShown = true;
    }
    if (artChanged || !s.displayed || memcmp(&wanted, &s.display, sizeof wanted) != 0) {
        ShowDisplay(s, wanted);
        s.updater->Update();
        s.display = wanted;
        s.displayed = true;
    }
    if (s.timeline && (!s.timelineSet || clockChanges != s.clockChanges)) {
        SetTimeline(s, texts.totalMs, clock.positionMs);
        s.clockChanges = clockChanges;
        s.timelineSet = true;
    }
}

} // namespace
} // namespace mediacontrols

using namespace mediacontrols;

// Where the host's thread is in a single-threaded apartment, the calls into
// the controls' apartment let its messages through while they wait: a click
// on the options dialog's box may come in meanwhile.
void StartMediaControls()
{
    static bool starting;
    if (starting || liveSession || !Settings.MediaControls || !hostMainWindow)
        return;
    auto *session = new (std::nothrow) Session;
    if (!session)
        return;
    starting = true;
    bool begun = Begin(*session);
    starting = false;
    if (!begun || !Settings.MediaControls) {
        Close(*session);
        Destroy(session);
        return;
    }
    HoldModule();
    AcquireSRWLockExclusive(&sessionLock);
    liveSession = session;
    ReleaseSRWLockExclusive(&sessionLock);
    InterlockedExchange(&live, 1);
    // Switched on while a track is known: the worker shows it now rather
    // than at the next message.
    if (trackStarted)
        OnMediaControlsStarted();
}

void EndMediaControls()
{
    InterlockedExchange(&live, 0);
    AcquireSRWLockExclusive(&sessionLock);
    Session *session = liveSession;
    liveSession = nullptr;
    ReleaseSRWLockExclusive(&sessionLock);
    if (!session)
        return;
    SetEvent(session->ending);
    Close(*session);
    Release(session);
}

bool FinishMediaControls()
{
    EndMediaControls();
    if (!WaitUntilRuntimeLetsGo(LET_GO_WAIT_MS))
        return false;
    if (moduleHold)
        FreeLibrary(moduleHold);
    moduleHold = nullptr;
    return true;
}

void UpdateMediaControls()
{
    if (Session *session = Acquire()) {
        BringUpToDate(*session);
        Release(session);
    }
}

bool MediaControlsLive()
{
    return InterlockedCompareExchange(&live, 0, 0) != 0;
}
