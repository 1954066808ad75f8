// What a user or another program reads of the outputs, for the tests, the
// demo and the benchmarks alike.
#include "host.h"

#include <cstring>

namespace host {

// Opened as a reader should: sharing delete too, since a file that was just
// moved into place is still open, for a moment, in the mover's handle with
// the right to delete, and an open that does not share it fails then.
std::string FileBytes(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(missing)";
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

std::string ClipboardText()
{
    if (!OpenClipboard(nullptr))
        return "(not opened)";
    std::string text = "(none)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char *bytes = static_cast<const char *>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::string WindowText(HWND window)
{
    if (!window)
        return "(no window)";
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

} // namespace host
