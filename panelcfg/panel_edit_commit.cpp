#include "panelcfg/panel_edit_commit.h"

#include "panelcfg/panel_paths.h"

namespace panelcfg {

namespace {

bool HoldsLoadedContent(const std::string& file, const profile::LoadedFile& loaded, profile::FileSystem& files) {
    if (!loaded.existed) return !profile::FileExists(file, files);
    std::string now;
    return profile::ReadWholeFile(file, now, files) && now == loaded.original;
}

profile::Error ChangedError(const std::string& file) {
    return {profile::ErrorCode::ChangedOnDisk, file,
            "The file " + file + " was changed by another program while it was being edited."};
}

// Brings the file back to the loaded content. True when it holds that content afterwards.
bool Restore(const std::string& file, const std::string& backup, const profile::LoadedFile& loaded,
             profile::FileSystem& files) {
    if (HoldsLoadedContent(file, loaded, files)) return true;
    if (loaded.existed) {
        profile::CopyFileReplacing(backup, file, files);
    } else {
        profile::DeleteFileIfExists(file, files);
    }
    return HoldsLoadedContent(file, loaded, files);
}

}  // namespace

CommitResult CommitEdit(const std::string& file, const profile::LoadedFile& loaded, const profile::Document& doc,
                        profile::FileSystem& files) {
    CommitResult result;
    result.backupPath = BackupPath(file);
    const std::string& backup = result.backupPath;

    // A missing file has nothing to back up; a stale backup beside it is not ours to touch.
    if (loaded.existed) {
        bool linked = false;
        if (profile::Error e = profile::BackUpFile(file, backup, files, &linked)) {
            result.stage = CommitStage::Backup;
            result.error = e;
            return result;
        }
        // A second name of the file is the file; the save's own check finds a change meanwhile.
        std::string copied;
        const bool readable = linked || profile::ReadWholeFile(backup, copied, files);
        if (!linked && (!readable || copied != loaded.original)) {
            // The copy does not hold what was read: the file changed meanwhile, or the copy is bad.
            profile::DeleteFileIfExists(backup, files);
            result.stage = CommitStage::Backup;
            result.error = readable ? ChangedError(file)
                                    : profile::Error{profile::ErrorCode::ReadFailed, backup,
                                                     "The backup copy " + backup + " could not be read back."};
            return result;
        }
    }

    const std::string written = doc.Serialise();
    const std::string nothing;
    profile::SaveOptions options;
    options.expected_original = loaded.existed ? &loaded.original : &nothing;
    options.expect_missing = !loaded.existed;

    if (profile::Error e = profile::Save(file, doc, options, files)) {
        result.stage = CommitStage::Save;
        result.error = e;
        if (e.code == profile::ErrorCode::ChangedOnDisk) {
            // Someone else's content now: leave it, and drop the copy of the old one.
            if (loaded.existed) profile::DeleteFileIfExists(backup, files);
            return result;
        }
    } else {
        std::string readBack;
        if (profile::ReadWholeFile(file, readBack, files) && readBack == written) {
            if (loaded.existed) profile::DeleteFileIfExists(backup, files);
            result.ok = true;
            return result;
        }
        result.stage = CommitStage::Verify;
        result.error = {profile::ErrorCode::WriteFailed, file,
                        "The file " + file + " did not hold the new content when it was read back."};
    }

    result.restored = Restore(file, backup, loaded, files);
    if (result.restored) {
        if (loaded.existed) profile::DeleteFileIfExists(backup, files);
    } else {
        result.backupKept = loaded.existed && profile::FileExists(backup, files);
    }
    return result;
}

}  // namespace panelcfg
