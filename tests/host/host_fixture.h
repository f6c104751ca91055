// A throw-away host for discovery tests: a registry root under HKEY_CURRENT_USER standing in
// for HKEY_LOCAL_MACHINE, and a folder standing in for the Windows directory.
#pragma once

#include "platform/registry.h"
#include "platform/windows_dir.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

namespace pwtest {

constexpr const char* kSimulatorKey = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";
constexpr const char* kTrainerKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GARMIN 500 Series Trainer";
constexpr const char* kTrainerUninstall =
    "C:\\WINDOWS\\IsUninst.exe -f\"C:\\Program Files\\GARMIN\\GNS Trainer\\Uninst.isu\"";

class TestHost {
public:
    TestHost() {
        root_ = "Software\\Panelwright tests\\" + std::to_string(GetCurrentProcessId());
        RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
        platform::SetMachineRootOverride(root_);

        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        windowsFolder = std::string(temp) + "pw-windows-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(windowsFolder.c_str(), nullptr);
        RemoveFolderFiles();
        platform::SetWindowsDirectoryOverride(windowsFolder);
    }
    ~TestHost() {
        platform::SetMachineRootOverride("");
        platform::SetWindowsDirectoryOverride("");
        RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
        RemoveFolderFiles();
        RemoveDirectoryA(windowsFolder.c_str());
    }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // Stores value name under subKey of the test root, with exactly these bytes.
    void SetValue(const std::string& subKey, const char* name, const std::string& bytes,
                  DWORD type = REG_SZ) {
        HKEY key = nullptr;
        const std::string path = root_ + "\\" + subKey;
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    // A REG_SZ text as the registry stores it, with its NUL.
    void SetText(const std::string& subKey, const char* name, const std::string& text) {
        SetValue(subKey, name, text + std::string(1, '\0'));
    }
    void SetTrainer(const std::string& uninstall = kTrainerUninstall) {
        SetText(kTrainerKey, "UninstallString", uninstall);
    }

    std::string IniPath() const { return windowsFolder + "\\GARMINWT.INI"; }
    void WriteIni(const std::string& bytes) const {
        std::ofstream(IniPath(), std::ios::binary) << bytes;
    }
    std::string ReadIni() const {
        std::ifstream in(IniPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string windowsFolder;

private:
    void RemoveFolderFiles() const {
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((windowsFolder + "\\*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((windowsFolder + "\\" + entry.cFileName).c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }

    std::string root_;
};

}  // namespace pwtest
