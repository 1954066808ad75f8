// What the skin tests look at: the bars found by their texts, the shapes
// the windows were given, the pixels the bars painted, and the pointer.
#pragma once
#include "harness.h"

namespace skin_support {

inline HWND Bar(HWND parent, const char *text)
{
    return FindWindowExA(parent, nullptr, "Button", text);
}
inline HWND FullBar() { return Bar(host::mainWindow, "Background"); }
inline HWND MiniStrip() { return Bar(host::mainWindow, "MiniBack"); }
inline HWND EqBar() { return Bar(host::equalizerWindow, "eqBackground"); }

// Window coordinates, as SetWindowRgn takes them.
inline bool InShape(HWND window, int x, int y)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    bool inside = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
    DeleteObject(region);
    return inside;
}

inline RECT ChildRect(HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// What the bar shows, after any pending paint.
inline COLORREF Painted(HWND child, int x, int y)
{
    UpdateWindow(child);
    HDC dc = GetDC(child);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(child, dc);
    return colour;
}

// A pixel of one of the module's own bitmaps.
inline COLORREF ImagePixel(int id, int x, int y)
{
    HBITMAP bitmap = LoadBitmapA(host::plugin, MAKEINTRESOURCEA(id));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return colour;
}

// Does the bar show image `id` (width by height from its corner at
// (imageX, imageY)) at (left, top)? Compares every pixel that is not the
// transparent magenta; at a whole `scale`, each with its square of the bar.
inline ::testing::AssertionResult ShowsImage(HWND child, int id, int left, int top, int width, int height,
                                             int imageX = 0, int imageY = 0, int scale = 1)
{
    UpdateWindow(child);
    HBITMAP bitmap = LoadBitmapA(host::plugin, MAKEINTRESOURCEA(id));
    HDC image = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(image, bitmap);
    HDC dc = GetDC(child);
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    for (int y = 0; y < height * scale && result; ++y)
        for (int x = 0; x < width * scale && result; ++x) {
            COLORREF want = GetPixel(image, imageX + x / scale, imageY + y / scale);
            COLORREF got = GetPixel(dc, left + x, top + y);
            if (want != RGB(255, 0, 255) && got != want)
                result = ::testing::AssertionFailure() << "image " << id << " pixel (" << x << ", " << y
                                                       << "): painted " << std::hex << got << ", image " << want;
        }
    ReleaseDC(child, dc);
    SelectObject(image, old);
    DeleteDC(image);
    DeleteObject(bitmap);
    return result;
}

// The module reads the pointer with GetCursorPos, so it is placed first;
// (x, y) are relative to the window's top-left corner.
inline LRESULT Mouse(HWND window, UINT message, int x, int y)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    SetCursorPos(rect.left + x, rect.top + y);
    return SendMessageA(window, message, 0, MAKELPARAM(x, y));
}

// A caption press is taken out of the queue without dispatching it: the
// system's move loop would wait for a button that no one holds.
inline bool TakeCaptionPress(HWND window)
{
    MSG msg;
    if (!PeekMessageA(&msg, window, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE))
        return false;
    return msg.wParam == HTCAPTION && msg.lParam == 0;
}

// Messages of one kind that the host's own procedure of `window` received.
inline int Received(HWND window, UINT message)
{
    return int(host::Select(host::received, window, {message}).size());
}

} // namespace skin_support
