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

constexpr size_t MAX_CONTROLS = 64;
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
    // A text that ends in an ellipsis where it is cut needs no more.
    if (lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(control, GWL_STYLE) & SS_ELLIPSISMASK))
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
        Control &c = controls[count];
        c.window = child;
        GetWindowRect(child, &c.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&c.rect), 2);
        // A control made for a row not yet placed has no width to fit.
        if (IsRectEmpty(&c.rect))
            continue;
        ++count;
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

// In dialog units: the heights of the controls a row may hold, the room
// around framed ones, the gap between controls, the margin the template
// keeps inside a frame, the narrowest push button.
constexpr int PUSH_BUTTON_HEIGHT = 14;
constexpr int EDIT_HEIGHT = 12;
constexpr int CHECK_BOX_HEIGHT = 13;
constexpr int TEXT_HEIGHT = 10;
constexpr int FRAMED_ROOM = 2;
constexpr RECT GAPS = {4, 0, 6, 0}; // left: between, right: frame margin
constexpr int BUTTON_WIDTH = 50;

RECT InPixels(HWND dialog, RECT units)
{
    MapDialogRect(dialog, &units);
    return units;
}

// How high the control is, and the room a framed one (an edit box, a push
// button) keeps above and below it in its row.
struct Height {
    int control, room;
};

Height DialogUnitsHigh(HWND control)
{
    char className[16];
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Edit") == 0)
        return {EDIT_HEIGHT, FRAMED_ROOM};
    if (lstrcmpiA(className, "Button") != 0)
        return {TEXT_HEIGHT, 0};
    LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
        return {PUSH_BUTTON_HEIGHT, FRAMED_ROOM};
    return {CHECK_BOX_HEIGHT, 0};
}

int InPixelsHigh(HWND dialog, int units)
{
    return InPixels(dialog, {0, units, 0, 0}).top;
}

// Where above's text starts: after the mark of a check box or radio button.
int TextStart(HWND dialog, HWND above)
{
    RECT a = RectInDialog(dialog, above);
    char className[16];
    GetClassNameA(above, className, sizeof className);
    LONG type = GetWindowLongA(above, GWL_STYLE) & BS_TYPEMASK;
    bool marked = lstrcmpiA(className, "Button") == 0 && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON &&
                  type != BS_GROUPBOX;
    return a.left + (marked ? MarkWidth() : 0);
}

// The group frame around `above`, else the dialog's client area.
RECT FrameAround(HWND dialog, HWND above)
{
    RECT a = RectInDialog(dialog, above), frame;
    GetClientRect(dialog, &frame);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = RectInDialog(dialog, child);
        if (IsGroupFrame(child) && r.left <= a.left && r.right >= a.right && r.top <= a.top && r.bottom >= a.bottom &&
            r.right - r.left <= frame.right - frame.left)
            frame = r;
    }
    return frame;
}

// The bottom of the row `above` sits in: its own, or a taller neighbour's
// (a push button beside an edit box).
int RowBottom(HWND dialog, HWND above)
{
    RECT a = RectInDialog(dialog, above);
    int bottom = a.bottom;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = RectInDialog(dialog, child);
        if (!IsGroupFrame(child) && r.top < a.bottom && r.bottom > a.top)
            bottom = std::max<int>(bottom, r.bottom);
    }
    return bottom;
}

// Moves down everything below `bottom` and grows what spans it, the dialog
// too, skipping the new row's controls.
void OpenRow(HWND dialog, int bottom, int height, std::initializer_list<RowControl> row)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        bool inRow = false;
        for (const RowControl &c : row)
            inRow |= c.window == child;
        RECT r = RectInDialog(dialog, child);
        if (inRow)
            continue;
        if (r.top >= bottom)
            OffsetRect(&r, 0, height);
        else if (r.bottom > bottom)
            r.bottom += height;
        else
            continue;
        SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT own;
    GetWindowRect(dialog, &own);
    SetWindowPos(dialog, nullptr, 0, 0, own.right - own.left, own.bottom - own.top + height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void InsertRowBelow(HWND dialog, HWND above, std::initializer_list<RowControl> controls)
{
    WPARAM font = SendMessageA(above, WM_GETFONT, 0, 0);
    int rowUnits = 0;
    for (const RowControl &c : controls) {
        if (!c.window)
            return;
        SendMessageA(c.window, WM_SETFONT, font, FALSE);
        Height h = DialogUnitsHigh(c.window);
        rowUnits = std::max(rowUnits, h.control + h.room);
    }
    RECT frame = FrameAround(dialog, above);
    int top = RowBottom(dialog, above), row = InPixelsHigh(dialog, rowUnits);
    OpenRow(dialog, top, row, controls);

    // Widths first: the fitted ones, then what is left for the rest.
    RECT gaps = InPixels(dialog, GAPS);
    int left = TextStart(dialog, above), right = frame.right - gaps.right;
    int widths[16] = {}, rest = right - left, restCount = 0;
    size_t count = std::min(controls.size(), sizeof widths / sizeof widths[0]);
    HDC dc = GetDC(dialog);
    for (size_t i = 0; i < count; ++i) {
        const RowControl &c = controls.begin()[i];
        if (c.fit == FIT_REST)
            ++restCount;
        else
            widths[i] = std::max<int>(NeededWidth(c.window, dc),
                                 c.fit == FIT_RIGHT ? InPixels(dialog, {BUTTON_WIDTH, 0, 0, 0}).left : 0);
        rest -= widths[i] + (i ? gaps.left : 0);
    }
    ReleaseDC(dialog, dc);

    HWND after = above;
    int x = left;
    for (size_t i = 0; i < count; ++i) {
        const RowControl &c = controls.begin()[i];
        int width = c.fit == FIT_REST ? std::max(rest / std::max(restCount, 1), 0) : widths[i];
        if (c.fit == FIT_RIGHT)
            x = std::max(x, right - width);
        // A text wider than the row is cut to it here, and widened with the
        // dialog below.
        width = std::min(width, std::max(right - x, 1));
        int height = InPixelsHigh(dialog, DialogUnitsHigh(c.window).control);
        SetWindowPos(c.window, after, x, top + (row - height) / 2, width, height, SWP_NOACTIVATE);
        after = c.window;
        x += width + gaps.left;
    }
    WidenToFit(dialog);
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
    OpenRow(dialog, a.bottom, a.bottom - a.top, {{box, FIT_TEXT}});
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
