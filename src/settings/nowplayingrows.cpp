// The line's format acts at every keystroke, as every option of the dialog
// acts at its click: stored, shown in the preview and written to the file.
#include "settings/nowplayingrows.h"

#include "nowplaying/linefile.h"
#include "plugin/plugin.h"
#include "resources/resource.h"
#include "settings/optionslayout.h"
#include "settings/settings.h"

#include <cwchar>

namespace {

constexpr wchar_t FORMAT_LABEL[] = L"Line format:";
// The preview's room; the static cuts what does not fit with an ellipsis.
constexpr size_t PREVIEW_UNITS = 512;

HMENU ControlId(int id)
{
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

// Unicode windows in the dialog of 8-bit ones, so that a format or a title
// outside the code page shows whole.
HWND AddControl(HWND dialog, DWORD exStyle, const wchar_t *className, const wchar_t *text, DWORD style, int id)
{
    return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                           ControlId(id), moduleInstance, nullptr);
}

void ShowPreview(HWND dialog, const wchar_t *format)
{
    wchar_t line[PREVIEW_UNITS];
    PreviewLine(format, line, PREVIEW_UNITS);
    SetDlgItemTextW(dialog, IDC_LINE_PREVIEW, line);
}

} // namespace

void AddNowPlayingRows(HWND dialog, HWND songFileRow)
{
    TextSettingValue format;
    CopyTextSetting(LINE_FORMAT, format);
    HWND label = AddControl(dialog, 0, L"Static", FORMAT_LABEL, SS_LEFT | SS_NOPREFIX, IDC_LINE_FORMAT_LABEL);
    HWND box = AddControl(dialog, WS_EX_CLIENTEDGE, L"Edit", format, WS_TABSTOP | ES_AUTOHSCROLL, IDC_LINE_FORMAT);
    HWND preview = AddControl(dialog, 0, L"Static", L"", SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS | SS_NOPREFIX,
                              IDC_LINE_PREVIEW);
    HWND cover = CreateWindowExA(0, "Button", COVER_TEXT, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0,
                                 0, 0, dialog, ControlId(IDC_COVER), moduleInstance, nullptr);
    SendMessageW(box, EM_LIMITTEXT, TEXT_SETTING_UNITS, 0);
    // Each row goes right under the path, pushing the one before down.
    InsertRowBelow(dialog, songFileRow, {{cover, FIT_TEXT}});
    InsertRowBelow(dialog, songFileRow, {{label, FIT_TEXT}, {box, FIT_REST}});
    InsertRowBelow(dialog, box, {{preview, FIT_REST}});
    ShowPreview(dialog, format);
}

// A text set on the box notifies like typing; only a real change is stored.
void OnLineFormatCommand(HWND dialog, WORD notification)
{
    if (notification != EN_CHANGE)
        return;
    TextSettingValue typed, stored;
    GetDlgItemTextW(dialog, IDC_LINE_FORMAT, typed, TEXT_SETTING_UNITS + 1);
    CopyTextSetting(LINE_FORMAT, stored);
    ShowPreview(dialog, typed);
    if (wcscmp(typed, stored) == 0)
        return;
    SaveTextSetting(LINE_FORMAT, typed);
    LineFormatChanged();
}
