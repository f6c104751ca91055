#include "platform/file_error.h"

#include "platform/paths.h"

#include <utility>

namespace fileio::reasons {

namespace {

Error Make(ErrorCode code, const std::string& path, std::string reason) { return Error{code, path, std::move(reason)}; }

std::string FolderOf(const std::string& path) {
    const std::string folder = platform::FolderPart(path);
    return folder.empty() ? std::string("the current folder") : folder;
}

constexpr const char* kUnchanged = " The file is unchanged.";

}  // namespace

Error NoFileName() { return Make(ErrorCode::InvalidArgument, "", "No file name was given."); }

Error NoSectionName(const std::string& path) {
    return Make(ErrorCode::InvalidArgument, path, "Cannot write " + path + ": no section name was given.");
}

Error PathTooLong(const std::string& path) {
    return Make(
        ErrorCode::PathTooLong, path,
        "Cannot use " + path + ": the path is longer than " + std::to_string(platform::kMaxPathChars) + " characters.");
}

Error FolderNotFile(const std::string& path) {
    return Make(ErrorCode::AccessDenied, path, "Cannot use " + path + ": it is a folder, not a file.");
}

Error ReadOnly(const std::string& path) {
    return Make(ErrorCode::AccessDenied, path,
                "Cannot write " + path + ": the file is read-only. Clear its read-only attribute and try again.");
}

Error ReadOnlyDelete(const std::string& path) {
    return Make(ErrorCode::AccessDenied, path,
                "Cannot delete " + path + ": the file is read-only. Clear its read-only attribute and try again.");
}

Error InUse(const std::string& path) {
    return Make(ErrorCode::AccessDenied, path,
                "Cannot read " + path + ": another program is using it. Close it and try again.");
}

Error CannotRead(const std::string& path, const std::string& why) {
    return Make(ErrorCode::AccessDenied, path, "Cannot read " + path + ": " + why + ".");
}

Error ReadFailed(const std::string& path, const std::string& why) {
    return Make(ErrorCode::ReadFailed, path, "Cannot read " + path + ": " + why + ".");
}

Error TooLarge(const std::string& path) {
    return Make(ErrorCode::ReadFailed, path, "Cannot read " + path + ": the file is too large.");
}

Error FolderMissing(const std::string& path) {
    return Make(ErrorCode::FolderMissing, path,
                "Cannot create " + path + ": the folder " + platform::FolderPart(path) + " does not exist.");
}

Error NoRoomForTemporary(const std::string& path) {
    return Make(ErrorCode::PathTooLong, path,
                "Cannot write " + path + ": its folder path is too long to hold the temporary file a safe save needs.");
}

Error CannotCreateIn(const std::string& path) {
    return Make(
        ErrorCode::AccessDenied, path,
        "Cannot write " + path + ": you may not create files in the folder " + FolderOf(path) + "." + kUnchanged);
}

Error NoTemporary(const std::string& path) {
    return Make(
        ErrorCode::WriteFailed, path,
        "Cannot write " + path + ": no temporary file could be created in " + FolderOf(path) + "." + kUnchanged);
}

Error DiskFull(const std::string& path) {
    return Make(ErrorCode::WriteFailed, path, "Cannot write " + path + ": the disk is full." + kUnchanged);
}

Error WriteFailed(const std::string& path, const std::string& why) {
    return Make(ErrorCode::WriteFailed, path, "Cannot write " + path + ": " + why + "." + kUnchanged);
}

Error ReplaceRefused(const std::string& path) {
    return Make(ErrorCode::ReplaceFailed, path,
                "Cannot replace " + path + ": another program is using it or it is read-only." + kUnchanged);
}

Error ReplaceFailed(const std::string& path, const std::string& why) {
    return Make(ErrorCode::ReplaceFailed, path, "Cannot replace " + path + ": " + why + "." + kUnchanged);
}

Error DeleteFailed(const std::string& path, const std::string& why) {
    return Make(ErrorCode::AccessDenied, path, "Cannot delete " + path + ": " + why + ".");
}

Error Unrepresentable(const std::string& path) {
    return Make(ErrorCode::Unrepresentable, path,
                "Cannot edit " + path +
                    ": it is stored as UTF-16 (Unicode) text, which cannot be written back without damaging it." +
                    kUnchanged);
}

Error ChangedOnDisk(const std::string& path) {
    return Make(ErrorCode::ChangedOnDisk, path,
                "Cannot write " + path +
                    ": another program changed it since it was read. The file is unchanged; "
                    "try again.");
}

Error CopyFromMissing(const std::string& path) {
    return Make(ErrorCode::NotFound, path, "Cannot copy " + path + ": the file does not exist.");
}

Error BackupUnreadable(const std::string& backup) {
    return Make(ErrorCode::ReadFailed, backup, "The backup copy " + backup + " could not be read back.");
}

Error ReadBackDiffers(const std::string& path) {
    return Make(ErrorCode::WriteFailed, path,
                "The file " + path + " did not hold the new content when it was read back.");
}

Error NoLock(const std::string& path, const std::string& why) {
    return Make(ErrorCode::WriteFailed, path,
                "Cannot edit " + path + ": its edit lock could not be taken (" + why + ").");
}

}  // namespace fileio::reasons
