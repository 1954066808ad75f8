#include "harness.h"

#include <cstdio>

namespace testing_support {

std::string HostFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "Bramblecourt host";
}

void HostTest::SetUp()
{
    host::ResetSettings();
    CreateDirectoryA(HostFolder().c_str(), nullptr);
    host::SetHostExecutablePath((HostFolder() + "\\iTunes.exe").c_str());
    if (createWindows) {
        ASSERT_TRUE(host::CreateHostWindows(placement));
    }
    ASSERT_TRUE(host::LoadPlugin()) << "Bramblecourt.dll did not load";
    host::Init();
    ASSERT_NE(host::visualHandler, nullptr) << "no visual handler was registered";
}

void HostTest::StartPlugin(std::initializer_list<Setting> settings)
{
    for (const Setting &s : settings)
        host::SetSettingDword(s.name, s.value);
    host::Idle();
    host::PumpMessages();
}

::testing::AssertionResult SequenceIs(const std::vector<host::Logged> &got,
                                      const std::vector<host::Message> &expected)
{
    std::string report;
    if (host::MatchSequence(got, expected, &report))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << report;
}

} // namespace testing_support
