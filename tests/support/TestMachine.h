// A machine of the test's own under Wine: a registry key standing in for the machine's keys, a
// Windows folder for the trainer's INI file and a simulator folder. Windows only, header only.
#pragma once

#include "host/host_discovery.h"
#include "platform/registry.h"
#include "support/TestSupport.h"

#include <windows.h>

namespace pwtest {

using host::kSimulatorKey, host::kSimulatorValue, host::kTrainerKey, host::kTrainerValue;
constexpr const char* kTrainerUninstall =
    "C:\\WINDOWS\\IsUninst.exe -f\"C:\\Program Files\\GARMIN\\GNS Trainer\\Uninst.isu\"";

class TestMachine {
public:
    TestMachine() : root_("SOFTWARE\\Panelwright tests\\" + std::to_string(GetCurrentProcessId())) { DeleteRoot(); }
    ~TestMachine() { DeleteRoot(); }
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    platform::RegistryRoot Registry() const { return {HKEY_LOCAL_MACHINE, root_}; }
    std::string Ini() const { return windows.Path("GARMINWT.INI"); }

    // Value name under subKey of the test root, with exactly these bytes, in the given view (the
    // 32-bit one, which the simulator's and the trainer's 32-bit installers write, or the 64-bit one).
    void SetValue(const std::string& subKey, const char* name, const std::string& bytes, DWORD type = REG_SZ,
                  REGSAM view = KEY_WOW64_32KEY) const {
        HKEY made = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, (root_ + "\\" + subKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                        nullptr, &made, nullptr);
        const platform::OwnedRegistryKey key(made);
        RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size()));
    }
    void SetTrainer() const { SetValue(kTrainerKey, kTrainerValue, kTrainerUninstall + std::string(1, '\0')); }
    void InstallSimulator() const {
        SetValue(kSimulatorKey, kSimulatorValue, simulator.Folder() + std::string(1, '\0'));
    }

    std::string Aircraft(const std::string& path) const { return simulator.Path("aircraft\\" + path); }
    void Write(const std::string& path, const std::string& text) const { WriteBytes(Aircraft(path), text); }

    const TempFolder windows;
    const TempFolder simulator;

private:
    void DeleteRoot() const {
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            HKEY opened = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, root_.c_str(), 0, KEY_ALL_ACCESS | view, &opened) != ERROR_SUCCESS)
                continue;
            {
                const platform::OwnedRegistryKey key(opened);
                RegDeleteTreeA(key.get(), nullptr);
            }
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, root_.c_str(), view, 0);
        }
    }
    const std::string root_;
};

}  // namespace pwtest
