// A stand-in for Windows' media controls, which Wine lacks: a real DLL that
// Wine's runtime loads for the classes the module activates once the tests
// register it (host::RegisterMediaControlsStandIn). It keeps a record of
// every call that changes what the controls show, counts its objects and
// the ButtonPressed handlers registered, and raises ButtonPressed from a
// thread of its own, as Windows does. Its answers follow Microsoft's
// documentation; it shows nothing.
#include <windows.h>

#include <activation.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "mediacontrols/winrt.h"

using namespace mediacontrols;

namespace {

// The stand-in's own objects answer this, so that one handed back to it
// (a file, a stream reference) is known for what it is.
constexpr GUID IID_STANDIN_PATH = {0x6e1d1c2a, 0x52a4, 0x4d0b, {0x9a, 0x35, 0x1f, 0x0c, 0x77, 0x2e, 0x41, 0xd3}};
constexpr GUID IID_ACTIVATION_FACTORY = {0x00000035, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
struct IStandInPath : IUnknown {
    virtual const std::wstring &Path() = 0;
};

SRWLOCK lock = SRWLOCK_INIT;
std::vector<std::wstring> calls;
volatile LONG objects;
volatile LONG updates; // display updates since the DLL loaded
std::vector<std::pair<int64_t, IButtonPressedHandler *>> handlers;
int64_t nextToken = 1;
HANDLE filesReleased; // manual-reset; reset while the files are held

void Record(const std::wstring &call)
{
    AcquireSRWLockExclusive(&lock);
    calls.push_back(call);
    ReleaseSRWLockExclusive(&lock);
}

std::wstring TextOf(HSTRING string)
{
    using RawBuffer = const wchar_t *(WINAPI *)(HSTRING, UINT32 *);
    static auto raw = reinterpret_cast<RawBuffer>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"combase.dll"), "WindowsGetStringRawBuffer")));
    UINT32 length = 0;
    const wchar_t *text = string && raw ? raw(string, &length) : nullptr;
    return text ? std::wstring(text, length) : std::wstring();
}

std::wstring Number(long long value)
{
    return std::to_wstring(value);
}

// Counts the stand-in's live objects.
struct Alive {
    Alive() { InterlockedIncrement(&objects); }
    ~Alive() { InterlockedDecrement(&objects); }
};

#define STANDIN_REFERENCES                                                                                             \
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references)); }                   \
    ULONG STDMETHODCALLTYPE Release() override                                                                       \
    {                                                                                                                  \
        LONG left = InterlockedDecrement(&references);                                                                 \
        if (!left)                                                                                                     \
            delete this;                                                                                               \
        return ULONG(left);                                                                                            \
    }                                                                                                                  \
    volatile LONG references = 1;                                                                                      \
    Alive alive;

// The factories live as long as the DLL: their references are not counted.
#define STANDIN_STATIC_REFERENCES                                                                                      \
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }                                                          \
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

#define STANDIN_INSPECTABLE                                                                                            \
    HRESULT STDMETHODCALLTYPE GetIids(ULONG *count, IID **iids) override                                             \
    {                                                                                                                  \
        *count = 0;                                                                                                    \
        *iids = nullptr;                                                                                               \
        return S_OK;                                                                                                   \
    }                                                                                                                  \
    HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING *name) override                                            \
    {                                                                                                                  \
        *name = nullptr;                                                                                               \
        return E_NOTIMPL;                                                                                              \
    }                                                                                                                  \
    HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel *level) override                                              \
    {                                                                                                                  \
        *level = BaseTrust;                                                                                            \
        return S_OK;                                                                                                   \
    }

template <typename T> HRESULT Answer(T *object, void **out)
{
    object->AddRef();
    *out = object;
    return S_OK;
}

bool IsUnknownOrInspectable(REFIID iid)
{
    return iid == IID_UNKNOWN || iid == IID_INSPECTABLE || iid == IID_AGILE_OBJECT;
}

// ---- the display ------------------------------------------------------------------

