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

using pwtest::kSimulatorKey;

std::string g_messageBoxText;
UINT_PTR g_closeBoxTimer = 0;

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowA("#32770", "Panelwright");
    if (!box) return;
    KillTimer(nullptr, g_closeBoxTimer);
    g_messageBoxText = pwtest::ControlText(box, 0xFFFF);  // the message's static control
    PostMessageA(box, WM_COMMAND, IDOK, 0);
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

    // What a 64-bit Windows holds after a 32-bit installer is in the 32-bit view; a key in the
    // 64-bit view alone is not the simulator's, in either build of the program.
    host_.SetValue(kSimulatorKey, "EXE Path", std::string("C:\\FS64") + '\0', REG_SZ, KEY_WOW64_64KEY);
    EXPECT_EQ(0, host::ReadSimulatorRoot());
    EXPECT_EQ("", host::g_host.simulatorRoot);

    const std::string longest = "C:\\" + std::string(256, 'f');  // 259 characters
    const struct { std::string bytes; DWORD type; std::string root; } rows[] = {
        {"C:\\Program Files\\FS2002" + std::string(1, '\0'), REG_SZ, "C:\\Program Files\\FS2002"},
        {longest + std::string(1, '\0'), REG_SZ, longest},
        {longest + "g" + std::string(1, '\0'), REG_SZ, ""},  // no longer fits: missing, not cut, not overrun
        {"D:\\FS2002", REG_BINARY, "D:\\FS2002"},           // any type; no NUL: the bytes end where they end
    };
    for (const auto& row : rows) {
        host_.SetValue(kSimulatorKey, "EXE Path", row.bytes, row.type);
        EXPECT_EQ(1, host::ReadSimulatorRoot());
        EXPECT_EQ(row.root, host::g_host.simulatorRoot) << row.bytes.size();
    }
}

// One dialog for every state: under Wine without a window manager each costs two seconds to hide.
// A press while the state is not 0 only evaluates again, so each state shows in turn.
TEST_F(HostDiscoveryTest, ButtonShowsEachTrainerStateAndTogglesTheDatabase) {
    pwtest::ModelessDialog dialog;
    const auto caption = [&] { return pwtest::ControlText(dialog.window, IDC_TOGGLE_DATABASE); };
    EXPECT_EQ("GNS Trainer Not Found", caption());

    const std::string trainer = pwtest::kTrainerUninstall;
    const std::string ready = "; trainer settings\r\n[GNC500WT]\r\nJeppDB=americas.img\r\nUnits=1\r\n";
    const struct { std::string uninstall, ini; int state; const char* caption; } rows[] = {
        {"\"C:\\GARMIN\\uninstall.exe\"", "", -1, "GNS Trainer Registry Error"},
        {std::string(150, 'a') + "C:\\x " + std::string(150, 'b') + "D:\\y", "", -1,
         "GNS Trainer Registry Error"},  // too long for its buffer
        {trainer, "", -3, "GNS Trainer .INI DB Error"},  // no INI
        {trainer, "[GNC500WT]\nJeppDB=GLOBAL.IMG\n", -3, "GNS Trainer .INI DB Error"},
        {trainer, "[GNC500WT]\nJeppDB=notfound\n", -3, "GNS Trainer .INI DB Error"},
        {trainer, ready, 0, "Toggle Startup Database"},
    };
    for (const auto& row : rows) {
        host_.SetTrainer(row.uninstall);
        if (!row.ini.empty()) host_.WriteIni(row.ini);
        host::g_host.databaseIndex = 1;
        dialog.Click(IDC_TOGGLE_DATABASE);
        EXPECT_EQ(row.caption, caption()) << row.state;
        EXPECT_EQ(row.state, host::g_host.trainerState);
        EXPECT_EQ(row.ini, host_.ReadIni());  // an unknown database is never overwritten
    }
    EXPECT_EQ(0, host::g_host.databaseIndex);

    // In state 0 a press flips the database; only its line changes.
    dialog.Click(IDC_TOGGLE_DATABASE);
    EXPECT_EQ("; trainer settings\r\n[GNC500WT]\r\nJeppDB=INTRNATL.IMG\r\nUnits=1\r\n", host_.ReadIni());
    EXPECT_EQ(1, host::g_host.databaseIndex);
    dialog.Click(IDC_TOGGLE_DATABASE);
    const std::string americas = "; trainer settings\r\n[GNC500WT]\r\nJeppDB=AMERICAS.IMG\r\nUnits=1\r\n";
    EXPECT_EQ(americas, host_.ReadIni());
    EXPECT_EQ(0, host::g_host.databaseIndex);
    EXPECT_EQ("Toggle Startup Database", caption());

    // A write that fails is told, and the caption and index follow what the file still holds.
    profile::SetSaveFaultHook([](const char*, const std::string&) { return false; });
    g_closeBoxTimer = SetTimer(nullptr, 0, 20, CloseMessageBox);
    dialog.Click(IDC_TOGGLE_DATABASE);
    KillTimer(nullptr, g_closeBoxTimer);
    profile::SetSaveFaultHook(nullptr);
    EXPECT_NE(std::string::npos, g_messageBoxText.find("could not be changed")) << g_messageBoxText;
    EXPECT_EQ(americas, host_.ReadIni());
    EXPECT_EQ(0, host::g_host.trainerState);
    EXPECT_EQ(0, host::g_host.databaseIndex);
}

}  // namespace
