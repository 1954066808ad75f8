// The clipboard's side of the now-playing outputs: the window that owns what
// the module puts there, and the blocks it hands over.
#include "nowplaying/outputs.h"

#include <cstring>

#include "plugin/plugin.h"

HWND clipboardOwnerWindow;

// A message-only window of a system class on the host's thread. That thread
// pumps, so the WM_DESTROYCLIPBOARD that the next program to empty the
// clipboard sends its owner is answered; and no procedure of the module runs
// for it, so a host that unloads the module without destroying its windows
// leaves nothing to call.
void CreateClipboardOwnerWindow()
{
    clipboardOwnerWindow = CreateWindowExA(0, "Static", "Bramblecourt clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                           nullptr, moduleInstance, nullptr);
}

void DestroyClipboardOwnerWindow()
{
    if (clipboardOwnerWindow)
        DestroyWindow(clipboardOwnerWindow);
    clipboardOwnerWindow = nullptr;
}

bool PutOnClipboard(const ClipboardItem &item)
{
    if (!item.format)
        return false;
    // The clipboard takes only movable memory.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, item.size);
    if (!block)
        return false;
    void *bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return false;
    }
    memcpy(bytes, item.data, item.size);
    GlobalUnlock(block);
    if (SetClipboardData(item.format, block))
        return true;
    // Not taken, so still the module's to free.
    GlobalFree(block);
    return false;
}
