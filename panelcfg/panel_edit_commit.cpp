#include "panelcfg/panel_edit_commit.h"

#include "panelcfg/panel_paths.h"

#include <optional>

namespace panelcfg {

namespace {

// About a second: long enough for another edit of one file to end, short enough for a click.
constexpr std::chrono::milliseconds kLockWait{1000};

// The file's bytes now; nullopt when it is missing or cannot be read.
std::optional<std::string> BytesOf(const std::string& file, fileio::FileSystem& files) {
    std::string bytes;
    if (!fileio::ReadWholeFile(file, bytes, files)) return std::nullopt;
    return bytes;
}

}  // namespace

OpenResult OpenPanelEdit(const std::string& file, bool dryRun, PanelEdit& edit, fileio::Error& error,
                         fileio::FileSystem& files) {
    edit.file = file;
    switch (platform::FolderLock::Acquire(LockPath(file), kLockWait, edit.lock, error, file)) {
        case platform::LockResult::Held: break;
        case platform::LockResult::Busy: return OpenResult::Busy;
        case platform::LockResult::Failed: return OpenResult::Failed;
    }
    if (fileio::Error e = profile::Load(file, edit.loaded, files)) {
        error = e;
        return OpenResult::Failed;
    }
    edit.sweep = !dryRun && edit.loaded.existed;
    return OpenResult::Opened;
}

void EndWithoutSave(PanelEdit& edit, fileio::FileSystem& files) {
    if (!edit.sweep) return;
    edit.sweep = false;
    fileio::DeleteFileIfExists(TemporaryPath(edit.file), files);
    fileio::DeleteFileIfExists(BackupPath(edit.file), files);
}

CommitResult CommitEdit(PanelEdit& edit, const profile::Document& doc, fileio::FileSystem& files) {
    // The backup and the temporary file take the names of an interrupted edit's leftovers, and
    // replace them on the way.
    edit.sweep = false;
    const std::string& file = edit.file;
    const profile::LoadedFile& loaded = edit.loaded;
    CommitResult result;
    const std::string backup = BackupPath(file);
    const std::string temporary = TemporaryPath(file);

    // A second name of the file, or a copy written from the bytes read: either way the save's
    // own check (profile::CheckUnchanged) finds a change since the read.
    if (fileio::Error e = fileio::BackUpFile(file, backup, loaded.original, files, temporary)) {
        result.stage = CommitStage::Backup;
        result.error = e;
        fileio::DeleteFileIfExists(temporary, files);
        return result;
    }

    const std::string written = doc.Serialise();
    profile::SaveOptions options;
    options.expected = &loaded;
    options.temporary = temporary;

    // What this edit's save left in the file: only that may be overwritten by the restore.
    std::optional<std::string> ours;
    if (fileio::Error e = profile::Save(file, doc, options, files)) {
        result.stage = CommitStage::Save;
        result.error = e;
        if (e.code == fileio::ErrorCode::ChangedOnDisk) {
            // Someone else's content now: leave it, and drop the copy of the old one.
            fileio::DeleteFileIfExists(backup, files);
            return result;
        }
    } else {
        ours = BytesOf(file, files);
        if (ours == written) {
            files.Remove(backup);  // this edit's own file: no attribute keeps it
            result.ok = true;
            return result;
        }
        result.stage = CommitStage::Verify;
        result.error = fileio::Error{fileio::ErrorCode::ReadBackDiffers, file};
    }

    const std::optional<std::string> now = BytesOf(file, files);
    if (now == loaded.original) {
        result.restored = true;
    } else if (now && now != ours) {
        // Neither the old content nor what the save left: another program wrote it.
        result.restored = false;
        result.othersContent = true;
    } else {
        fileio::CopyFileReplacing(backup, file, files, temporary);
        result.restored = BytesOf(file, files) == loaded.original;
    }
    if (result.restored) {
        fileio::DeleteFileIfExists(backup, files);
    } else {
        result.backupKept = fileio::FileExists(backup, files);
    }
    return result;
}

}  // namespace panelcfg
