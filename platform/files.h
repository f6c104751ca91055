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
// fresh name in the target's folder.
Error WriteFileAtomically(const std::string& path, const std::string& bytes, FileSystem& files = SystemFiles(),
                          const std::string& temporary = "");

// Copies from to to the way WriteFileAtomically writes, so a read-only target fails the copy as
// CopyFileA fails it. Errors: NotFound (from missing), and those of the read and the write.
Error CopyFileReplacing(const std::string& from, const std::string& to, FileSystem& files = SystemFiles(),
                        const std::string& temporary = "");

// Makes to hold from's bytes for the length of an edit whose save replaces from by rename: a
// second name for the same file where the file system gives one (the rename then leaves it
// the old bytes, and nothing is copied), a copy as CopyFileReplacing makes it elsewhere. A file
// to already there is replaced; a read-only one refuses, as CopyFileA refuses it.
// linked (when given) says which it was. bytes (when given): from as the caller read it, which
// the copy is written from instead of reading from again.
Error BackUpFile(const std::string& from, const std::string& to, FileSystem& files = SystemFiles(),
                 bool* linked = nullptr, const std::string& temporary = "", const std::string* bytes = nullptr);

// A missing file is not an error; a read-only one is (AccessDenied), as DeleteFileA refuses it.
Error DeleteFileIfExists(const std::string& path, FileSystem& files = SystemFiles());

// True when path names an existing file (not a folder).
bool FileExists(const std::string& path, FileSystem& files = SystemFiles());

// Whole content of path; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& out, FileSystem& files = SystemFiles());

}  // namespace fileio
