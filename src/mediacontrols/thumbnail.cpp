// The session's thumbnail: the kept cover art written as a PNG file of the
// module's own and handed to the controls as a stream reference on that
// file. A reference made from a file:// address never opens, and the
// system's helpers that wrap a stream in memory are missing on some systems,
// so a real file it is, opened as a StorageFile.
#include "mediacontrols/parts.h"

#include <shlobj.h>

#include <cwchar>
#include <new>

#include "nowplaying/coverart.h"

namespace mediacontrols {
namespace {

// Enough for the overlay and the lock screen, small enough to encode at
// once on every track change.
constexpr unsigned THUMBNAIL_SIDE = 512;
// A local file opens in milliseconds; a system that takes longer shows the
// track without its art rather than late.
constexpr DWORD OPEN_WAIT_MS = 2000;
// Two files in turn: while Windows may still be reading the last one, the
// next is written beside it.
constexpr int SLOTS = 2;
int nextSlot;
// The slots written since their files were last deleted, one bit each.
volatile LONG slotsWritten;

// %LOCALAPPDATA%\Bramblecourt\Cover art N.png
bool ThumbnailPath(int slot, bool createFolder, wchar_t (&path)[MAX_PATH])
{
    wchar_t base[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base)))
        return false;
    int length = swprintf(path, MAX_PATH, L"%ls\\Bramblecourt", base);
    if (length <= 0 || length >= MAX_PATH)
        return false;
    if (createFolder)
        CreateDirectoryW(path, nullptr);
    length = swprintf(path, MAX_PATH, L"%ls\\Bramblecourt\\Cover art %d.png", base, slot + 1);
    return length > 0 && length < MAX_PATH;
}

bool WriteWhole(const wchar_t *path, const uint8_t *bytes, size_t size)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool whole = size <= MAXDWORD && WriteFile(file, bytes, DWORD(size), &written, nullptr) && written == size;
    return CloseHandle(file) && whole;
}

// The art of this moment in the next slot's file; its path.
bool WriteArt(wchar_t (&path)[MAX_PATH])
{
    uint8_t *bytes = nullptr;
    size_t size = 0;
    if (!EncodeCoverArtPng(THUMBNAIL_SIDE, &bytes, &size))
        return false;
    int slot = nextSlot;
    InterlockedOr(&slotsWritten, 1 << slot);
    bool written = ThumbnailPath(slot, true, path) && WriteWhole(path, bytes, size);
    HeapFree(GetProcessHeap(), 0, bytes);
    if (written)
        nextSlot = (slot + 1) % SLOTS;
    return written;
}

// Tells the waiting worker that the file's operation has ended, however it
// ended. Windows may call it after the worker gave up waiting.
class FileOpened final
    : public Handler<FileOpened, IStorageFileOperationHandler, IID_STORAGE_FILE_OPERATION_HANDLER> {
public:
    explicit FileOpened(HANDLE done) : done(done) {}
    ~FileOpened() { CloseHandle(done); }

    HRESULT STDMETHODCALLTYPE Invoke(IStorageFileOperation *, AsyncStatus) override
    {
        SetEvent(done);
        return S_OK;
    }

private:
    HANDLE done;
};

bool LookUpFactories(ThumbnailFactories &f)
{
    if (!f.lookedUp) {
        f.lookedUp = true;
        RuntimeString files(CLASS_STORAGE_FILE), references(CLASS_STREAM_REFERENCE);
        if (!files.Get() || !references.Get() ||
            FAILED(Runtime.RoGetActivationFactory(files.Get(), IID_STORAGE_FILE_STATICS, f.files.PutVoid())) ||
            FAILED(Runtime.RoGetActivationFactory(references.Get(), IID_STREAM_REFERENCE_STATICS,
                                                  f.references.PutVoid()))) {
            f.files.Reset();
            f.references.Reset();
        }
    }
    return f.files && f.references;
}

// Waits for the operation to end, at most OPEN_WAIT_MS and not past
// `ending`. One that has not ended by then is cancelled.
bool WaitForFile(IStorageFileOperation *operation, HANDLE ending)
{
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!done)
        return false;
    auto *handler = new (std::nothrow) FileOpened(done);
    if (!handler) {
        CloseHandle(done);
        return false;
    }
    DWORD woken = WAIT_FAILED;
    if (SUCCEEDED(operation->put_Completed(handler))) {
        HANDLE waits[] = {done, ending};
        woken = WaitForMultipleObjects(2, waits, FALSE, OPEN_WAIT_MS);
    }
    // The handler, and its event, stay as long as the operation holds it.
    handler->Release();
    if (woken == WAIT_OBJECT_0)
        return true;
    IAsyncInfo *info = nullptr;
    if (SUCCEEDED(operation->QueryInterface(IID_ASYNC_INFO, reinterpret_cast<void **>(&info))) && info) {
        info->Cancel();
        info->Release();
    }
    return false;
}

} // namespace

bool MakeThumbnail(ThumbnailFactories &factories, HANDLE ending, Ref<IRandomAccessStreamReference> &thumbnail)
{
    thumbnail.Reset();
    wchar_t path[MAX_PATH];
    if (!LookUpFactories(factories) || !WriteArt(path))
        return false;
    RuntimeString name(path);
    Ref<IStorageFileOperation> operation;
    Ref<IStorageFile> file;
    return name.Get() && SUCCEEDED(factories.files->GetFileFromPathAsync(name.Get(), operation.Put())) &&
           operation && WaitForFile(operation.Get(), ending) && SUCCEEDED(operation->GetResults(file.Put())) &&
           file && SUCCEEDED(factories.references->CreateFromFile(file.Get(), thumbnail.Put())) && thumbnail;
}

void DeleteThumbnailFiles()
{
    LONG written = InterlockedExchange(&slotsWritten, 0);
    for (int slot = 0; slot < SLOTS; ++slot) {
        wchar_t path[MAX_PATH];
        if ((written & (1 << slot)) && ThumbnailPath(slot, false, path))
            DeleteFileW(path);
    }
}

} // namespace mediacontrols
