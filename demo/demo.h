// Topics of the demo, each in a file of its own; main() calls them in turn.
#pragma once
#include <string>

// Where screenshots go: the demo's working folder.
std::string DemoOutputPath(const char *fileName);
// Now playing: store the output options before the start-up reads them, then
// print each output after a start and a stop.
void EnableNowPlayingOutputs();
void ShowNowPlaying(const std::string &hostFolder);
// Screenshots of the skinned title bars.
void ShowSkin();
// The same main window at 200 %: the demo started again, in a process whose
// display is at 192 DPI, with this argument.
constexpr char SCALED_SKIN_ARGUMENT[] = "--skin-at-200-percent";
int ShowSkinAtDoubleScale();

// Opens the options dialog, saves a screenshot of it and closes it.
void DemoOptionsDialog();
