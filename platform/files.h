// The file layer: whole files read, written atomically, copied, backed up and deleted, each
// through a FileSystem (fileio::SystemFiles() unless said otherwise), every failure an Error
// with a reason a user can read; nothing is swallowed.
//
// A write goes to a temporary file in the target's folder, flushed, that then replaces the
// target in one step (MoveFileExA with replace-existing and write-through on Windows, rename on
// POSIX), so the file on disk is at every moment the old content or the new.
#pragma once

#include "platform/file_error.h"
#include "platform/file_system.h"

#include <string>

namespace fileio {

// No error when path can be used: not empty and within the Windows limit.
Error CheckPath(const std::string& path);

// Writes bytes to path atomically; a read-only target is refused, a missing folder too.
// temporary: the temporary file's path, fixed (a leftover of that name is replaced); empty: a
// fresh name in the target's folder. targetNow: a stamp of path the caller has just taken of an
// existing file, which stands for another look at it.
Error WriteFileAtomically(const std::string& path, const std::string& bytes, FileSystem& files = SystemFiles(),
                          const std::string& temporary = "", const FileStamp* targetNow = nullptr);

// Copies from to to the way WriteFileAtomically writes, so a read-only target fails the copy as
// CopyFileA fails it. Errors: NotFound (from missing), and those of the read and the write.
Error CopyFileReplacing(const std::string& from, const std::string& to, FileSystem& files = SystemFiles(),
                        const std::string& temporary = "");

// Makes to hold from's bytes for the length of an edit whose save replaces from by rename: a
// second name for the same file where the file system gives one (the rename then leaves it
// the old bytes, and nothing is copied), else a copy written from bytes, from as the caller
// read it (so for a read-only from, whose second name could not be deleted after). A file to
// already there is replaced; a read-only one refuses, as CopyFileA refuses it.
Error BackUpFile(const std::string& from, const std::string& to, const std::string& bytes,
                 FileSystem& files = SystemFiles(), const std::string& temporary = "");

// A missing file is not an error; a read-only one is (AccessDenied), as DeleteFileA refuses it.
Error DeleteFileIfExists(const std::string& path, FileSystem& files = SystemFiles());

// True when path names an existing file (not a folder).
bool FileExists(const std::string& path, FileSystem& files = SystemFiles());

// Whole content of path; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& out, FileSystem& files = SystemFiles());

}  // namespace fileio
