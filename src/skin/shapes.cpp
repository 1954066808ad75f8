// The skinned window shapes and the switching between the main window's
// full bar and mini strip, driven by its size.
#include "skin/bars.h"

#include "plugin/hostwindow.h"

namespace {

// What a window was last given, so that a message that leaves its size as
// it was costs no new shape, and a new shape repaints only what changed.
struct GivenShape {
    HWND window;
    int width, height, top, dpi;
    HRGN region; // a copy of the shape; null while the window's is not known
};
GivenShape mainShape, equalizerShape;

HRGN MovedCopy(HRGN corner, int dx, int dy)
{
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, corner, nullptr, RGN_COPY);
    OffsetRgn(copy, dx, dy);
    return copy;
}

void AddAndDelete(HRGN shape, HRGN part)
{
    CombineRgn(shape, shape, part, RGN_OR);
    DeleteObject(part);
}

bool SameShape(const GivenShape &a, const GivenShape &b)
{
    return a.window == b.window && a.width == b.width && a.height == b.height && a.top == b.top && a.dpi == b.dpi;
}

// The pixels that went into or out of the shape, given in window
// coordinates; the window and its bars paint them again.
void RepaintChange(HWND window, HRGN change)
{
    RECT rect = {};
    POINT client = {0, 0};
    GetWindowRect(window, &rect);
    ClientToScreen(window, &client);
    OffsetRgn(change, rect.left - client.x, rect.top - client.y);
    RedrawWindow(window, nullptr, change, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Shape(GivenShape &given, HWND window, int top)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    GivenShape now = {window, rect.right - rect.left, rect.bottom - rect.top, top, WindowDpi(window), nullptr};
    if (SameShape(now, given))
        return;
    HRGN shape = SkinnedShape(now.width, now.height, top, now.dpi);
    now.region = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(now.region, shape, nullptr, RGN_COPY);
    // The window owns `shape` from here on. Repainting the whole window at
    // each step of a resize made it cost a quarter more under Wine than the
    // resize of a window with one rectangle for its shape; only the corners
    // change.
    if (given.region && given.window == window) {
        SetWindowRgn(window, shape, FALSE);
        CombineRgn(given.region, given.region, now.region, RGN_XOR);
        RepaintChange(window, given.region);
    } else {
        SetWindowRgn(window, shape, TRUE);
    }
    if (given.region)
        DeleteObject(given.region);
    given = now;
}

} // namespace

// Rounded top corners from row `top` down, small rounded bottom corners;
// the rows above `top` are cut away. Only copies of the finished corner
// regions are made, so this can follow interactive resizing.
HRGN SkinnedShape(int width, int height, int top, int dpi)
{
    int end = ScaleLength(BAR_END_WIDTH, dpi), corner = ScaleLength(CORNER_SIZE, dpi);
    top = ScaleLength(top, dpi);
    HRGN shape = MovedCopy(CornerRegion(TOP_LEFT, dpi), 0, top);
    AddAndDelete(shape, MovedCopy(CornerRegion(TOP_RIGHT, dpi), width - end, top));
    AddAndDelete(shape, MovedCopy(CornerRegion(BOTTOM_LEFT, dpi), 0, height - corner));
    AddAndDelete(shape, MovedCopy(CornerRegion(BOTTOM_RIGHT, dpi), width - corner, height - corner));
    AddAndDelete(shape, CreateRectRgn(0, top + ScaleLength(SIDE_ROUNDING, dpi), width, height - corner));
    AddAndDelete(shape, CreateRectRgn(corner, top, width - corner, height));
    return shape;
}

void ForgetShape(HWND window)
{
    for (GivenShape *given : {&mainShape, &equalizerShape}) {
        if (window && given->window != window)
            continue;
        if (given->region)
            DeleteObject(given->region);
        *given = {};
    }
}

// The bar is composed at the new width here, so that the paint that follows
// is one BitBlt.
void ShapeEqualizerWindow(HWND window)
{
    Shape(equalizerShape, window, 0);
    if (IsWindow(EqBar))
        ComposeBar(BARS[EQ_BAR]);
}

// Full mode is kept down to the mini-mode height (70 pixels at 96 DPI) but
// entered only above it, so a window exactly that high keeps whichever child
// it has.
bool ShapeMainWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    int height = WindowHeight(hostMainWindow), miniModeHeight = MiniModeHeight(hostMainWindow);
    if (IsWindow(FullBar)) {
        if (height >= miniModeHeight) {
            // The host lays itself out first; the shape follows its new size.
            CallWindowProcW(previousMainWindowProc, hostMainWindow, message, wParam, lParam);
            Shape(mainShape, hostMainWindow, titleOffset);
            ComposeBar(BARS[FULL_BAR]);
            return true;
        }
        DestroyBar(BARS[FULL_BAR]);
        CreateBar(BARS[MINI_STRIP]);
        return false;
    }
    if (height > miniModeHeight) {
        DestroyBar(BARS[MINI_STRIP]);
        CreateBar(BARS[FULL_BAR]);
        // Runs the whole size handling again, now in full mode; the host
        // sees only this repeated message.
        MainWindowProc(hostMainWindow, WM_SIZE, 0, 0);
        return true;
    }
    return false;
}
