// The two skin paths that run while the user drags and resizes: a full-mode
// WM_SIZE (the shape rebuilt) against SetWindowRgn with one rectangle, and
// the full bar's WM_PAINT against one BitBlt of the bar's size.
#include "bench.h"
#include "host.h"

int main()
{
    host::ResetSettings();
    host::SetSettingDword("Skin", 1);
    host::CreateHostWindows();
    host::LoadPlugin();
    host::Init();
    host::Idle();
    host::PumpFor(300);
    HWND main = host::mainWindow;
    HWND bar = FindWindowExA(main, nullptr, "Button", "Background");
    if (!bar) {
        printf("INFO|skin benchmark|no full bar was created|\n");
        return 1;
    }

    int width = 640;
    bench::Comparison resize = bench::Compare(
        [&] {
            width = width == 640 ? 641 : 640;
            SetWindowPos(main, nullptr, 0, 0, width, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        },
        [&] {
            width = width == 640 ? 641 : 640;
            SetWindowRgn(main, CreateRectRgn(0, 0, width, 420), TRUE);
        },
        100, bench::ROUNDS, host::PumpMessages);
    bench::PrintRow("full-mode resize (WM_SIZE, shape rebuilt)", resize, "SetWindowRgn, one rectangle", "<= 3");
    // The resize above is mostly Wine's own (the X window, the host's
    // layout), which no skin can avoid: the floor is a window of the same
    // size that the module does not skin, resized and given one rectangle
    // as its region. The first row shows what the skin adds to that floor,
    // the second how far the floor itself stands above the one-region
    // baseline.
    HWND plain = CreateWindowExA(0, "iTunes", "plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 0, 640, 420, nullptr,
                                 nullptr, nullptr, nullptr);
    int plainWidth = 640;
    auto resizeAndShapePlain = [&] {
        plainWidth = plainWidth == 640 ? 641 : 640;
        SetWindowPos(plain, nullptr, 0, 0, plainWidth, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowRgn(plain, CreateRectRgn(0, 0, plainWidth, 420), TRUE);
    };
    bench::Comparison overFloor = bench::Compare(
        [&] {
            width = width == 640 ? 641 : 640;
            SetWindowPos(main, nullptr, 0, 0, width, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        },
        resizeAndShapePlain, 100, bench::ROUNDS, host::PumpMessages);
    bench::PrintRow("full-mode resize (WM_SIZE, shape rebuilt)", overFloor,
                    "resize of a window not skinned + one SetWindowRgn", "informational");
    bench::Comparison floor = bench::Compare(
        resizeAndShapePlain,
        [&] {
            plainWidth = plainWidth == 640 ? 641 : 640;
            SetWindowRgn(plain, CreateRectRgn(0, 0, plainWidth, 420), TRUE);
        },
        100, bench::ROUNDS, host::PumpMessages);
    bench::PrintRow("resize of a window not skinned + one SetWindowRgn", floor, "SetWindowRgn, one rectangle",
                    "informational");
    DestroyWindow(plain);

    HDC screen = GetDC(bar);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, 640, 26);
    HGDIOBJ old = SelectObject(memory, image);
    bench::Comparison paint = bench::Compare(
        [&] {
            InvalidateRect(bar, nullptr, TRUE);
            UpdateWindow(bar);
        },
        [&] { BitBlt(screen, 0, 0, 640, 26, memory, 0, 0, SRCCOPY); }, 100);
    SelectObject(memory, old);
    DeleteObject(image);
    DeleteDC(memory);
    ReleaseDC(bar, screen);
    bench::PrintRow("full bar repaint (WM_PAINT)", paint, "one BitBlt of the bar's size", "informational");
    return 0;
}
