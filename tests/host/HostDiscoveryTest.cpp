// Discovery on a test registry root and a test Windows folder, and button 104 in the dialog.
#include "host/host_discovery.h"
#include "host/host_state.h"
#include "host/host_fixture.h"
#include "app/dialog_fixture.h"
#include "app/shell_state.h"
#include "platform/profile_file.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pwtest::ControlText;
using pwtest::kSimulatorKey;
using pwtest::ModelessDialog;

std::string g_messageBoxText;
UINT_PTR g_closeBoxTimer = 0;

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowA("#32770", "Panelwright");
    if (!box) return;
    KillTimer(nullptr, g_closeBoxTimer);
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static control
    g_messageBoxText = text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// A write that fails is told, and the caption and index follow what the file still holds.
void FailedToggleSaysSoAndShowsWhatTheFileHolds(const pwtest::TestHost& host, ModelessDialog& dialog) {
    const std::string before = host.ReadIni();
    profile::SetSaveFaultHook([](const char*, const std::string&) { return false; });
    g_closeBoxTimer = SetTimer(nullptr, 0, 20, CloseMessageBox);
    dialog.Click(IDC_TOGGLE_DATABASE);
    KillTimer(nullptr, g_closeBoxTimer);
    profile::SetSaveFaultHook(nullptr);

    EXPECT_NE(std::string::npos, g_messageBoxText.find("could not be changed")) << g_messageBoxText;
    EXPECT_EQ(before, host.ReadIni());
    EXPECT_EQ(0, host::g_host.trainerState);
    EXPECT_EQ(1, host::g_host.databaseIndex);
}

class HostDiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::g_host = host::HostState{};
        app::g_shell = app::ShellState{};
    }
    pwtest::TestHost host_;
};

TEST_F(HostDiscoveryTest, SimulatorRootIsReadWithinItsBuffer) {
    EXPECT_EQ(0, host::ReadSimulatorRoot());
    EXPECT_EQ("", host::g_host.simulatorRoot);

    host_.SetText(kSimulatorKey, "EXE Path", "C:\\Program Files\\Microsoft Games\\FS2002");
    EXPECT_EQ(1, host::ReadSimulatorRoot());
    EXPECT_EQ("C:\\Program Files\\Microsoft Games\\FS2002", host::g_host.simulatorRoot);

    const std::string longest = "C:\\" + std::string(256, 'f');  // 259 characters
    host_.SetText(kSimulatorKey, "EXE Path", longest);
    EXPECT_EQ(1, host::ReadSimulatorRoot());
    EXPECT_EQ(longest, host::g_host.simulatorRoot);

    // One more and it no longer fits: missing, not cut and not overrun.
    host_.SetText(kSimulatorKey, "EXE Path", longest + "g");
    EXPECT_EQ(1, host::ReadSimulatorRoot());
    EXPECT_EQ("", host::g_host.simulatorRoot);

    // The type is not looked at; bytes stored without a NUL end where they end.
    host_.SetValue(kSimulatorKey, "EXE Path", "D:\\FS2002", REG_BINARY);
    EXPECT_EQ(1, host::ReadSimulatorRoot());
    EXPECT_EQ("D:\\FS2002", host::g_host.simulatorRoot);
}

