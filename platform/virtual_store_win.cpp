#include "platform/virtual_store.h"

#include "platform/paths.h"
#include "platform/unique_handle.h"
#include "platform/wide_text.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <memory>

namespace platform {

namespace {

struct TaskMemFree {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

// The folder as the system names it, in the ANSI code page; empty when it cannot say or the
// code page cannot spell it (no file the program opens could lie there then).
std::string Spelled(const std::wstring& wide) {
    bool spelled = false;
    const std::string ansi = Narrow(wide, CP_ACP, &spelled);
    return spelled ? WithoutTrailingSeparators(ansi) : std::string();
}

std::string KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(id, 0, nullptr, &raw);
    const std::unique_ptr<wchar_t, TaskMemFree> owned(raw);  // freed even when the call failed
    return SUCCEEDED(result) && raw ? Spelled(raw) : std::string();
}

// A policy of User Account Control set to 0. With UAC off (EnableLUA) or its virtualization off
// (EnableVirtualization), Windows redirects no program: the simulator reads the files in its folder.
bool PolicyOff(const char* name) {
    DWORD value = 1, size = sizeof value;
    return RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", name,
                        RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS &&
           value == 0;
}

}  // namespace

VirtualStore SystemVirtualStore() {
    VirtualStore store;
    if (PolicyOff("EnableLUA") || PolicyOff("EnableVirtualization")) return store;
    // A 32-bit program on 64-bit Windows is told "Program Files (x86)" for both Program Files
    // folders and cannot ask for the 64-bit one; the system sets ProgramW6432 for it instead.
    std::wstring programW6432(MAX_PATH, L'\0');
    const DWORD n = GetEnvironmentVariableW(L"ProgramW6432", &programW6432[0], MAX_PATH);
    programW6432.resize(n < MAX_PATH ? n : 0);
    for (const std::string& folder :
         {KnownFolder(FOLDERID_ProgramFiles), KnownFolder(FOLDERID_ProgramFilesX86), KnownFolder(FOLDERID_Windows),
          KnownFolder(FOLDERID_ProgramData), Spelled(programW6432)}) {
        if (!folder.empty()) store.folders.push_back(folder);
    }
    const std::string local = KnownFolder(FOLDERID_LocalAppData);
    if (!local.empty()) store.root = local + "\\VirtualStore";
    return store;
}

bool RefusesNewFiles(const std::string& folder) {
    // Opening the folder for adding files asks the folder's access rules, and writes nothing.
    const platform::OwnedFileHandle handle(
        ValidOrNull(CreateFileA(folder.c_str(), FILE_ADD_FILE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
    return !handle && GetLastError() == ERROR_ACCESS_DENIED;
}

}  // namespace platform
