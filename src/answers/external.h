// The interface for other programs: the finder window, registered windows,
// notifications and the three query messages.
#pragma once
#include <windows.h>
#include <cstdint>

constexpr UINT MSG_GET_PLAY_STATE = 29872;
constexpr UINT MSG_GET_POSITION = 29874;
constexpr UINT MSG_COPY_TRACK_RECORD = 29875;

// Slots "RegisteredWindow1" to "RegisteredWindow24" on the host main window.
constexpr int MAX_REGISTERED_WINDOWS = 24;

constexpr uint32_t NOTIFY_TRACK_STARTED = 29901;
constexpr uint32_t NOTIFY_TRACK_STOPPED = 29902;
constexpr uint32_t NOTIFY_HOST_CLOSING = 29903;
constexpr uint32_t NOTIFY_POSITION_SET = 29904;

extern HWND finderWindow;

void CreateFinderWindow();
void DestroyFinderWindow();
void NotifyRegisteredWindows(uint32_t code);
LRESULT AnswerExternalQuery(UINT message, WPARAM wParam, LPARAM lParam);
// WM_DESTROY of the host main window, before it goes on to the host.
void ShutDownExternalInterface();
