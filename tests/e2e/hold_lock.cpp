// Takes the edit lock of one panel.cfg as an edit takes it, says "held" and sleeps until it is
// killed: the e2e tests kill it and expect the lock to end with it.
//   hold_lock.exe PANEL_CFG
#include "panelcfg/panel_paths.h"
#include "platform/folder_lock.h"

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: hold_lock PANEL_CFG\n");
        return 2;
    }
    platform::FolderLock lock;
    fileio::Error error;
    const platform::LockResult result =
        platform::FolderLock::Acquire(panelcfg::LockPath(argv[1]), std::chrono::milliseconds(0), lock, error, argv[1]);
    if (result != platform::LockResult::Held) {
        if (result == platform::LockResult::Busy)
            std::fprintf(stderr, "hold_lock: busy\n");
        else
            std::fprintf(stderr, "hold_lock: file error %d %s\n", static_cast<int>(error.code), error.system.c_str());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