TEST_F(HostDiscoveryTest, TrainerStateFollowsRegistryAndIni) {
    EXPECT_EQ(-2, host::EvaluateTrainer());

    host_.SetTrainer("C:\\WINDOWS\\IsUninst.exe -f");
    EXPECT_EQ(-1, host::EvaluateTrainer());
    host_.SetTrainer(std::string(150, 'a') + "C:\\x " + std::string(150, 'b') + "D:\\y");  // too long
    EXPECT_EQ(-1, host::EvaluateTrainer());

    host_.SetTrainer();
    EXPECT_EQ(-3, host::EvaluateTrainer());  // no INI
    host_.WriteIni("[GNC500WT]\r\nJeppDB=GLOBAL.IMG\r\n");
    EXPECT_EQ(-3, host::EvaluateTrainer());
    host_.WriteIni("[GNC500WT]\r\nJeppDB=notfound\r\n");
    EXPECT_EQ(-3, host::EvaluateTrainer());

    host::g_host.databaseIndex = 1;
    host_.WriteIni("[gnc500wt]\r\njeppdb=americas.img\r\n");
    EXPECT_EQ(0, host::EvaluateTrainer());
    EXPECT_EQ(0, host::g_host.databaseIndex);
    host_.WriteIni("[GNC500WT]\r\nJeppDB=INTRNATL.IMG\r\n");
    EXPECT_EQ(0, host::EvaluateTrainer());
    EXPECT_EQ(1, host::g_host.databaseIndex);
}

// Dialogs are few here: under Wine without a window manager each one costs two seconds to hide.
TEST_F(HostDiscoveryTest, ButtonCaptionShowsEachTrainerState) {
    ModelessDialog dialog;
    const auto caption = [&] { return ControlText(dialog.window, IDC_TOGGLE_DATABASE); };
    EXPECT_EQ("GNS Trainer Not Found", caption());

    // A press while the state is not 0 only evaluates again, so each state shows in turn.
    host_.SetTrainer("\"C:\\GARMIN\\uninstall.exe\"");
    dialog.Click(IDC_TOGGLE_DATABASE);
    EXPECT_EQ("GNS Trainer Registry Error", caption());

    host_.SetTrainer();
    const std::string unknown = "[GNC500WT]\nJeppDB=GLOBAL.IMG\n";
    host_.WriteIni(unknown);
    dialog.Click(IDC_TOGGLE_DATABASE);
    EXPECT_EQ("GNS Trainer .INI DB Error", caption());
    dialog.Click(IDC_TOGGLE_DATABASE);
    EXPECT_EQ(unknown, host_.ReadIni());  // an unknown database is never overwritten
    EXPECT_EQ("GNS Trainer .INI DB Error", caption());

    host_.WriteIni("[GNC500WT]\nJeppDB=americas.img\n");
    dialog.Click(IDC_TOGGLE_DATABASE);
    EXPECT_EQ("[GNC500WT]\nJeppDB=americas.img\n", host_.ReadIni());
    EXPECT_EQ(0, host::g_host.trainerState);
    EXPECT_EQ(0, host::g_host.databaseIndex);
    EXPECT_EQ("Toggle Startup Database", caption());
}

TEST_F(HostDiscoveryTest, ToggleRewritesTheDatabaseAndFlipsTheIndex) {
    host_.SetTrainer();
    host_.WriteIni("; trainer settings\r\n[GNC500WT]\r\nJeppDB=INTRNATL.IMG\r\nUnits=1\r\n");
    ModelessDialog dialog;
    ASSERT_EQ(0, host::g_host.trainerState);
    ASSERT_EQ(1, host::g_host.databaseIndex);
    EXPECT_EQ("Toggle Startup Database", ControlText(dialog.window, IDC_TOGGLE_DATABASE));

    dialog.Click(IDC_TOGGLE_DATABASE);
    EXPECT_EQ("; trainer settings\r\n[GNC500WT]\r\nJeppDB=AMERICAS.IMG\r\nUnits=1\r\n", host_.ReadIni());
    EXPECT_EQ(0, host::g_host.trainerState);
    EXPECT_EQ(0, host::g_host.databaseIndex);
    EXPECT_EQ("Toggle Startup Database", ControlText(dialog.window, IDC_TOGGLE_DATABASE));

    dialog.Click(IDC_TOGGLE_DATABASE);
    EXPECT_EQ("; trainer settings\r\n[GNC500WT]\r\nJeppDB=INTRNATL.IMG\r\nUnits=1\r\n", host_.ReadIni());
    EXPECT_EQ(1, host::g_host.databaseIndex);

    FailedToggleSaysSoAndShowsWhatTheFileHolds(host_, dialog);
}

}  // namespace
