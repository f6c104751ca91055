// The simulator's folder and the trainer's uninstall text as the registry gives them, on a test
// machine's own keys (Windows only).
#include "host/host_discovery.h"

#include "support/TestMachine.h"

namespace {

using namespace pwtest;

TEST(HostDiscoveryTest, SimulatorRootIsReadWithinItsBufferFromThe32BitView) {
    const TestMachine machine;
    const platform::RegistryRoot registry = machine.Registry();
    EXPECT_EQ("", host::ReadSimulatorRoot(registry));
    // A key in the 64-bit view alone is not the simulator's, in either build of the program.
    machine.SetValue(kSimulatorKey, kSimulatorValue, std::string("C:\\FS64") + '\0', REG_SZ, KEY_WOW64_64KEY);
    EXPECT_EQ("", host::ReadSimulatorRoot(registry));

    const std::string longest = "C:\\" + std::string(256, 'f');  // 259 characters
    const struct {
        std::string bytes;
        DWORD type;
        std::string root;
    } rows[] = {
        {longest + std::string(1, '\0'), REG_SZ, longest},
        {longest + "g" + std::string(1, '\0'), REG_SZ, ""},  // no longer fits: missing, not cut, not overrun
        {"D:\\FS2002", REG_BINARY, "D:\\FS2002"},            // any type; no NUL: the bytes end where they end
        {"D:\\FS2002\\\\" + std::string(1, '\0'), REG_SZ, "D:\\FS2002"},  // without its trailing separators
    };
    for (const auto& row : rows) {
        machine.SetValue(kSimulatorKey, kSimulatorValue, row.bytes, row.type);
        EXPECT_EQ(row.root, host::ReadSimulatorRoot(registry)) << row.bytes.size();
    }
    EXPECT_EQ(std::nullopt, host::ReadTrainerUninstallText(registry));
    machine.SetTrainer();
    EXPECT_EQ(kTrainerUninstall, host::ReadTrainerUninstallText(registry).value_or("missing"));
}

}  // namespace
