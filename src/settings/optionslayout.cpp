// The template asks for a face that Windows machines seldom have; the
// system then picks a stand-in whose texts overrun the template's fixed
// widths. So the controls take the system's message font instead, and a
// control whose text still does not fit grows. Growing works like inserting
// a column at the control's right edge: everything at or right of that edge
// moves along and everything spanning it grows, so the group frames, the
// rows and the other column keep their places relative to each other.
#include "settings/optionslayout.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t MAX_CONTROLS = 32;
constexpr int TEXT_SIZE = 160;

// Made for one opening of the dialog and deleted when it ends.
HFONT dialogFont;

struct Control {
    HWND window;
    RECT rect; // in the dialog's client coordinates
    int need;  // the width its text needs; 0 when it needs no more
};

struct Insertion {
    int at, width;
};

int CALLBACK NoteFamily(const LOGFONTA *, const TEXTMETRICA *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

bool FaceInstalled(const char *face)
{
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    snprintf(wanted.lfFaceName, sizeof wanted.lfFaceName, "%s", face);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

HFONT CreateSystemDialogFont()
{
    NONCLIENTMETRICSA metrics = {};
    // Without the last field, which systems before Vista refuse.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return CreateFontIndirectA(&metrics.lfMessageFont);
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg 2");
}

// Texts of check boxes and radio buttons start after the mark; the others
// get the same room, which also keeps push buttons' texts off their frames.
int MarkWidth()
{
    return GetSystemMetrics(SM_CXMENUCHECK);
}

bool WrapsItsText(HWND control, const char *className)
{
    LONG type = GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK;
    return lstrcmpiA(className, "Static") == 0 && (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
}

// The width the control needs for its text in its own font, plus a margin
// of one average character.
int NeededWidth(HWND control, HDC dc)
{
    char className[16], text[TEXT_SIZE];
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Button") != 0 && lstrcmpiA(className, "Static") != 0)
        return 0;
    int length = GetWindowTextA(control, text, sizeof text);
    if (length <= 0)
        return 0;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SIZE line = {};
    GetTextExtentPoint32A(dc, text, length, &line);
    int room = MarkWidth() + metrics.tmAveCharWidth;
    int need = line.cx + room;
    if (WrapsItsText(control, className)) {
        // The narrowest width, one character at a time, at which the wrapped
        // lines fit the control's height; at worst one line.
        RECT client;
        GetClientRect(control, &client);
        for (int width = client.right - room; width + room < need; width += metrics.tmAveCharWidth + 1) {
            RECT wrapped = {0, 0, width, 0};
            DrawTextA(dc, text, length, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            if (wrapped.bottom <= client.bottom && wrapped.right <= width) {
                need = width + room;
                break;
            }
        }
    }
    SelectObject(dc, old);
    return need;
}

template <size_t N> int ShiftAt(const std::array<Insertion, N> &insertions, size_t count, int x)
{
    int shift = 0;
    for (size_t i = 0; i < count; ++i)
        if (insertions[i].at <= x)
            shift += insertions[i].width;
    return shift;
}

void WidenToFit(HWND dialog)
{
    std::array<Control, MAX_CONTROLS> controls;
    size_t count = 0;
    HDC dc = GetDC(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child && count < controls.size();
         child = GetWindow(child, GW_HWNDNEXT)) {
        Control &c = controls[count++];
        c.window = child;
        GetWindowRect(child, &c.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&c.rect), 2);
        RECT client;
        GetClientRect(child, &client);
        // The frame, if any, comes on top of the text's width.
        int frame = (c.rect.right - c.rect.left) - client.right;
        int need = NeededWidth(child, dc);
        c.need = need ? need + frame : 0;
    }
    ReleaseDC(dialog, dc);

    // Narrowest first: a column inserted for a narrow control also widens the
    // wider ones that span its edge, so each later one adds only what is
    // still missing.
    std::sort(controls.begin(), controls.begin() + count,
              [](const Control &a, const Control &b) { return a.rect.right < b.rect.right; });
    std::array<Insertion, MAX_CONTROLS> insertions;
    size_t inserted = 0;
    for (size_t i = 0; i < count; ++i) {
        const RECT &r = controls[i].rect;
        int width = r.right + ShiftAt(insertions, inserted, r.right) - r.left - ShiftAt(insertions, inserted, r.left);
        if (width < controls[i].need)
            insertions[inserted++] = {r.right, controls[i].need - width};
    }
    if (!inserted)
        return;

    RECT client, tolerance = {0, 0, 2, 0};
    GetClientRect(dialog, &client);
    MapDialogRect(dialog, &tolerance);
    int added = ShiftAt(insertions, inserted, INT_MAX);
    for (size_t i = 0; i < count; ++i) {
        const RECT &r = controls[i].rect;
        int left = r.left + ShiftAt(insertions, inserted, r.left);
        int right = r.right + ShiftAt(insertions, inserted, r.right);
        // A control centred in the dialog (the OK button) stays centred.
        int offCentre = r.left + r.right - client.right, width = right - left;
        if (abs(offCentre) <= 2 * tolerance.right) {
            left = (client.right + added + offCentre - width) / 2;
            right = left + width;
        }
        SetWindowPos(controls[i].window, nullptr, left, r.top, right - left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT own;
    GetWindowRect(dialog, &own);
    SetWindowPos(dialog, nullptr, 0, 0, own.right - own.left + added,
                 own.bottom - own.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT RectInDialog(HWND dialog, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

bool IsGroupFrame(HWND control)
{
    char className[16];
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "Button") == 0 && (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// In dialog units: the row, the heights of its controls, the gap between
// them, the margin the template keeps inside a frame, the narrowest button.
constexpr RECT ROW_HEIGHTS = {0, 16, 0, 14}; // top: row, bottom: button
constexpr RECT FIELD_HEIGHT = {0, 12, 0, 0};
constexpr RECT GAPS = {4, 1, 6, 0};          // left: between, top: above the button, right: frame margin
constexpr RECT BUTTON_WIDTH = {50, 0, 0, 0};

RECT InPixels(HWND dialog, RECT units)
{
    MapDialogRect(dialog, &units);
    return units;
}

// Makes a row `row` pixels high under `above`: everything below it moves
// down, each control spanning its bottom grows, the dialog too (the row's
// own controls, not placed yet, lie above it). Returns the innermost group
// frame around `above`, the dialog's client area when there is none.
RECT MakeRoomBelow(HWND dialog, HWND above, int row)
{
    RECT a = RectInDialog(dialog, above), frame;
    GetClientRect(dialog, &frame);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = RectInDialog(dialog, child);
        if (IsGroupFrame(child) && r.left <= a.left && r.right >= a.right && r.top <= a.top && r.bottom >= a.bottom &&
            r.right - r.left <= frame.right - frame.left)
            frame = r;
        if (r.top >= a.bottom)
            OffsetRect(&r, 0, row);
        else if (r.bottom > a.bottom)
            r.bottom += row;
        else
            continue;
        SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT own;
    GetWindowRect(dialog, &own);
    SetWindowPos(dialog, nullptr, 0, 0, own.right - own.left, own.bottom - own.top + row,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return frame;
}

} // namespace

void InsertRowBelow(HWND dialog, HWND above, HWND field, HWND button)
{
    WPARAM font = SendMessageA(above, WM_GETFONT, 0, 0);
    SendMessageA(field, WM_SETFONT, font, FALSE);
    SendMessageA(button, WM_SETFONT, font, FALSE);
    RECT heights = InPixels(dialog, ROW_HEIGHTS), gaps = InPixels(dialog, GAPS);
    RECT a = RectInDialog(dialog, above);
    RECT frame = MakeRoomBelow(dialog, above, heights.top);

    HDC dc = GetDC(dialog);
    int width = std::max<int>(NeededWidth(button, dc), InPixels(dialog, BUTTON_WIDTH).left);
    ReleaseDC(dialog, dc);
    int right = frame.right - gaps.right, buttonTop = a.bottom + gaps.top;
    // Placed after `above` in the tab order.
    SetWindowPos(button, above, right - width, buttonTop, width, heights.bottom, SWP_NOACTIVATE);
    int fieldHeight = InPixels(dialog, FIELD_HEIGHT).top;
    int fieldLeft = a.left + MarkWidth();
    SetWindowPos(field, above, fieldLeft, buttonTop + (heights.bottom - fieldHeight) / 2,
                 right - width - gaps.left - fieldLeft, fieldHeight, SWP_NOACTIVATE);
}

HWND InsertCheckBoxBelow(HWND dialog, HWND above, int id, const char *text)
{
    HWND box = CreateWindowExA(0, "Button", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0,
                               dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    if (!box)
        return nullptr;
    SendMessageA(box, WM_SETFONT, SendMessageA(above, WM_GETFONT, 0, 0), FALSE);
    RECT a = RectInDialog(dialog, above);
    MakeRoomBelow(dialog, above, a.bottom - a.top);
    // The template's rows of check boxes follow each other without a gap;
    // after `above` in the tab order.
    SetWindowPos(box, above, a.left, a.bottom, a.right - a.left, a.bottom - a.top, SWP_NOACTIVATE);
    return box;
}

void FitOptionsDialog(HWND dialog)
{
    LOGFONTA asked = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof asked, &asked);
    // The dialog keeps the template's font, which the system made and
    // deletes; only the controls take the new one.
    if (!FaceInstalled(asked.lfFaceName) && !dialogFont)
        dialogFont = CreateSystemDialogFont();
    if (dialogFont)
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), FALSE);
    WidenToFit(dialog);
}

void ReleaseOptionsDialogFont()
{
    if (dialogFont)
        DeleteObject(dialogFont);
    dialogFont = nullptr;
}
