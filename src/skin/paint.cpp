// The bars' painting: ends, a stretched middle, the title and three buttons.
#include "skin/bars.h"

namespace {

// One image in a memory device context of its own, made and deleted around
// each draw.
struct Image {
    HDC dc;
    int width, height;
};

Image OpenImage(HDC target, int id)
{
    HBITMAP bitmap = SkinBitmap(id);
    Image image = {CreateCompatibleDC(target), 0, 0};
    SelectObject(image.dc, bitmap);
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    image.width = info.bmWidth;
    image.height = info.bmHeight;
    return image;
}

// Where x lies on the image: its left edge, its right edge or its middle.
enum Anchor { LEFT_EDGE, RIGHT_EDGE, MIDDLE };

void DrawImage(HDC target, int id, int x, int y, Anchor anchor)
{
    Image image = OpenImage(target, id);
    int left = anchor == RIGHT_EDGE ? x - image.width : anchor == MIDDLE ? x - image.width / 2 : x;
    BitBlt(target, left, y, image.width, image.height, image.dc, 0, 0, SRCCOPY);
    DeleteDC(image.dc);
}

void DrawMiddle(HDC target, int id, int parentWidth, int heightCut)
{
    Image image = OpenImage(target, id);
    SetStretchBltMode(target, HALFTONE);
    // It starts under the left end's last two columns and ends where the
    // right end begins.
    StretchBlt(target, 9, 0, parentWidth - 20, image.height - heightCut, image.dc, 0, 0, image.width, image.height,
               SRCCOPY);
    DeleteDC(image.dc);
}

void DrawButton(HDC target, int id, const RECT &rect)
{
    Image image = OpenImage(target, id);
    TransparentBlt(target, rect.left, rect.top, image.width, image.height, image.dc, 0, 0, image.width, image.height,
                   TRANSPARENT_COLOUR);
    DeleteDC(image.dc);
}

bool ParentInFront(const Bar &bar)
{
    return GetForegroundWindow() == *bar.parent;
}

void PaintBar(const Bar &bar, HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (bar.background) {
        DrawImage(dc, bar.background, 0, 0, LEFT_EDGE);
    } else {
        RECT parent = {};
        GetWindowRect(*bar.parent, &parent);
        int width = parent.right - parent.left;
        DrawImage(dc, bar.leftEnd, 0, 0, LEFT_EDGE);
        DrawMiddle(dc, bar.middle, width, bar.middleHeightCut);
        DrawImage(dc, bar.rightEnd, width, 0, RIGHT_EDGE);
        // The title is opaque: its own background carries the bar's rows.
        DrawImage(dc, ParentInFront(bar) ? bar.titleActive : bar.titleInactive, width / 2, 8, MIDDLE);
    }
    // The look follows the states only while the parent is in front.
    for (int i = 0; i < 3; ++i) {
        const BarButton &button = bar.buttons[i];
        int image = ParentInFront(bar) ? button.images[bar.states[i] - 1] : bar.inactiveButton;
        DrawButton(dc, image, *button.rect);
    }
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
