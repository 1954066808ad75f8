// The bars' painting: one BitBlt of the composed bar (compose.cpp).
#include "skin/bars.h"

namespace {

void PaintBar(const Bar &bar, HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    BarLook look = ComposeBar(bar);
    // Beyond the picture lies only what the parent cuts off.
    RECT area = paint.rcPaint;
    area.right = area.right < look.width ? area.right : look.width;
    area.bottom = area.bottom < look.height ? area.bottom : look.height;
    if (look.dc && area.right > area.left && area.bottom > area.top)
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, look.dc, area.left, area.top,
               SRCCOPY);
    EndPaint(window, &paint);
}

} // namespace

// The bars only paint: every other message ends here, and the button class's
// own procedure is never called again.
LRESULT CALLBACK FullBarPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintBar(BARS[FULL_BAR], window);
        break;
    }
    return 0;
}

LRESULT CALLBACK MiniStripPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintBar(BARS[MINI_STRIP], window);
        break;
    }
    return 0;
}

LRESULT CALLBACK EqBarPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintBar(BARS[EQ_BAR], window);
        break;
    }
    return 0;
}
