// Recording and comparing message sequences.
#include "msglog.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace host {

std::vector<Logged> received;
std::vector<Logged> queued;

void ClearLogs()
{
    received.clear();
    queued.clear();
}

std::vector<Logged> Select(const std::vector<Logged> &log, HWND window, std::vector<UINT> only)
{
    std::vector<Logged> out;
    for (const Logged &entry : log)
        if (entry.window == window &&
            (only.empty() || std::find(only.begin(), only.end(), entry.message) != only.end()))
            out.push_back(entry);
    return out;
}

namespace {

constexpr std::array<std::pair<UINT, const char *>, 52> MESSAGE_NAMES = {{
    {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
    {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_ENABLE, "WM_ENABLE"}, {WM_SETTEXT, "WM_SETTEXT"}, {WM_GETTEXT, "WM_GETTEXT"}, {WM_PAINT, "WM_PAINT"},
    {WM_CLOSE, "WM_CLOSE"}, {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
    {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"}, {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
    {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_STYLECHANGING, "WM_STYLECHANGING"},
    {WM_STYLECHANGED, "WM_STYLECHANGED"}, {WM_GETICON, "WM_GETICON"}, {WM_NCCREATE, "WM_NCCREATE"},
    {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"}, {WM_NCHITTEST, "WM_NCHITTEST"},
    {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"}, {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
    {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"},
    {WM_CHAR, "WM_CHAR"}, {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_SYSKEYUP, "WM_SYSKEYUP"},
    {WM_COMMAND, "WM_COMMAND"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"}, {WM_APPCOMMAND, "WM_APPCOMMAND"},
    {WM_USER, "WM_USER"}, {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_ENTERMENULOOP, "WM_ENTERMENULOOP"},
    {WM_EXITMENULOOP, "WM_EXITMENULOOP"}, {WM_INITMENU, "WM_INITMENU"}, {WM_MENUSELECT, "WM_MENUSELECT"},
    {WM_NCMOUSELEAVE, "WM_NCMOUSELEAVE"},
}};

bool Matches(const Logged &got, const Message &want)
{
    if (got.message != want.message)
        return false;
    if ((want.flags & (sent | posted)) && !(got.flags & want.flags & (sent | posted)))
        return false;
    if ((want.flags & wparam) && got.wParam != want.wParam)
        return false;
    if ((want.flags & lparam) && got.lParam != want.lParam)
        return false;
    return true;
}

std::string Line(const Logged &m)
{
    char text[160];
    snprintf(text, sizeof text, "%-20s %-6s wp %08lx lp %08lx", MessageName(m.message).c_str(),
             (m.flags & posted) ? "posted" : "sent", (unsigned long)m.wParam, (unsigned long)m.lParam);
    return text;
}

std::string Line(const Message &m)
{
    char text[160];
    const char *how = (m.flags & posted) ? "posted" : (m.flags & sent) ? "sent" : "any";
    char wp[16] = "*", lp[16] = "*";
    if (m.flags & wparam)
        snprintf(wp, sizeof wp, "%08lx", (unsigned long)m.wParam);
    if (m.flags & lparam)
        snprintf(lp, sizeof lp, "%08lx", (unsigned long)m.lParam);
    snprintf(text, sizeof text, "%-20s %-6s wp %-8s lp %-8s%s", MessageName(m.message).c_str(), how, wp, lp,
             (m.flags & optional) ? " (optional)" : "");
    return text;
}

} // namespace

std::string MessageName(UINT message)
{
    for (const auto &row : MESSAGE_NAMES)
        if (row.first == message)
            return row.second;
    char text[16];
    snprintf(text, sizeof text, "0x%04x", message);
    return text;
}

std::string Describe(const std::vector<Logged> &log)
{
    std::string out;
    for (const Logged &m : log)
        out += "  " + Line(m) + "\n";
    return out;
}

bool MatchSequence(const std::vector<Logged> &got, const std::vector<Message> &expected, std::string *report)
{
    size_t g = 0, e = 0;
    bool ok = true;
    while (e < expected.size()) {
        if (g < got.size() && Matches(got[g], expected[e])) {
            ++g, ++e;
        } else if (expected[e].flags & optional) {
            ++e;
        } else {
            ok = false;
            break;
        }
    }
    if (g != got.size())
        ok = false;
    if (!ok && report) {
        std::string text = "message sequences differ\n  expected                                               | got\n";
        size_t rows = std::max(expected.size(), got.size());
        for (size_t i = 0; i < rows; ++i) {
            std::string left = i < expected.size() ? Line(expected[i]) : "";
            left.resize(55, ' ');
            std::string right = i < got.size() ? Line(got[i]) : "";
            text += (i == e || i == g ? "> " : "  ") + left + "| " + right + "\n";
        }
        *report = text;
    }
    return ok;
}

} // namespace host
