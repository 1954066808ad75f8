// The few Windows Runtime interfaces the media controls use, declared by hand:
// the compiler's headers have none of them. Each interface lists every
// method up to the last one called, in the order of Microsoft's metadata,
// since only the order fixes a method's place in the table. The entry points
// of the runtime are looked up in combase.dll when a session starts, so the
// module imports nothing that Windows 7 lacks.
#pragma once
#include <windows.h>

#include <asyncinfo.h>
#include <eventtoken.h>
#include <hstring.h>
#include <inspectable.h>
#include <objbase.h>

#include <cstdint>

namespace mediacontrols {

// ---- interface ids (Microsoft's documentation and metadata) -----------------

constexpr GUID IID_CONTROLS_INTEROP = {0xddb0472d, 0xc911, 0x4a1f, {0x86, 0xd9, 0xdc, 0x3d, 0x71, 0xa9, 0x5f, 0x5a}};
constexpr GUID IID_CONTROLS = {0x99fa3ff4, 0x1742, 0x42a6, {0x90, 0x2e, 0x08, 0x7d, 0x41, 0xf9, 0x65, 0xec}};
constexpr GUID IID_CONTROLS_2 = {0xea98d2f6, 0x7f3c, 0x4af2, {0xa5, 0x86, 0x72, 0x88, 0x98, 0x08, 0xef, 0xb1}};
constexpr GUID IID_DISPLAY_UPDATER = {0x8abbc53e, 0xfa55, 0x4ecf, {0xad, 0x8e, 0xc9, 0x84, 0xe5, 0xdd, 0x15, 0x50}};
constexpr GUID IID_MUSIC_PROPERTIES = {0x6bbf0c59, 0xd0a0, 0x4d26, {0x92, 0xa0, 0xf9, 0x78, 0xe1, 0xd1, 0x8e, 0x7b}};
constexpr GUID IID_MUSIC_PROPERTIES_2 = {0x00368462, 0x97d3, 0x44b9, {0xb0, 0x0f, 0x00, 0x8a, 0xfc, 0xef, 0xaf, 0x18}};
constexpr GUID IID_TIMELINE = {0x5125316a, 0xc3a2, 0x475b, {0x85, 0x07, 0x93, 0x53, 0x4d, 0xc8, 0x8f, 0x15}};
constexpr GUID IID_BUTTON_PRESSED_ARGS = {0xb7f47116, 0xa56f, 0x4dc8, {0x9e, 0x11, 0x92, 0x03, 0x1f, 0x4a, 0x87, 0xc2}};
// TypedEventHandler<SystemMediaTransportControls, ButtonPressedEventArgs>
constexpr GUID IID_BUTTON_PRESSED_HANDLER = {0x0557e996, 0x7b23, 0x5bae, {0xaa, 0x81, 0xea, 0x0d, 0x67, 0x11, 0x43, 0xa4}};
constexpr GUID IID_STORAGE_FILE = {0xfa3f6186, 0x4214, 0x428c, {0xa6, 0x4c, 0x14, 0xc9, 0xac, 0x73, 0x15, 0xea}};
constexpr GUID IID_STORAGE_FILE_STATICS = {0x5984c710, 0xdaf2, 0x43c8, {0x8b, 0xb4, 0xa4, 0xd3, 0xea, 0xcf, 0xd0, 0x3f}};
// IAsyncOperation<StorageFile> and AsyncOperationCompletedHandler<StorageFile>
constexpr GUID IID_STORAGE_FILE_OPERATION = {0x5e52f8ce, 0xaced, 0x5a42, {0x95, 0xb4, 0xf6, 0x74, 0xdd, 0x84, 0x88, 0x5e}};
constexpr GUID IID_STORAGE_FILE_OPERATION_HANDLER = {0xe521c894, 0x2c26, 0x5946, {0x9e, 0x61, 0x2b, 0x5e, 0x18, 0x8d, 0x01, 0xed}};
constexpr GUID IID_STREAM_REFERENCE_STATICS = {0x857309dc, 0x3fbf, 0x4e7d, {0x98, 0x6f, 0xef, 0x3b, 0x1a, 0x07, 0xa9, 0x64}};
constexpr GUID IID_STREAM_REFERENCE = {0x33ee3134, 0x1dd6, 0x4e3a, {0x80, 0x67, 0xd1, 0xc1, 0x62, 0xe8, 0x64, 0x2b}};
constexpr GUID IID_ASYNC_INFO = {0x00000036, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// The marker that tells the runtime an object may be called from any thread.
constexpr GUID IID_AGILE_OBJECT = {0x94ea2b94, 0xe9cc, 0x49e0, {0xc0, 0xff, 0xee, 0x64, 0xca, 0x8f, 0x5b, 0x90}};
constexpr GUID IID_UNKNOWN = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID IID_INSPECTABLE = {0xaf86e2e0, 0xb12d, 0x4c6a, {0x9c, 0x5a, 0xd7, 0xaa, 0x65, 0x10, 0x1e, 0x90}};

constexpr wchar_t CLASS_CONTROLS[] = L"Windows.Media.SystemMediaTransportControls";
constexpr wchar_t CLASS_TIMELINE[] = L"Windows.Media.SystemMediaTransportControlsTimelineProperties";
constexpr wchar_t CLASS_STORAGE_FILE[] = L"Windows.Storage.StorageFile";
constexpr wchar_t CLASS_STREAM_REFERENCE[] = L"Windows.Storage.Streams.RandomAccessStreamReference";

// ---- enumerations and values --------------------------------------------------

enum PlaybackStatus : int32_t { STATUS_CLOSED = 0, STATUS_CHANGING = 1, STATUS_STOPPED = 2, STATUS_PLAYING = 3, STATUS_PAUSED = 4 };
enum PlaybackType : int32_t { TYPE_UNKNOWN = 0, TYPE_MUSIC = 1 };
enum ControlsButton : int32_t {
    BUTTON_PLAY = 0,
    BUTTON_PAUSE = 1,
    BUTTON_STOP = 2,
    BUTTON_RECORD = 3,
    BUTTON_FAST_FORWARD = 4,
    BUTTON_REWIND = 5,
    BUTTON_NEXT = 6,
    BUTTON_PREVIOUS = 7,
};
// Windows.Foundation.TimeSpan: 100-nanosecond units.
struct TimeSpan {
    int64_t duration;
};
constexpr int64_t TIME_UNITS_PER_MS = 10000;

// ---- interfaces -----------------------------------------------------------------

struct IMusicDisplayProperties : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_Title(HSTRING *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Title(HSTRING value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AlbumArtist(HSTRING *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AlbumArtist(HSTRING value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Artist(HSTRING *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Artist(HSTRING value) = 0;
};

struct IMusicDisplayProperties2 : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_AlbumTitle(HSTRING *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AlbumTitle(HSTRING value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TrackNumber(UINT32 *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TrackNumber(UINT32 value) = 0;
};

struct IRandomAccessStreamReference : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE OpenReadAsync(IInspectable **operation) = 0;
};

struct ISystemMediaTransportControlsDisplayUpdater : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_Type(PlaybackType *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Type(PlaybackType value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AppMediaId(HSTRING *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AppMediaId(HSTRING value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Thumbnail(IRandomAccessStreamReference **value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Thumbnail(IRandomAccessStreamReference *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MusicProperties(IMusicDisplayProperties **value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_VideoProperties(IInspectable **value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ImageProperties(IInspectable **value) = 0;
    virtual HRESULT STDMETHODCALLTYPE CopyFromFileAsync(PlaybackType type, IInspectable *source,
                                                        IInspectable **operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE ClearAll() = 0;
    virtual HRESULT STDMETHODCALLTYPE Update() = 0;
};

struct ISystemMediaTransportControls;

struct ISystemMediaTransportControlsButtonPressedEventArgs : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_Button(ControlsButton *value) = 0;
};

// TypedEventHandler<SystemMediaTransportControls, ButtonPressedEventArgs>
struct IButtonPressedHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ISystemMediaTransportControls *sender,
                                             ISystemMediaTransportControlsButtonPressedEventArgs *args) = 0;
};

struct ISystemMediaTransportControls : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackStatus(PlaybackStatus *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PlaybackStatus(PlaybackStatus value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DisplayUpdater(ISystemMediaTransportControlsDisplayUpdater **value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SoundLevel(int32_t *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPlayEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsPlayEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsStopEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsStopEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPauseEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsPauseEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsRecordEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsRecordEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsFastForwardEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsFastForwardEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsRewindEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsRewindEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPreviousEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsPreviousEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsNextEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsNextEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsChannelUpEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsChannelUpEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsChannelDownEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsChannelDownEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_ButtonPressed(IButtonPressedHandler *handler,
                                                        EventRegistrationToken *token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_ButtonPressed(EventRegistrationToken token) = 0;
};

struct ISystemMediaTransportControlsTimelineProperties : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_StartTime(TimeSpan *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_StartTime(TimeSpan value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EndTime(TimeSpan *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_EndTime(TimeSpan value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MinSeekTime(TimeSpan *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MinSeekTime(TimeSpan value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MaxSeekTime(TimeSpan *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MaxSeekTime(TimeSpan value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Position(TimeSpan *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Position(TimeSpan value) = 0;
};

struct ISystemMediaTransportControls2 : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_AutoRepeatMode(int32_t *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AutoRepeatMode(int32_t value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ShuffleEnabled(boolean *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ShuffleEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackRate(double *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PlaybackRate(double value) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    UpdateTimelineProperties(ISystemMediaTransportControlsTimelineProperties *timelineProperties) = 0;
};

// An HWND's controls; the activation factory of the controls' class has it.
struct ISystemMediaTransportControlsInterop : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE GetForWindow(HWND appWindow, REFIID riid, void **mediaTransportControl) = 0;
};

// The StorageFile class; only handed on, never called.
struct IStorageFile : IInspectable {};

struct IStorageFileOperation;
// AsyncOperationCompletedHandler<StorageFile>
struct IStorageFileOperationHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(IStorageFileOperation *operation, AsyncStatus status) = 0;
};

// IAsyncOperation<StorageFile>
struct IStorageFileOperation : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE put_Completed(IStorageFileOperationHandler *handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Completed(IStorageFileOperationHandler **handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetResults(IStorageFile **results) = 0;
};

struct IStorageFileStatics : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE GetFileFromPathAsync(HSTRING path, IStorageFileOperation **operation) = 0;
};

struct IRandomAccessStreamReferenceStatics : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE CreateFromFile(IStorageFile *file, IRandomAccessStreamReference **reference) = 0;
};

// ---- the runtime's entry points, from combase.dll -------------------------------

// CO_MTA_USAGE_COOKIE, which the headers declare only for Windows 8 builds.
struct ApartmentUsage__;
using ApartmentUsage = ApartmentUsage__ *;

struct RuntimeEntryPoints {
    HRESULT(WINAPI *RoGetActivationFactory)(HSTRING activatableClassId, REFIID iid, void **factory);
    HRESULT(WINAPI *RoActivateInstance)(HSTRING activatableClassId, IInspectable **instance);
    HRESULT(WINAPI *WindowsCreateString)(const wchar_t *sourceString, UINT32 length, HSTRING *string);
    HRESULT(WINAPI *WindowsDeleteString)(HSTRING string);
    HRESULT(WINAPI *CoIncrementMTAUsage)(ApartmentUsage *cookie);
    HRESULT(WINAPI *CoDecrementMTAUsage)(ApartmentUsage cookie);
};

// Filled by LoadRuntime and kept: the addresses stay valid while any
// reference on combase.dll is held.
extern RuntimeEntryPoints Runtime;

// A reference on combase.dll with every entry point found, or nullptr
// (Windows 7, or a system without one of them). FreeLibrary gives it back.
HMODULE LoadRuntime();

// A runtime string made from a zero-terminated text, deleted with it.
class RuntimeString {
public:
    explicit RuntimeString(const wchar_t *text);
    ~RuntimeString();
    RuntimeString(const RuntimeString &) = delete;
    RuntimeString &operator=(const RuntimeString &) = delete;
    HSTRING Get() const { return string; }

private:
    HSTRING string = nullptr;
};

// An interface pointer owned by its holder, released with it.
template <typename T> class Ref {
public:
    Ref() = default;
    ~Ref() { Reset(); }
    Ref(const Ref &) = delete;
    Ref &operator=(const Ref &) = delete;
    T *Get() const { return pointer; }
    T *operator->() const { return pointer; }
    explicit operator bool() const { return pointer != nullptr; }
    // For a call that hands out a new reference.
    T **Put()
    {
        Reset();
        return &pointer;
    }
    void **PutVoid() { return reinterpret_cast<void **>(Put()); }
    void Reset()
    {
        if (pointer)
            pointer->Release();
        pointer = nullptr;
    }
    // Another interface of the same object, or false.
    template <typename U> bool As(const GUID &iid, Ref<U> &other) const
    {
        return pointer && SUCCEEDED(pointer->QueryInterface(iid, other.PutVoid())) && other;
    }

private:
    T *pointer = nullptr;
};

// Objects of the module handed to the runtime (event handlers), counted
// while the runtime holds one: its code must stay mapped until the last is
// released.
void HeldByRuntime();
// The object's last reference went: the last thing its Release does.
void LetGoByRuntime();
// Waits up to timeoutMs, letting sent messages through, until no such
// object is held; false when some still are.
bool WaitUntilRuntimeLetsGo(DWORD timeoutMs);

// The IUnknown of a handler the module hands to the runtime (Derived, of
// the interface with id HandlerIid): agile, so that the runtime calls it on
// whichever thread raises the event, counted while it lives, and deleted
// by its last Release.
template <typename Derived, typename Interface, const GUID &HandlerIid> class Handler : public Interface {
public:
    Handler() { HeldByRuntime(); }
    Handler(const Handler &) = delete;
    Handler &operator=(const Handler &) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_UNKNOWN || iid == HandlerIid || iid == IID_AGILE_OBJECT) {
            AddRef();
            *object = static_cast<Interface *>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references)); }

    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&references);
        if (left == 0) {
            delete static_cast<Derived *>(this);
            LetGoByRuntime();
        }
        return ULONG(left);
    }

private:
    volatile LONG references = 1;
};

} // namespace mediacontrols
