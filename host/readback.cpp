// What a user or another program reads of the outputs, for the tests, the
// demo and the benchmarks alike.
#include "host.h"

#include <cstring>

namespace host {

std::string FileBytes(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
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

std::string ClipboardBytes(UINT format)
{
    if (!OpenClipboard(nullptr))
        return "(not opened)";
    std::string bytes = "(none)";
    if (HANDLE data = GetClipboardData(format)) {
        if (const char *block = static_cast<const char *>(GlobalLock(data))) {
            bytes.assign(block, GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

std::string ClipboardText()
{
    std::string bytes = ClipboardBytes(CF_TEXT);
    return bytes.substr(0, strnlen(bytes.c_str(), bytes.size()));
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
