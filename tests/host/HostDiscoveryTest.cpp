// Discovery in the registry of a test machine, and button 104 of the real dialog.
#include "host/host_discovery.h"

#include "support/DialogHarness.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pwtest::kSimulatorKey;

TEST(HostDiscoveryTest, SimulatorRootIsReadWithinItsBufferFromThe32BitView) {
    const pwtest::TestMachine machine;
    const platform::RegistryRoot registry = machine.Environment().registry;
    EXPECT_EQ("", host::ReadSimulatorRoot(registry));

    // What a 64-bit Windows holds after a 32-bit installer is in the 32-bit view; a key in the
    // 64-bit view alone is not the simulator's, in either build of the program.
    machine.SetValue(kSimulatorKey, "EXE Path", std::string("C:\\FS64") + '\0', REG_SZ, KEY_WOW64_64KEY);
    EXPECT_EQ("", host::ReadSimulatorRoot(registry));

    const std::string longest = "C:\\" + std::string(256, 'f');  // 259 characters
    const struct { std::string bytes; DWORD type; std::string root; } rows[] = {
        {"C:\\Program Files\\FS2002" + std::string(1, '\0'), REG_SZ, "C:\\Program Files\\FS2002"},
        {longest + std::string(1, '\0'), REG_SZ, longest},
        {longest + "g" + std::string(1, '\0'), REG_SZ, ""},  // no longer fits: missing, not cut, not overrun
        {"D:\\FS2002", REG_BINARY, "D:\\FS2002"},           // any type; no NUL: the bytes end where they end
    };
    for (const auto& row : rows) {
        machine.SetValue(kSimulatorKey, "EXE Path", row.bytes, row.type);
        EXPECT_EQ(row.root, host::ReadSimulatorRoot(registry)) << row.bytes.size();
    }

    EXPECT_EQ(std::nullopt, host::ReadTrainerUninstallText(registry));
    machine.SetTrainer();
    EXPECT_EQ(pwtest::kTrainerUninstall, host::ReadTrainerUninstallText(registry).value_or("missing"));
}

// Button 104 shows the trainer's state, evaluates again on every press and toggles the database
// in state Ready; a write that fails is told and the file decides what is shown.
TEST(HostDiscoveryTest, ButtonShowsTheTrainerStateAndTogglesTheDatabase) {
    const pwtest::TestMachine machine;
    const pwtest::ModelessDialog dialog(machine.Environment());
    const auto caption = [&] { return dialog.Text(IDC_TOGGLE_DATABASE); };
    EXPECT_EQ("GNS Trainer Not Found", caption());

    machine.SetTrainer();
    machine.WriteIni("; trainer settings\r\n[GNC500WT]\r\nJeppDB=americas.img\r\nUnits=1\r\n");
    dialog.Session().trainer.database = host::Database::International;
    dialog.Click(IDC_TOGGLE_DATABASE);  // not Ready before the press: it only evaluates again
    EXPECT_EQ("Toggle Startup Database", caption());
    EXPECT_EQ(host::Database::Americas, dialog.Session().trainer.database);

    dialog.Click(IDC_TOGGLE_DATABASE);
    EXPECT_EQ("; trainer settings\r\n[GNC500WT]\r\nJeppDB=INTRNATL.IMG\r\nUnits=1\r\n", machine.ReadIni());
    EXPECT_EQ(host::Database::International, dialog.Session().trainer.database);
    dialog.Click(IDC_TOGGLE_DATABASE);
    const std::string americas = "; trainer settings\r\n[GNC500WT]\r\nJeppDB=AMERICAS.IMG\r\nUnits=1\r\n";
    EXPECT_EQ(americas, machine.ReadIni());
    EXPECT_EQ(host::Database::Americas, dialog.Session().trainer.database);
    EXPECT_EQ("Toggle Startup Database", caption());

    pwtest::SetReadOnly(machine.Ini(), true);
    pwtest::MessageBoxes boxes;
    dialog.Click(IDC_TOGGLE_DATABASE);
    pwtest::SetReadOnly(machine.Ini(), false);
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("Panelwright", boxes.shown[0].caption);
    EXPECT_NE(std::string::npos, boxes.shown[0].text.find("could not be changed")) << boxes.shown[0].text;
    EXPECT_EQ(americas, machine.ReadIni());
    EXPECT_EQ(host::TrainerState::Ready, dialog.Session().trainer.state);
    EXPECT_EQ(host::Database::Americas, dialog.Session().trainer.database);
}

}  // namespace
