// What went wrong with a file, as one value: a code to act on and a sentence a user can read.
// Every failure of the file layer comes back as an Error; nothing is swallowed. The reasons the
// layer gives are made here, so they read the same on every platform and in every test.
#pragma once

#include <string>

namespace fileio {

enum class ErrorCode {
    None = 0,
    PathTooLong,    // the path does not fit the Windows limit (MAX_PATH)
    NotFound,       // file (for a copy) missing
    FolderMissing,  // the folder of a file to create does not exist
    AccessDenied,   // cannot open, read-only file or folder, sharing violation
    ReadFailed,
    WriteFailed,      // includes disk full
    ReplaceFailed,    // the temporary file could not replace the target
    Unrepresentable,  // the file cannot be written back without loss (e.g. UTF-16)
    ChangedOnDisk,    // the file changed since it was loaded
    InvalidArgument,  // no file name, no section name
};

struct Error {
    ErrorCode code = ErrorCode::None;
    std::string path;    // the file concerned
    std::string reason;  // one sentence a user can read, naming the file
    explicit operator bool() const { return code != ErrorCode::None; }
};

// The reasons, each naming path. `why` is the system's own wording, without a final full stop.
namespace reasons {
Error NoFileName();
Error NoSectionName(const std::string& path);
Error PathTooLong(const std::string& path);
Error FolderNotFile(const std::string& path);
Error ReadOnly(const std::string& path);
Error ReadOnlyDelete(const std::string& path);
Error InUse(const std::string& path);
Error CannotRead(const std::string& path, const std::string& why);
Error ReadFailed(const std::string& path, const std::string& why);
Error TooLarge(const std::string& path);
Error FolderMissing(const std::string& path);
Error NoRoomForTemporary(const std::string& path);
Error CannotCreateIn(const std::string& path);  // the folder refuses new files
Error NoTemporary(const std::string& path);
Error DiskFull(const std::string& path);
Error WriteFailed(const std::string& path, const std::string& why);
Error ReplaceRefused(const std::string& path);  // in use or read-only
Error ReplaceFailed(const std::string& path, const std::string& why);
Error DeleteFailed(const std::string& path, const std::string& why);
Error Unrepresentable(const std::string& path);
Error ChangedOnDisk(const std::string& path);
Error CopyFromMissing(const std::string& path);
Error BackupUnreadable(const std::string& backup);              // the backup copy just made reads back wrong
Error ReadBackDiffers(const std::string& path);                 // a saved file reads back other bytes
Error NoLock(const std::string& path, const std::string& why);  // its edit lock could not be taken
}  // namespace reasons

}  // namespace fileio
