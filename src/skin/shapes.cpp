// The skinned window shapes and the switching between the main window's
// full bar and mini strip, driven by its size.
#include "skin/bars.h"

#include "plugin/hostwindow.h"

namespace {

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

void ShapeFullModeWindow()
{
    RECT rect = {};
    GetWindowRect(hostMainWindow, &rect);
    // The window owns the region from here on.
    SetWindowRgn(hostMainWindow, SkinnedShape(rect.right - rect.left, rect.bottom - rect.top, titleOffset), TRUE);
}

} // namespace

// Rounded top corners from row `top` down, small rounded bottom corners;
// the rows above `top` are cut away. Only copies of the finished corner
// regions are made, so this can follow interactive resizing.
HRGN SkinnedShape(int width, int height, int top)
{
    HRGN shape = MovedCopy(topLeftRegion, 0, top);
    AddAndDelete(shape, MovedCopy(topRightRegion, width - BAR_END_WIDTH, top));
    AddAndDelete(shape, MovedCopy(bottomLeftRegion, 0, height - CORNER_SIZE));
    AddAndDelete(shape, MovedCopy(bottomRightRegion, width - CORNER_SIZE, height - CORNER_SIZE));
    AddAndDelete(shape, CreateRectRgn(0, top + 10, width, height - CORNER_SIZE));
    AddAndDelete(shape, CreateRectRgn(CORNER_SIZE, top, width - CORNER_SIZE, height));
    return shape;
}

void ShapeEqualizerWindow(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    SetWindowRgn(window, SkinnedShape(rect.right - rect.left, rect.bottom - rect.top, 0), TRUE);
}

// Full mode is kept down to 70 pixels but entered only above 70, so a window
// exactly 70 high keeps whichever child it has.
bool ShapeMainWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    int height = WindowHeight(hostMainWindow);
    if (IsWindow(FullBar)) {
        if (height >= MINI_MODE_HEIGHT) {
            // The host lays itself out first; the shape follows its new size.
            CallWindowProcW(previousMainWindowProc, hostMainWindow, message, wParam, lParam);
            ShapeFullModeWindow();
            return true;
        }
        DestroyBar(BARS[FULL_BAR]);
        CreateBar(BARS[MINI_STRIP]);
        return false;
    }
    if (height > MINI_MODE_HEIGHT) {
        DestroyBar(BARS[MINI_STRIP]);
        CreateBar(BARS[FULL_BAR]);
        // Runs the whole size handling again, now in full mode; the host
        // sees only this repeated message.
        MainWindowProc(hostMainWindow, WM_SIZE, 0, 0);
        return true;
    }
    return false;
}
