// The skin paths that run while the user drags and resizes: a full-mode
// WM_SIZE (the shape rebuilt) against the same resize of a window the module
// does not skin, and the full bar's repaint against a window that paints
// one BitBlt of the bar's size, at 96 DPI and, in a second process started
// at that scale, at 192 DPI.
//
// bench_skin [--scaled]: with --scaled only the repaint rows, at the
// process's own DPI.
#include <cstring>

#include "bench.h"
#include "host.h"

namespace {

// The baseline of a repaint: a window of the bar's size whose WM_PAINT is
// one BitBlt from a memory DC, through the same invalidate-and-paint cycle.
HDC blitSource;

LRESULT CALLBACK OneBlitPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const RECT &r = paint.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, blitSource, r.left, r.top, SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

void Repaint(HWND window)
{
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void RepaintRows(HWND main, HWND bar, const char *scale)
{
    const int width = 640, height = host::Scaled(26);
    HDC screen = GetDC(bar);
    blitSource = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(blitSource, image);

    WNDCLASSA oneBlit = {};
    oneBlit.lpfnWndProc = OneBlitPaintProc;
    oneBlit.lpszClassName = "OneBlit";
    RegisterClassA(&oneBlit);
    // Beside the bar in the same parent, under the same clipping.
    HWND blitter = CreateWindowExA(0, "OneBlit", "", WS_CHILD | WS_VISIBLE, 0, host::Scaled(200), width, height, main,
                                   nullptr, nullptr, nullptr);
    Repaint(bar);
    Repaint(blitter);

    char path[96], baseline[96];
    snprintf(path, sizeof path, "full bar repaint%s (invalidate and paint)", scale);
    snprintf(baseline, sizeof baseline, "the same, a window of one BitBlt%s", scale);
    bench::PrintRow(path, bench::Compare([&] { Repaint(bar); }, [&] { Repaint(blitter); }, 100), baseline, "<= 3");
    snprintf(baseline, sizeof baseline, "one BitBlt of the bar's size%s", scale);
    bench::PrintRow(path,
                    bench::Compare([&] { Repaint(bar); },
                                   [&] { BitBlt(screen, 0, 0, width, height, blitSource, 0, 0, SRCCOPY); }, 100),
                    baseline, "informational");
    DestroyWindow(blitter);
    SelectObject(blitSource, old);
    DeleteObject(image);
    DeleteDC(blitSource);
    ReleaseDC(bar, screen);
}

void ResizeRows(HWND main)
{
    int width = 640;
    auto resizeSkinned = [&] {
        width = width == 640 ? 641 : 640;
        SetWindowPos(main, nullptr, 0, 0, width, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // Most of a resize is Wine's own (the X window, the host's layout),
    // which no skin can avoid: the floor is a window of the same kind and
    // size that the module does not skin, resized and given one rectangle
    // as its region. The first row shows what the skin adds to that floor,
    // the others how far the floor itself stands above one SetWindowRgn.
    // It lies under the main window, overlapping nothing, and its resized
    // edge is on the screen like the main window's: where a resize uncovers
    // the desktop, Wine's desktop process repaints it, which made an earlier
    // floor, whose edge lay off the screen, look twice as fast.
    RECT rect;
    GetWindowRect(main, &rect);
    HWND plain = CreateWindowExA(0, "iTunes", "plain", host::HOST_WINDOW_STYLE, rect.left, rect.bottom + 40, 640, 420,
                                 nullptr, nullptr, nullptr, nullptr);
    int plainWidth = 640;
    auto resizeAndShapePlain = [&] {
        plainWidth = plainWidth == 640 ? 641 : 640;
        SetWindowPos(plain, nullptr, 0, 0, plainWidth, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowRgn(plain, CreateRectRgn(0, 0, plainWidth, 420), TRUE);
    };
    auto shapePlain = [&] {
        plainWidth = plainWidth == 640 ? 641 : 640;
        SetWindowRgn(plain, CreateRectRgn(0, 0, plainWidth, 420), TRUE);
    };
    bench::PrintRow("full-mode resize (WM_SIZE, shape rebuilt)",
                    bench::Compare(resizeSkinned, resizeAndShapePlain, 100, bench::ROUNDS, host::PumpMessages),
                    "resize of a window not skinned + one SetWindowRgn", "<= 1.2");
    bench::PrintRow("full-mode resize (WM_SIZE, shape rebuilt)",
                    bench::Compare(resizeSkinned, shapePlain, 100, bench::ROUNDS, host::PumpMessages),
                    "SetWindowRgn, one rectangle", "informational");
    bench::PrintRow("resize of a window not skinned + one SetWindowRgn",
                    bench::Compare(resizeAndShapePlain, shapePlain, 100, bench::ROUNDS, host::PumpMessages),
                    "SetWindowRgn, one rectangle", "informational");
    DestroyWindow(plain);
}

} // namespace

int main(int argc, char **argv)
{
    bool scaledRun = argc > 1 && strcmp(argv[1], "--scaled") == 0;
    // The scaled run first, while this process has no window of the class
    // and title that the module looks for.
    host::ProgramRun scaled = {0, ""};
    if (!scaledRun)
        scaled = host::RunProgramAtDpi(192, "bench_skin", {"--scaled"}, 300000);
    else
        host::MakeDpiAware();

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
    SetForegroundWindow(main);
    host::PumpMessages();
    if (scaledRun) {
        char scale[32];
        snprintf(scale, sizeof scale, " at %d DPI", host::ScreenDpi());
        RepaintRows(main, bar, scale);
        return 0;
    }
    ResizeRows(main);
    RepaintRows(main, bar, "");
    fputs(scaled.output.c_str(), stdout);
    if (scaled.exitCode != 0)
        printf("INFO|skin benchmark at 192 DPI|did not run (%d)|\n", scaled.exitCode);
    return 0;
}
