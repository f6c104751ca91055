#include "platform/elevation.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <string>

namespace platform {

namespace {

// COM for the shell's handlers of the verb, on this thread for the call's length.
class ComForCall {
public:
    ComForCall() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComForCall() {
        if (ok_) CoUninitialize();
    }
    ComForCall(const ComForCall&) = delete;
    ComForCall& operator=(const ComForCall&) = delete;

private:
    bool ok_;
};

// This process's exe, however long its path; empty when the system does not say.
std::wstring OwnExe() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0) return std::wstring();
        if (n < path.size()) return path.substr(0, n);
        if (path.size() >= 32768) return std::wstring();
        path.resize(path.size() * 2);
    }
}

}  // namespace

Restart RestartAsAdministrator() {
    const std::wstring exe = OwnExe();
    if (exe.empty()) return {RestartResult::Failed, GetLastError()};
    const ComForCall com;
    // No process handle is asked for, so none is left to close.
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"runas";
    info.lpFile = exe.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info)) return {RestartResult::Started, 0};
    const DWORD error = GetLastError();
    return {error == ERROR_CANCELLED ? RestartResult::Declined : RestartResult::Failed, error};
}

}  // namespace platform
