// What every test of the module starts from: a substitute host with its
// windows on this thread, the real module loaded and connected by "init".
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "host.h"
#include "msglog.h"

namespace testing_support {

struct Setting {
    const char *name;
    DWORD value;
};

// A host with no stored settings, its windows created, the module loaded and
// "init" done. StartUp (the first "null") is left to the test, so it can
// place settings and windows first.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Stores the settings, then sends the first idle message.
    void StartPlugin(std::initializer_list<Setting> settings = {});
    host::WindowPlacement placement;
    bool createWindows = true;
};

// Compares what a window received with a whole expected sequence.
::testing::AssertionResult SequenceIs(const std::vector<host::Logged> &got,
                                      const std::vector<host::Message> &expected);

// Folder of the substitute host's executable; CurrentSong.txt lands here.
std::string HostFolder();
// %LOCALAPPDATA%\Bramblecourt: the song files' place when the host's
// folder refuses them.
std::string PerUserFolder();

// What a user or another program reads (host/readback.cpp).
using host::ClipboardText;
using host::ClipboardUnicodeText;
using host::FileBytes;
using host::WindowText;
using host::WindowTextW;

// Installs, for this process only, a copy of a TrueType font whose names
// say family instead: a face the machine does not have becomes installed
// for real (enumerated and selected by that name). False on failure.
bool InstallFontAs(const char *ttfPath, const char *family);

} // namespace testing_support
