// Topics of the demo, each in a file of its own; main() calls them in turn.
#pragma once
#include <string>

// Where screenshots go: the demo's working folder.
std::string DemoOutputPath(const char *fileName);
// Screenshots of the skinned title bars.
void ShowSkin();
