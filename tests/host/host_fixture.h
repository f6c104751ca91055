// A throw-away host for discovery tests: a registry key under HKEY_LOCAL_MACHINE standing in for
// the machine root, written in the 32-bit view as the simulator's 32-bit installer writes it, and
// a temporary folder standing in for the Windows directory.
#pragma once

#include "platform/registry.h"
#include "platform/windows_dir.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <string>

namespace pwtest {

constexpr const char* kSimulatorKey = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";
constexpr const char* kTrainerKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GARMIN 500 Series Trainer";
constexpr const char* kTrainerUninstall =
    "C:\\WINDOWS\\IsUninst.exe -f\"C:\\Program Files\\GARMIN\\GNS Trainer\\Uninst.isu\"";

class TestHost {
public:
    TestHost() : root_("SOFTWARE\\Panelwright tests\\" + std::to_string(GetCurrentProcessId())) {
        DeleteRoot();
        platform::SetMachineRootOverride(root_);
        platform::SetWindowsDirectoryOverride(windows.Folder());
    }
    ~TestHost() {
        platform::SetMachineRootOverride("");
        platform::SetWindowsDirectoryOverride("");
        DeleteRoot();
    }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // Stores value name under subKey of the test root, with exactly these bytes, in the given
    // registry view (KEY_WOW64_32KEY or KEY_WOW64_64KEY).
    void SetValue(const std::string& subKey, const char* name, const std::string& bytes, DWORD type = REG_SZ,
                  REGSAM view = KEY_WOW64_32KEY) const {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, (root_ + "\\" + subKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                        nullptr, &key, nullptr);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    // A REG_SZ text as the registry stores it, with its NUL.
    void SetText(const std::string& subKey, const char* name, const std::string& text) const {
        SetValue(subKey, name, text + std::string(1, '\0'));
    }
    void SetTrainer(const std::string& uninstall = kTrainerUninstall) const {
        SetText(kTrainerKey, "UninstallString", uninstall);
    }

    void WriteIni(const std::string& bytes) const { WriteBytes(windows.Path("GARMINWT.INI"), bytes); }
    std::string ReadIni() const { return ReadBytes(windows.Path("GARMINWT.INI")); }

    const TempFolder windows;

private:
    void DeleteRoot() const {
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, root_.c_str(), 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS)
                continue;
            RegDeleteTreeA(key, nullptr);
            RegCloseKey(key);
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, root_.c_str(), view, 0);
        }
    }
    const std::string root_;
};

}  // namespace pwtest
