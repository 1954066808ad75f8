// The session's buttons: a press in the overlay, or a media key that Windows
// routed to the session, becomes the same command the media-key hook posts
// to the host main window, once per press.
//
// Windows calls the handler on a thread of its own, at any time until it
// has released it: the handler says it is agile, so no apartment holds the
// call up, and it does no more than one posted message.
#include "mediacontrols/parts.h"

#include <new>

#include "mainwindow/mediakeys.h"
#include "mediacontrols/mediacontrols.h"

namespace mediacontrols {
namespace {

struct ButtonKey {
    ControlsButton button;
    DWORD key;
};

// The overlay shows play and pause in turn; the host knows one command for
// both, as its key has.
constexpr ButtonKey BUTTON_KEYS[] = {
    {BUTTON_PLAY, VK_MEDIA_PLAY_PAUSE},    {BUTTON_PAUSE, VK_MEDIA_PLAY_PAUSE},
    {BUTTON_STOP, VK_MEDIA_STOP},          {BUTTON_NEXT, VK_MEDIA_NEXT_TRACK},
    {BUTTON_PREVIOUS, VK_MEDIA_PREV_TRACK},
};

class ButtonHandler final : public Handler<ButtonHandler, IButtonPressedHandler, IID_BUTTON_PRESSED_HANDLER> {
public:
    // A press that comes in after the session ended (it was on its way) is
    // the hook's again: it is not posted twice.
    HRESULT STDMETHODCALLTYPE Invoke(ISystemMediaTransportControls *,
                                     ISystemMediaTransportControlsButtonPressedEventArgs *args) override
    {
        ControlsButton button;
        if (!args || FAILED(args->get_Button(&button)))
            return E_INVALIDARG;
        for (const ButtonKey &row : BUTTON_KEYS)
            if (row.button == button && MediaControlsLive())
                PostMediaKeyCommand(row.key);
        return S_OK;
    }
};

} // namespace

IButtonPressedHandler *NewButtonHandler()
{
    return new (std::nothrow) ButtonHandler;
}

} // namespace mediacontrols
