// Saving an edited panel.cfg so that the user's file is never left half-written or lost.
#pragma once

#include "platform/profile_file.h"

#include <string>

namespace panelcfg {

enum class CommitStage {
    None,      // saved and verified
    Backup,    // the backup copy could not be made; nothing was written
    Save,      // the save failed (the file is atomic: still the old content)
    Verify,    // the file read back after the save did not hold what was written
};

struct CommitResult {
    bool ok = false;
    CommitStage stage = CommitStage::None;
    profile::Error error;      // what failed, with the engine's reason
    bool restored = true;      // on failure: the file is as it was before the edit
    bool backupKept = false;   // on failure: the backup holds the original and was kept
    std::string backupPath;
};

// Writes doc over file, whose content when loaded was `loaded`:
// 1. backs the file up as file + "_backup" (when the file exists): a second name for it where
//    the file system gives one, since the save replaces the file by rename; a copy elsewhere;
// 2. saves atomically, failing when the file no longer holds the loaded bytes;
// 3. reads the file back; only when it holds exactly what was written is the backup deleted.
// On any failure the file is brought back to the loaded content (from the backup when it has
// to be); the backup is kept only when that did not work. A file changed on disk by someone
// else is left as that program left it.
CommitResult CommitEdit(const std::string& file, const profile::LoadedFile& loaded, const profile::Document& doc,
                        profile::FileSystem& files = profile::SystemFiles());

}  // namespace panelcfg
