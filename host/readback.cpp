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

namespace {

template <typename Text> Text ClipboardData(UINT format, const Text &unopened, const Text &none)
{
    using Character = typename Text::value_type;
    if (!OpenClipboard(nullptr))
        return unopened;
    Text text = none;
    if (HANDLE data = GetClipboardData(format)) {
        if (const auto *characters = static_cast<const Character *>(GlobalLock(data))) {
            size_t room = GlobalSize(data) / sizeof(Character), length = 0;
            while (length < room && characters[length])
                ++length;
            text.assign(characters, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

std::string ClipboardText()
{
    return ClipboardData<std::string>(CF_TEXT, "(not opened)", "(none)");
}

std::wstring ClipboardUnicodeText()
{
    return ClipboardData<std::wstring>(CF_UNICODETEXT, L"(not opened)", L"(none)");
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

std::wstring WindowTextW(HWND window)
{
    if (!window)
        return L"(no window)";
    wchar_t text[2048] = L"";
    GetWindowTextW(window, text, 2048);
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
