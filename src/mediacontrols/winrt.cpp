// The runtime's entry points, its strings, and the count of the module's
// objects that the runtime holds.
#include "mediacontrols/winrt.h"

namespace mediacontrols {

RuntimeEntryPoints Runtime;

namespace {

// Handlers of ours that the runtime holds a reference on.
volatile LONG heldObjects;

template <typename T> bool Find(HMODULE module, const char *name, T &entry)
{
    entry = reinterpret_cast<T>(reinterpret_cast<void *>(GetProcAddress(module, name)));
    return entry != nullptr;
}

} // namespace

HMODULE LoadRuntime()
{
    // From the system folder only, so that no file of the player's folder
    // can stand in for it.
    HMODULE combase = LoadLibraryExW(L"combase.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!combase)
        return nullptr;
    RuntimeEntryPoints found = {};
    if (Find(combase, "RoGetActivationFactory", found.RoGetActivationFactory) &&
        Find(combase, "RoActivateInstance", found.RoActivateInstance) &&
        Find(combase, "WindowsCreateString", found.WindowsCreateString) &&
        Find(combase, "WindowsDeleteString", found.WindowsDeleteString) &&
        Find(combase, "CoIncrementMTAUsage", found.CoIncrementMTAUsage) &&
        Find(combase, "CoDecrementMTAUsage", found.CoDecrementMTAUsage)) {
        // The same addresses every time: a worker still using them from an
        // earlier session reads the same words.
        Runtime = found;
        return combase;
    }
    FreeLibrary(combase);
    return nullptr;
}

RuntimeString::RuntimeString(const wchar_t *text)
{
    if (FAILED(Runtime.WindowsCreateString(text, UINT32(lstrlenW(text)), &string)))
        string = nullptr;
}

RuntimeString::~RuntimeString()
{
    if (string)
        Runtime.WindowsDeleteString(string);
}

void HeldByRuntime()
{
    InterlockedIncrement(&heldObjects);
}

void LetGoByRuntime()
{
    InterlockedDecrement(&heldObjects);
}

bool WaitUntilRuntimeLetsGo(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (InterlockedCompareExchange(&heldObjects, 0, 0) != 0) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        // A handler running on another thread may be waiting for this one
        // (a window text, a sent message): let that through while waiting.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_SENDMESSAGE);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return true;
}

} // namespace mediacontrols
