// File layer of the profile engine: load a document from disk, save it back atomically.
//
// Load reads a file once. Save writes a temporary file in the target's folder, flushes it and
// replaces the target in one step (MoveFileExA with replace-existing and write-through on
// Windows, rename on POSIX), so the file on disk is at every moment the old content or the new.
// Every failure comes back as an Error with a reason a user can read; nothing is swallowed.
// Each function works on the files it is given (profile::SystemFiles() unless said otherwise).
#pragma once

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/profile_document.h"

#include <string>

namespace profile {

using platform::kMaxPathChars;

struct LoadedFile {
    Document doc;
    bool existed = false;       // false: the file was missing and doc is empty
    std::string original;       // the bytes read (empty when missing)
};

// Reads path. A missing file is not an error: existed = false and an empty document.
// Errors: PathTooLong, AccessDenied, ReadFailed.
Error Load(const std::string& path, LoadedFile& out, FileSystem& files = SystemFiles());

// The document of path for reading only, its bytes kept once (doc.Source()); a file that is
// missing or cannot be read answers as empty, as the profile functions answer every read of
// such a file with the default.
Document ReadDocument(const std::string& path, FileSystem& files = SystemFiles());

// Writes doc to path atomically. expected_original: when given, the save fails with
// ChangedOnDisk if the file no longer holds exactly these bytes (nullptr: no check;
// a file that was missing is expected to be still missing when expect_missing is true).
// temporary: the temporary file's path, fixed (a leftover of that name is replaced); empty: a
// fresh name in the target's folder.
struct SaveOptions {
    const std::string* expected_original = nullptr;
    bool expect_missing = false;
    std::string temporary;
};
Error Save(const std::string& path, const Document& doc, const SaveOptions& options = {},
           FileSystem& files = SystemFiles());

// Whole-file helpers used by the edit framing (backup copy and its removal).
// CopyFileReplacing writes the copy the way Save writes (temporary file, atomic replace), so a
// read-only target fails the copy as CopyFileA fails it. Errors: NotFound (from missing),
// and those of Load and Save.
Error CopyFileReplacing(const std::string& from, const std::string& to, FileSystem& files = SystemFiles(),
                        const std::string& temporary = "");
// Makes to hold from's bytes for the length of an edit whose save replaces from by rename: a
// second name for the same file where the file system gives one (the rename then leaves it
// the old bytes, and nothing is copied), a copy as CopyFileReplacing makes it elsewhere. A file
// to already there is replaced; a read-only one refuses, as CopyFileA refuses it.
// linked (when given) says which it was.
Error BackUpFile(const std::string& from, const std::string& to, FileSystem& files = SystemFiles(),
                 bool* linked = nullptr, const std::string& temporary = "");
// A missing file is not an error; a read-only one is (AccessDenied), as DeleteFileA refuses it.
Error DeleteFileIfExists(const std::string& path, FileSystem& files = SystemFiles());
// True when path names an existing file (not a folder).
bool FileExists(const std::string& path, FileSystem& files = SystemFiles());
// Whole content of path; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& out, FileSystem& files = SystemFiles());

// Writes bytes to path with Save's guarantees (atomic replace, read-only target refused,
// missing folder refused), through temporary as SaveOptions describes it. Save is this for
// doc.Serialise() after its own checks.
Error WriteFileAtomically(const std::string& path, const std::string& bytes, FileSystem& files = SystemFiles(),
                          const std::string& temporary = "");

}  // namespace profile
