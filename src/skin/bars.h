// Inside the skin: the three bars as one table, and what its files share.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

#include "mainwindow/displayscale.h"
#include "plugin/plugin.h"
#include "resources/resource.h"
#include "skin/skin.h"

// ---- resources (resources.cpp) ------------------------------------------
// Lengths are at 96 DPI; each use scales them by the window's DPI.
extern RECT barCloseRect, barMinimizeRect, barZoomRect;
extern RECT miniCloseRect, miniMinimizeRect, miniZoomRect;

constexpr int FIRST_BITMAP_ID = IDB_CORNER_BOTTOM_LEFT;
constexpr int LAST_BITMAP_ID = IDB_EQ_MIDDLE;
constexpr int BITMAP_SLOTS = LAST_BITMAP_ID - FIRST_BITMAP_ID + 1;

// A skin image as 32-bit pixels (0x00RRGGBB, the top row first) in a DIB
// section: the bars are composed by copying its pixels, and it is selected
// into a DC only to be stretched.
struct SkinImage {
    HBITMAP bitmap;
    uint32_t *pixels;
    int width, height;
    uint32_t At(int x, int y) const { return pixels[y * width + x]; }
};
bool MakeSkinImage(SkinImage &image, int width, int height);
void FreeSkinImage(SkinImage &image);

// The image as loaded from the module, at 96 DPI (empty when not loaded).
const SkinImage &BaseImage(int id);
// The colour that a scaled copy keeps out of its averages: magenta for the
// buttons, black for the shape bitmaps, CLR_INVALID for opaque ones.
COLORREF ImageKey(int id);
// The union of the image's pixels that differ from the key colour.
HRGN RegionFromImage(const SkinImage &image, COLORREF key);
void FreeSkinResources();

inline uint32_t PixelOf(COLORREF colour)
{
    return uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
}

constexpr int BAR_END_WIDTH = 11;   // the bar ends, also the top corner masks
constexpr int CORNER_SIZE = 5;      // the bottom corner masks
constexpr int SIDE_ROUNDING = 10;   // rows of the top corners that are cut
constexpr int BAR_HEIGHT = 26;      // the bars' child windows
constexpr int BAR_WIDTH = 5000;     // wider than any window, so never resized
constexpr int MINI_STRIP_WIDTH = 20, MINI_STRIP_HEIGHT = 64;
constexpr COLORREF TRANSPARENT_COLOUR = RGB(255, 0, 255);
constexpr COLORREF SHAPE_KEY = RGB(0, 0, 0);

// Where the host's own mini-player zoom control sits in the main window.
constexpr int MINI_CONTROL_X = 16, MINI_CONTROL_Y = 28;

// ---- the skin at a display scale (scaledskin.cpp) --------------------------
// The image at `dpi`: the loaded one at 96, else a copy scaled once, on
// first use, and kept until "clr ".
const SkinImage &ScaledImage(int id, int dpi);
enum Corner { TOP_LEFT, TOP_RIGHT, BOTTOM_LEFT, BOTTOM_RIGHT };
// The bitmap each corner region is made from.
constexpr int CORNER_BITMAPS[4] = {IDB_BAR_LEFT, IDB_BAR_RIGHT, IDB_CORNER_BOTTOM_LEFT, IDB_CORNER_BOTTOM_RIGHT};
// The corner's region at `dpi`, made like the bitmaps; the caller copies it.
HRGN CornerRegion(Corner corner, int dpi);
HRGN BaseCornerRegion(Corner corner); // at 96 DPI, made at "init"
void FreeScaledSkins();

// ---- the bars -----------------------------------------------------------
constexpr int BUTTON_NORMAL = 1, BUTTON_HOVER = 2, BUTTON_PRESSED = 3;
extern int fullBarStates[3], miniStripStates[3], eqBarStates[3];

LRESULT CALLBACK FullBarPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MiniStripPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EqBarPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

enum ButtonAction {
    CLOSE_MAIN_WINDOW,
    MINIMIZE_MAIN_WINDOW,
    SWITCH_TO_MINI_PLAYER,
    CLICK_MINI_PLAYER_ZOOM,
    HIDE_EQUALIZER,
    MINIMIZE_EQUALIZER,
    RIGHT_CLICK_EQUALIZER,
};

// Where a press outside the buttons starts moving the window.
enum DragArea {
    DRAG_ABOVE_BAR_BOTTOM, // rows above the bar's lower edge
    DRAG_LEFT_OF_OFFSET,   // columns left of titleOffset
};

struct BarButton {
    const RECT *rect;
    std::array<int, 3> images; // normal, hover, pressed
    ButtonAction action;
};

struct Bar {
    HWND *child;
    const char *text;
    HWND *parent;
    int width, height;
    bool belowTitleOffset; // placed (and hit-tested) titleOffset rows down
    WNDPROC paintProc;
    int *states;
    std::array<BarButton, 3> buttons; // close, minimise, zoom
    int inactiveButton;               // every button while the parent is not in front
    DragArea drag;
    bool passesMiniControlPress;
    // Background: one image, or two ends around a stretched middle.
    int background;
    int leftEnd, middle, rightEnd;
    int middleHeightCut;
    int titleActive, titleInactive;
};

enum BarIndex { FULL_BAR, MINI_STRIP, EQ_BAR };