class MusicProperties final : public IMusicDisplayProperties, public IMusicDisplayProperties2 {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_MUSIC_PROPERTIES)
            return Answer(static_cast<IMusicDisplayProperties *>(this), out);
        if (iid == IID_MUSIC_PROPERTIES_2)
            return Answer(static_cast<IMusicDisplayProperties2 *>(this), out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE get_Title(HSTRING *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Title(HSTRING value) override { return Put(L"Title", title, value); }
    HRESULT STDMETHODCALLTYPE get_AlbumArtist(HSTRING *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_AlbumArtist(HSTRING value) override { return Put(L"AlbumArtist", albumArtist, value); }
    HRESULT STDMETHODCALLTYPE get_Artist(HSTRING *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Artist(HSTRING value) override { return Put(L"Artist", artist, value); }
    HRESULT STDMETHODCALLTYPE get_AlbumTitle(HSTRING *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_AlbumTitle(HSTRING value) override { return Put(L"AlbumTitle", album, value); }
    HRESULT STDMETHODCALLTYPE get_TrackNumber(UINT32 *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_TrackNumber(UINT32 value) override
    {
        trackNumber = value;
        Record(L"TrackNumber " + Number(value));
        return S_OK;
    }

    std::wstring Shown() const
    {
        return L"title=" + title + L" artist=" + artist + L" albumArtist=" + albumArtist + L" album=" + album +
               L" track=" + Number(trackNumber);
    }

private:
    HRESULT Put(const wchar_t *name, std::wstring &field, HSTRING value)
    {
        field = TextOf(value);
        Record(std::wstring(name) + L" " + field);
        return S_OK;
    }
    std::wstring title, artist, albumArtist, album;
    UINT32 trackNumber = 0;
};

// "WxH" of a PNG file as it is now, from its header; what is wrong with it
// otherwise.
std::wstring PngSize(const std::wstring &path)
{
    FILE *file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return L"(no file)";
    unsigned char header[24] = {};
    size_t got = fread(header, 1, sizeof header, file);
    fclose(file);
    if (got != sizeof header || memcmp(header, "\x89PNG\r\n\x1a\n", 8) != 0 || memcmp(header + 12, "IHDR", 4) != 0)
        return L"(not a PNG)";
    auto word = [&](int at) { return long(header[at]) << 24 | long(header[at + 1]) << 16 | header[at + 2] << 8 | header[at + 3]; };
    return Number(word(16)) + L"x" + Number(word(20));
}

class DisplayUpdater final : public ISystemMediaTransportControlsDisplayUpdater {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_DISPLAY_UPDATER)
            return Answer(this, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE get_Type(PlaybackType *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Type(PlaybackType value) override
    {
        Record(L"Type " + Number(value));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_AppMediaId(HSTRING *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_AppMediaId(HSTRING) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Thumbnail(IRandomAccessStreamReference **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Thumbnail(IRandomAccessStreamReference *value) override
    {
        thumbnail.clear();
        IStandInPath *own = nullptr;
        if (value && SUCCEEDED(value->QueryInterface(IID_STANDIN_PATH, reinterpret_cast<void **>(&own)))) {
            thumbnail = own->Path();
            own->Release();
        } else if (value) {
            thumbnail = L"(a stream reference of another maker)";
        }
        Record(L"Thumbnail " + (value ? thumbnail : L"none"));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_MusicProperties(IMusicDisplayProperties **value) override
    {
        music->AddRef();
        *value = music;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_VideoProperties(IInspectable **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ImageProperties(IInspectable **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyFromFileAsync(PlaybackType, IInspectable *, IInspectable **) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ClearAll() override
    {
        Record(L"ClearAll");
        return S_OK;
    }
    // The whole display as it stands, the thumbnail's file read now.
    HRESULT STDMETHODCALLTYPE Update() override
    {
        InterlockedIncrement(&updates);
        Record(L"Update " + music->Shown() + L" thumbnail=" + (thumbnail.empty() ? L"none" : PngSize(thumbnail)));
        return S_OK;
    }
    ~DisplayUpdater() { music->Release(); }

private:
    MusicProperties *music = new MusicProperties;
    std::wstring thumbnail;
};

// ---- the controls -----------------------------------------------------------------

class ButtonArgs final : public ISystemMediaTransportControlsButtonPressedEventArgs {
public:
    explicit ButtonArgs(ControlsButton button) : button(button) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_BUTTON_PRESSED_ARGS)
            return Answer(this, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE get_Button(ControlsButton *value) override
    {
        *value = button;
        return S_OK;
    }

private:
    ControlsButton button;
};

std::wstring Milliseconds(ISystemMediaTransportControlsTimelineProperties *timeline,
                          HRESULT (STDMETHODCALLTYPE ISystemMediaTransportControlsTimelineProperties::*get)(TimeSpan *))
{
    TimeSpan span = {};
    (timeline->*get)(&span);
    return Number(span.duration / TIME_UNITS_PER_MS);
}

class Controls final : public ISystemMediaTransportControls, public ISystemMediaTransportControls2 {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_CONTROLS)
            return Answer(static_cast<ISystemMediaTransportControls *>(this), out);
        if (iid == IID_CONTROLS_2)
            return Answer(static_cast<ISystemMediaTransportControls2 *>(this), out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE get_PlaybackStatus(PlaybackStatus *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_PlaybackStatus(PlaybackStatus value) override { return Flag(L"PlaybackStatus", value); }
    HRESULT STDMETHODCALLTYPE get_DisplayUpdater(ISystemMediaTransportControlsDisplayUpdater **value) override
    {
        updater->AddRef();
        *value = updater;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_SoundLevel(int32_t *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_IsEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsEnabled(boolean value) override { return Flag(L"IsEnabled", value); }
    HRESULT STDMETHODCALLTYPE get_IsPlayEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsPlayEnabled(boolean value) override { return Flag(L"IsPlayEnabled", value); }
    HRESULT STDMETHODCALLTYPE get_IsStopEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsStopEnabled(boolean value) override { return Flag(L"IsStopEnabled", value); }
    HRESULT STDMETHODCALLTYPE get_IsPauseEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsPauseEnabled(boolean value) override { return Flag(L"IsPauseEnabled", value); }
    HRESULT STDMETHODCALLTYPE get_IsRecordEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsRecordEnabled(boolean value) override { return Flag(L"IsRecordEnabled", value); }
    HRESULT STDMETHODCALLTYPE get_IsFastForwardEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsFastForwardEnabled(boolean value) override
    {
        return Flag(L"IsFastForwardEnabled", value);
    }
    HRESULT STDMETHODCALLTYPE get_IsRewindEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsRewindEnabled(boolean value) override { return Flag(L"IsRewindEnabled", value); }
    HRESULT STDMETHODCALLTYPE get_IsPreviousEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsPreviousEnabled(boolean value) override { return Flag(L"IsPreviousEnabled", value); }
    HRESULT STDMETHODCALLTYPE get_IsNextEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsNextEnabled(boolean value) override { return Flag(L"IsNextEnabled", value); }
    HRESULT STDMETHODCALLTYPE get_IsChannelUpEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsChannelUpEnabled(boolean value) override { return Flag(L"IsChannelUpEnabled", value); }
    HRESULT STDMETHODCALLTYPE get_IsChannelDownEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_IsChannelDownEnabled(boolean value) override
    {
        return Flag(L"IsChannelDownEnabled", value);
    }
    HRESULT STDMETHODCALLTYPE add_ButtonPressed(IButtonPressedHandler *handler, EventRegistrationToken *token) override
    {
        if (!handler || !token)
            return E_INVALIDARG;
        handler->AddRef();
        AcquireSRWLockExclusive(&lock);
        token->value = nextToken++;
        handlers.emplace_back(token->value, handler);
        ReleaseSRWLockExclusive(&lock);
        Record(L"add_ButtonPressed");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE remove_ButtonPressed(EventRegistrationToken token) override
    {
        IButtonPressedHandler *removed = nullptr;
        AcquireSRWLockExclusive(&lock);
        for (auto it = handlers.begin(); it != handlers.end(); ++it)
            if (it->first == token.value) {
                removed = it->second;
                handlers.erase(it);
                break;
            }
        ReleaseSRWLockExclusive(&lock);
        Record(L"remove_ButtonPressed");
        if (removed)
            removed->Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_AutoRepeatMode(int32_t *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_AutoRepeatMode(int32_t) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ShuffleEnabled(boolean *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ShuffleEnabled(boolean) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_PlaybackRate(double *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_PlaybackRate(double) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UpdateTimelineProperties(ISystemMediaTransportControlsTimelineProperties *t) override
    {
        if (!t)
            return E_INVALIDARG;
        using T = ISystemMediaTransportControlsTimelineProperties;
        Record(L"Timeline start=" + Milliseconds(t, &T::get_StartTime) + L" end=" + Milliseconds(t, &T::get_EndTime) +
               L" minSeek=" + Milliseconds(t, &T::get_MinSeekTime) + L" maxSeek=" +
               Milliseconds(t, &T::get_MaxSeekTime) + L" position=" + Milliseconds(t, &T::get_Position));
        return S_OK;
    }
    ~Controls() { updater->Release(); }

private:
    HRESULT Flag(const wchar_t *name, int value)
    {
        Record(std::wstring(name) + L" " + Number(value));
        return S_OK;
    }
    DisplayUpdater *updater = new DisplayUpdater;
};

class Timeline final : public ISystemMediaTransportControlsTimelineProperties {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_TIMELINE)
            return Answer(this, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE get_StartTime(TimeSpan *v) override { return Get(start, v); }
    HRESULT STDMETHODCALLTYPE put_StartTime(TimeSpan v) override { return Set(start, v); }
    HRESULT STDMETHODCALLTYPE get_EndTime(TimeSpan *v) override { return Get(end, v); }
    HRESULT STDMETHODCALLTYPE put_EndTime(TimeSpan v) override { return Set(end, v); }
    HRESULT STDMETHODCALLTYPE get_MinSeekTime(TimeSpan *v) override { return Get(minSeek, v); }
    HRESULT STDMETHODCALLTYPE put_MinSeekTime(TimeSpan v) override { return Set(minSeek, v); }
    HRESULT STDMETHODCALLTYPE get_MaxSeekTime(TimeSpan *v) override { return Get(maxSeek, v); }
    HRESULT STDMETHODCALLTYPE put_MaxSeekTime(TimeSpan v) override { return Set(maxSeek, v); }
    HRESULT STDMETHODCALLTYPE get_Position(TimeSpan *v) override { return Get(position, v); }
    HRESULT STDMETHODCALLTYPE put_Position(TimeSpan v) override { return Set(position, v); }

private:
    static HRESULT Get(TimeSpan field, TimeSpan *value)
    {
        *value = field;
        return S_OK;
    }
    static HRESULT Set(TimeSpan &field, TimeSpan value)
    {
        field = value;
        return S_OK;
    }
    TimeSpan start = {}, end = {}, minSeek = {}, maxSeek = {}, position = {};
};

// ---- files and stream references --------------------------------------------------

class StorageFile final : public IStorageFile, public IStandInPath {
public:
    explicit StorageFile(std::wstring path) : path(std::move(path)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_STORAGE_FILE)
            return Answer(static_cast<IStorageFile *>(this), out);
        if (iid == IID_STANDIN_PATH)
            return Answer(static_cast<IStandInPath *>(this), out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_REFERENCES
    STANDIN_INSPECTABLE
    const std::wstring &Path() override { return path; }

private:
    std::wstring path;
};

class StreamReference final : public IRandomAccessStreamReference, public IStandInPath {
public:
    explicit StreamReference(std::wstring path) : path(std::move(path)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_STREAM_REFERENCE)
            return Answer(static_cast<IRandomAccessStreamReference *>(this), out);
        if (iid == IID_STANDIN_PATH)
            return Answer(static_cast<IStandInPath *>(this), out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE OpenReadAsync(IInspectable **) override { return E_NOTIMPL; }
    const std::wstring &Path() override { return path; }

private:
    std::wstring path;
};

// Opens on a thread of its own, like Windows' file broker: completes when
// the file exists, fails when it does not, and waits while the tests hold
// the files.
class FileOperation final : public IStorageFileOperation {
public:
    explicit FileOperation(std::wstring path) : path(std::move(path)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_STORAGE_FILE_OPERATION)
            return Answer(this, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE put_Completed(IStorageFileOperationHandler *handler) override
    {
        if (!handler)
            return E_INVALIDARG;
        handler->AddRef();
        AcquireSRWLockExclusive(&lock);
        completed = handler;
        bool ended = status != Started;
        ReleaseSRWLockExclusive(&lock);
        if (ended)
            Complete();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Completed(IStorageFileOperationHandler **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetResults(IStorageFile **file) override
    {
        if (status != Completed)
            return HRESULT(0x8000000E); // E_ILLEGAL_METHOD_CALL: not completed
        *file = new StorageFile(path);
        return S_OK;
    }
    void Start()
    {
        AddRef();
        CloseHandle(CreateThread(nullptr, 0, Open, this, 0, nullptr));
    }

private:
    static DWORD WINAPI Open(void *self)
    {
        auto *operation = static_cast<FileOperation *>(self);
        WaitForSingleObject(filesReleased, INFINITE);
        DWORD attributes = GetFileAttributesW(operation->path.c_str());
        AcquireSRWLockExclusive(&lock);
        operation->status = attributes != INVALID_FILE_ATTRIBUTES ? Completed : Error;
        bool handled = operation->completed != nullptr;
        ReleaseSRWLockExclusive(&lock);
        if (handled)
            operation->Complete();
        operation->Release();
        return 0;
    }
    // Calls the handler once and lets it go.
    void Complete()
    {
        AcquireSRWLockExclusive(&lock);
        IStorageFileOperationHandler *handler = completed;
        completed = nullptr;
        ReleaseSRWLockExclusive(&lock);
        if (handler) {
            handler->Invoke(this, status);
            handler->Release();
        }
    }
    std::wstring path;
    volatile AsyncStatus status = Started;
    IStorageFileOperationHandler *completed = nullptr;
};

// ---- the factories ----------------------------------------------------------------

HRESULT NoInstance(IInspectable **instance)
{
    *instance = nullptr;
    return E_NOTIMPL;
}

class ControlsFactory final : public IActivationFactory, public ISystemMediaTransportControlsInterop {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_ACTIVATION_FACTORY)
            return Answer(static_cast<IActivationFactory *>(this), out);
        if (iid == IID_CONTROLS_INTEROP)
            return Answer(static_cast<ISystemMediaTransportControlsInterop *>(this), out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_STATIC_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE ActivateInstance(IInspectable **instance) override { return NoInstance(instance); }
    // Windows takes only a top-level window of the calling process.
    HRESULT STDMETHODCALLTYPE GetForWindow(HWND window, REFIID iid, void **controls) override
    {
        wchar_t text[32];
        swprintf(text, 32, L"%p", static_cast<void *>(window));
        Record(std::wstring(L"GetForWindow ") + text);
        DWORD process = 0;
        if (!IsWindow(window) || GetAncestor(window, GA_ROOT) != window || !GetWindowThreadProcessId(window, &process) ||
            process != GetCurrentProcessId())
            return E_INVALIDARG;
        auto *made = new Controls;
        HRESULT result = made->QueryInterface(iid, controls);
        static_cast<ISystemMediaTransportControls *>(made)->Release();
        return result;
    }
};

class TimelineFactory final : public IActivationFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_ACTIVATION_FACTORY)
            return Answer(this, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_STATIC_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE ActivateInstance(IInspectable **instance) override
    {
        *instance = new Timeline;
        return S_OK;
    }
};

class StorageFileFactory final : public IActivationFactory, public IStorageFileStatics {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_ACTIVATION_FACTORY)
            return Answer(static_cast<IActivationFactory *>(this), out);
        if (iid == IID_STORAGE_FILE_STATICS)
            return Answer(static_cast<IStorageFileStatics *>(this), out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_STATIC_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE ActivateInstance(IInspectable **instance) override { return NoInstance(instance); }
    HRESULT STDMETHODCALLTYPE GetFileFromPathAsync(HSTRING path, IStorageFileOperation **operation) override
    {
        std::wstring text = TextOf(path);
        Record(L"GetFileFromPathAsync " + text);
        auto *made = new FileOperation(text);
        made->Start();
        *operation = made;
        return S_OK;
    }
};

class StreamReferenceFactory final : public IActivationFactory, public IRandomAccessStreamReferenceStatics {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (IsUnknownOrInspectable(iid) || iid == IID_ACTIVATION_FACTORY)
            return Answer(static_cast<IActivationFactory *>(this), out);
        if (iid == IID_STREAM_REFERENCE_STATICS)
            return Answer(static_cast<IRandomAccessStreamReferenceStatics *>(this), out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STANDIN_STATIC_REFERENCES
    STANDIN_INSPECTABLE
    HRESULT STDMETHODCALLTYPE ActivateInstance(IInspectable **instance) override { return NoInstance(instance); }
    HRESULT STDMETHODCALLTYPE CreateFromFile(IStorageFile *file, IRandomAccessStreamReference **reference) override
    {
        IStandInPath *own = nullptr;
        if (!file || FAILED(file->QueryInterface(IID_STANDIN_PATH, reinterpret_cast<void **>(&own))))
            return E_INVALIDARG;
        Record(L"CreateFromFile " + own->Path());
        *reference = new StreamReference(own->Path());
        own->Release();
        return S_OK;
    }
};

ControlsFactory controlsFactory;
TimelineFactory timelineFactory;
StorageFileFactory storageFileFactory;
StreamReferenceFactory streamReferenceFactory;

DWORD WINAPI RaiseButton(void *button)
{
    AcquireSRWLockShared(&lock);
    std::vector<IButtonPressedHandler *> called;
    for (auto &registered : handlers) {
        registered.second->AddRef();
        called.push_back(registered.second);
    }
    ReleaseSRWLockShared(&lock);
    auto *args = new ButtonArgs(ControlsButton(reinterpret_cast<INT_PTR>(button)));
    for (IButtonPressedHandler *handler : called) {
        handler->Invoke(nullptr, args);
        handler->Release();
    }
    args->Release();
    return 0;
}

} // namespace

extern "C" {

__declspec(dllexport) HRESULT WINAPI DllGetActivationFactory(HSTRING classId, IActivationFactory **factory)
{
    std::wstring name = TextOf(classId);
    *factory = name == CLASS_CONTROLS           ? static_cast<IActivationFactory *>(&controlsFactory)
               : name == CLASS_TIMELINE         ? static_cast<IActivationFactory *>(&timelineFactory)
               : name == CLASS_STORAGE_FILE     ? static_cast<IActivationFactory *>(&storageFileFactory)
               : name == CLASS_STREAM_REFERENCE ? static_cast<IActivationFactory *>(&streamReferenceFactory)
                                                : nullptr;
    return *factory ? S_OK : CLASS_E_CLASSNOTAVAILABLE;
}

__declspec(dllexport) HRESULT WINAPI DllCanUnloadNow()
{
    return S_FALSE;
}

// ---- for the tests ----------------------------------------------------------------

// The record, one call a line; the units the whole record needs.
__declspec(dllexport) int StandInCalls(wchar_t *buffer, int units)
{
    AcquireSRWLockShared(&lock);
    std::wstring all;
    for (const std::wstring &call : calls)
        all += call + L"\n";
    ReleaseSRWLockShared(&lock);
    if (buffer && units > 0)
        lstrcpynW(buffer, all.c_str(), units);
    return int(all.size() + 1);
}

__declspec(dllexport) void StandInClearCalls()
{
    AcquireSRWLockExclusive(&lock);
    calls.clear();
    ReleaseSRWLockExclusive(&lock);
}

__declspec(dllexport) LONG StandInObjects()
{
    return InterlockedCompareExchange(&objects, 0, 0);
}

__declspec(dllexport) LONG StandInUpdates()
{
    return InterlockedCompareExchange(&updates, 0, 0);
}

__declspec(dllexport) LONG StandInHandlers()
{
    AcquireSRWLockShared(&lock);
    LONG count = LONG(handlers.size());
    ReleaseSRWLockShared(&lock);
    return count;
}

// A press of the button: every registered handler is called on a thread of
// the stand-in's own. Returns once they have returned.
__declspec(dllexport) void StandInPress(int button)
{
    HANDLE thread = CreateThread(nullptr, 0, RaiseButton, reinterpret_cast<void *>(INT_PTR(button)), 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

// While held, no file opens.
__declspec(dllexport) void StandInHoldFiles(BOOL hold)
{
    if (hold)
        ResetEvent(filesReleased);
    else
        SetEvent(filesReleased);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void *)
{
    if (reason == DLL_PROCESS_ATTACH)
        filesReleased = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    return TRUE;
}

} // extern "C"
