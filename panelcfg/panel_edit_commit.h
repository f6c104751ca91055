// One edit of a panel.cfg from start to end, so that the user's file is never left half-written
// or lost and no edit reported done is ever undone: the edit's lock, the leftovers of an
// interrupted edit, the read it plans from, and the save.
#pragma once

#include "platform/folder_lock.h"
#include "platform/profile_file.h"

#include <string>

namespace panelcfg {

// An edit in progress: its lock held from the read it plans from until its backup is gone.
struct PanelEdit {
    std::string file;            // the panel.cfg
    platform::FolderLock lock;   // released when the edit ends
    profile::LoadedFile loaded;  // the file as read under the lock
    bool sweep = false;          // an interrupted edit's leftovers are still to be cleared
};

enum class OpenResult {
    Opened,  // locked and read (the file may be missing: loaded.existed)
    Busy,    // another program holds the lock of this panel.cfg (it waited about a second)
    Failed,  // the lock could not be taken or the file not read (error says why)
};

// Takes the edit lock of file, and reads it. Under the lock nobody else edits the file, so what
// lies beside a panel.cfg read whole is an interrupted edit's: its temporary file, and a backup
// of content the file has moved on from (the file itself is always the old content or the new,
// never a mix). A real edit (not dryRun) clears them: CommitEdit on its way, EndWithoutSave
// when it saves nothing. A missing panel.cfg keeps its backup, which is then all there is of it.
OpenResult OpenPanelEdit(const std::string& file, bool dryRun, PanelEdit& edit, fileio::Error& error,
                         fileio::FileSystem& files = fileio::SystemFiles());

// Ends an opened edit that saves nothing: clears the leftovers an edit that saves would clear.
void EndWithoutSave(PanelEdit& edit, fileio::FileSystem& files = fileio::SystemFiles());

enum class CommitStage {
    None,    // saved and verified
    Backup,  // the backup copy could not be made; nothing was written
    Save,    // the save failed (the file is atomic: still the old content)
    Verify,  // the file read back after the save did not hold what was written
};

struct CommitResult {
    bool ok = false;
    CommitStage stage = CommitStage::None;
    fileio::Error error;         // what failed, with the engine's reason
    bool restored = true;        // on failure: the file is as it was before the edit
    bool backupKept = false;     // on failure: the backup holds the original and was kept
    bool othersContent = false;  // on failure: the file holds bytes this edit did not write,
                                 // so it was left as it is
};

// Writes doc over the edit's file:
// 1. backs the file up as file + "_backup": a second name for it where the file system gives
//    one, since the save replaces the file by rename; elsewhere a copy of the bytes read;
// 2. saves atomically through file + "_new", failing when the file no longer holds the bytes
//    read (profile::CheckUnchanged: its stamp, or where that cannot tell, its bytes);
// 3. reads the file back; only when it holds exactly what was written is the backup deleted.
// On any failure the file is brought back to the content read, from the backup, but only when
// it holds what this edit's save left there: content someone else wrote is never overwritten
// (both files stay, and the result says so). The backup is kept whenever the file could not be
// brought back.
CommitResult CommitEdit(PanelEdit& edit, const profile::Document& doc,
                        fileio::FileSystem& files = fileio::SystemFiles());

}  // namespace panelcfg
