// Topics of the demo, each in a file of its own; main() calls them in turn.
#pragma once
#include <string>

// Where screenshots go: the demo's working folder.
std::string DemoOutputPath(const char *fileName);
// Now playing: store the output options before the start-up reads them, then
// print each output after a start and a stop.
void EnableNowPlayingOutputs();
void ShowNowPlaying(const std::string &hostFolder);

// Opens the options dialog, saves a screenshot of it and closes it.
void DemoOptionsDialog();
// Screenshots of the skinned title bars.
void ShowSkin();
