// File layer of the profile engine: load a document from disk, save it back atomically.
//
// Load reads a file once. Save writes a temporary file in the target's folder, flushes it and
// replaces the target in one step (MoveFileExA with replace-existing and write-through on
// Windows, rename on POSIX), so the file on disk is at every moment the old content or the new.
// Every failure comes back as an Error with a reason a user can read; nothing is swallowed.
#pragma once

#include "platform/profile_document.h"

#include <functional>
#include <string>

namespace profile {

enum class ErrorCode {
    None = 0,
    PathTooLong,      // the path does not fit the Windows limit (MAX_PATH)
    NotFound,         // file (for Load) missing
    FolderMissing,    // the folder of a file to create does not exist
    AccessDenied,     // cannot open, read-only file or folder, sharing violation
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

// Longest path the Windows ANSI file functions accept, terminating NUL excluded.
constexpr std::size_t kMaxPathChars = 259;

struct LoadedFile {
    Document doc;
    bool existed = false;       // false: the file was missing and doc is empty
    std::string original;       // the bytes read (empty when missing)
};

// Reads path. A missing file is not an error: existed = false and an empty document.
// Errors: PathTooLong, AccessDenied, ReadFailed.
Error Load(const std::string& path, LoadedFile& out);

// Load for a reader that never saves what it read: the bytes are kept once, by the document
// (out.doc.Source()), and out.original stays empty. Same answers and errors as Load.
Error LoadReadOnly(const std::string& path, LoadedFile& out);

// Writes doc to path atomically. expected_original: when given, the save fails with
// ChangedOnDisk if the file no longer holds exactly these bytes (nullptr: no check;
// a file that was missing is expected to be still missing when an empty string is passed
// together with expect_missing = true).
struct SaveOptions {
    const std::string* expected_original = nullptr;
    bool expect_missing = false;
};
Error Save(const std::string& path, const Document& doc, const SaveOptions& options = {});

// Test hook: called by Save (and CopyFileReplacing) at named points; returning false makes the
// save fail there as the system call would: "temp-create" (AccessDenied, as a folder the user
// may not write to), "temp-written" (WriteFailed, as a full disk), "before-replace"
// (ReplaceFailed). The temporary file is removed and the target left as it was. Empty in the
// product. Until the hook is reset, a non-empty one is called for every save in the process.
using SaveFaultHook = std::function<bool(const char* point, const std::string& path)>;
void SetSaveFaultHook(SaveFaultHook hook);

// Whole-file helpers used by the edit framing (backup copy and its removal).
// CopyFileReplacing writes the copy the way Save writes (temporary file, atomic replace), so a
// read-only target fails the copy as CopyFileA fails it. Errors: NotFound (from missing),
// and those of Load and Save.
Error CopyFileReplacing(const std::string& from, const std::string& to);
// A missing file is not an error; a read-only one is (AccessDenied), as DeleteFileA refuses it.
Error DeleteFileIfExists(const std::string& path);
// True when path names an existing file (not a folder).
bool FileExists(const std::string& path);
// Whole content of path; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& out);

// Writes bytes to path with Save's guarantees (atomic replace, read-only target refused,
// missing folder refused). Save is this for doc.Serialise() after its own checks.
Error WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace profile
