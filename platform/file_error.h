// What went wrong with a file, as one value: what happened, the file concerned and the system's
// own words. Every failure of the file layer comes back as an Error; nothing is swallowed. The
// sentence a user reads is made from it above this layer.
#pragma once

#include <string>
#include <utility>

namespace fileio {

enum class ErrorCode {
    None = 0,
    NoFileName,
    NoSectionName,
    PathTooLong,         // the path does not fit the Windows limit (MAX_PATH)
    NoRoomForTemporary,  // the folder's path leaves no room for the temporary file of a safe save
    FolderNotFile,       // a folder where the file should be
    ReadOnly,            // a write refused: the file is read-only
    ReadOnlyDelete,      // a delete refused: the file is read-only
    InUse,               // another program holds the file open
    CannotOpen,          // the system refused to open the file (system says why)
    ReadFailed,          // reading failed (system says why)
    TooLarge,            // too large to read into memory
    FolderMissing,       // the folder of a file to create does not exist
    CannotCreateIn,      // the folder refuses new files
    NoTemporary,         // no temporary file could be made beside the file
    DiskFull,
    WriteFailed,       // system says why
    ReplaceRefused,    // the file is in use or read-only, so the temporary file could not replace it
    ReplaceFailed,     // system says why
    DeleteFailed,      // system says why
    Unrepresentable,   // the file cannot be written back without loss (UTF-16)
    ChangedOnDisk,     // the file changed since it was loaded
    CopyFromMissing,   // the file to copy does not exist
    BackupUnreadable,  // the backup copy just made reads back wrong (path: the backup)
    ReadBackDiffers,   // a saved file reads back other bytes
    NoLock,            // the file's edit lock could not be taken (system says why)
};

struct Error {
    Error() = default;
    explicit Error(ErrorCode code, std::string path = {}, std::string system = {})
        : code(code), path(std::move(path)), system(std::move(system)) {}
    ErrorCode code = ErrorCode::None;
    std::string path;    // the file concerned
    std::string system;  // the system's own words, when it gave any, without a final full stop
    explicit operator bool() const { return code != ErrorCode::None; }
};

}  // namespace fileio