// One table for the whole module (inline), so a bar is known by its address.
inline constexpr std::array<Bar, 3> BARS = {{
    {&FullBar, "Background", &hostMainWindow, BAR_WIDTH, BAR_HEIGHT, true, FullBarPaintProc, fullBarStates,
     {{{&barCloseRect, {IDB_BAR_CLOSE, IDB_BAR_CLOSE_HOVER, IDB_BAR_CLOSE_PRESSED}, CLOSE_MAIN_WINDOW},
       {&barMinimizeRect, {IDB_BAR_MINIMIZE, IDB_BAR_MINIMIZE_HOVER, IDB_BAR_MINIMIZE_PRESSED}, MINIMIZE_MAIN_WINDOW},
       {&barZoomRect, {IDB_BAR_ZOOM, IDB_BAR_ZOOM_HOVER, IDB_BAR_ZOOM_PRESSED}, SWITCH_TO_MINI_PLAYER}}},
     IDB_BAR_INACTIVE, DRAG_ABOVE_BAR_BOTTOM, false,
     0, IDB_BAR_LEFT, IDB_BAR_MIDDLE, IDB_BAR_RIGHT, 0, IDB_TITLE_ACTIVE, IDB_TITLE_INACTIVE},
    {&MiniStrip, "MiniBack", &hostMainWindow, MINI_STRIP_WIDTH, MINI_STRIP_HEIGHT, false, MiniStripPaintProc,
     miniStripStates,
     {{{&miniCloseRect, {IDB_MINI_CLOSE, IDB_MINI_CLOSE_HOVER, IDB_MINI_CLOSE_PRESSED}, CLOSE_MAIN_WINDOW},
       {&miniMinimizeRect, {IDB_MINI_MINIMIZE, IDB_MINI_MINIMIZE_HOVER, IDB_MINI_MINIMIZE_PRESSED},
        MINIMIZE_MAIN_WINDOW},
       {&miniZoomRect, {IDB_MINI_ZOOM, IDB_MINI_ZOOM_HOVER, IDB_MINI_ZOOM_PRESSED}, CLICK_MINI_PLAYER_ZOOM}}},
     IDB_MINI_INACTIVE, DRAG_LEFT_OF_OFFSET, true,
     IDB_MINI_BACKGROUND, 0, 0, 0, 0, 0, 0},
    {&EqBar, "eqBackground", &hostEqualizerWindow, BAR_WIDTH, BAR_HEIGHT, false, EqBarPaintProc, eqBarStates,
     {{{&barCloseRect, {IDB_BAR_CLOSE, IDB_BAR_CLOSE_HOVER, IDB_BAR_CLOSE_PRESSED}, HIDE_EQUALIZER},
       {&barMinimizeRect, {IDB_BAR_MINIMIZE, IDB_BAR_MINIMIZE_HOVER, IDB_BAR_MINIMIZE_PRESSED}, MINIMIZE_EQUALIZER},
       {&barZoomRect, {IDB_BAR_ZOOM, IDB_BAR_ZOOM_HOVER, IDB_BAR_ZOOM_PRESSED}, RIGHT_CLICK_EQUALIZER}}},
     IDB_BAR_INACTIVE, DRAG_ABOVE_BAR_BOTTOM, false,
     0, IDB_BAR_LEFT, IDB_EQ_MIDDLE, IDB_BAR_RIGHT, 2, IDB_EQ_TITLE_ACTIVE, IDB_EQ_TITLE_INACTIVE},
}};

inline int BarDpi(const Bar &bar)
{
    return WindowDpi(*bar.parent);
}

// Distance of the bar from the top of its parent window.
inline int BarTop(const Bar &bar, int dpi)
{
    return bar.belowTitleOffset ? ScaleLength(titleOffset, dpi) : 0;
}

// ---- shared steps ---------------------------------------------------------
// Invalidation of a child that may not exist: nothing then, rather than the
// whole desktop that a null window would mean.
void InvalidateChild(HWND child, const RECT *rect);
void InvalidateButtons(const Bar &bar);
bool HandleBarMouse(const Bar &bar, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void CreateBar(const Bar &bar);
void DestroyBar(const Bar &bar);

// ---- composing (compose.cpp) -----------------------------------------------
// The bar as it looks now (its parent's width, the parent in front or not,
// its button states, its scale), composed into a bitmap of its own where
// any of these changed since the last time: a DC to blit from and its
// size, or a null DC when it could not be made.
struct BarLook {
    HDC dc;
    int width, height;
};
BarLook ComposeBar(const Bar &bar);
void FreeComposedBars();

// ---- shapes (shapes.cpp) ---------------------------------------------------
// `top` at 96 DPI, scaled like every other length.
HRGN SkinnedShape(int width, int height, int top, int dpi);
// The window (null: every one) gets a new shape at its next shaping even
// at the same size, repainted whole.
void ForgetShape(HWND window);

// ---- the equalizer window (equalizer.cpp) ---------------------------------
extern WNDPROC previousEqualizerWindowProc;
LRESULT CALLBACK EqualizerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ShapeEqualizerWindow(HWND window);
// The window's display scale changed: its bars take their new size and place.
void RescaleBars(HWND parent);
void InstallEqualizerWindowProc();
// False when the procedure had to stay (see PutProcedureBack): it then
// passes everything on until it is installed again.
bool RemoveEqualizerWindowProc();
