// The few operations on files that the engine's reads and its atomic save are made of, behind
// one interface: the program passes SystemFiles(), a test may pass a file system that fails at
// a chosen step. Every path is an ANSI path; errors name the file the caller is writing.
#pragma once

#include "platform/file_error.h"

#include <cstdint>
#include <string>

namespace fileio {

// One state of a file, known without reading it: its size and when it was last written.
// recent: written so shortly before the stamp was taken that another write within the file
// system's timestamp granularity could leave the same stamp; then only its bytes can tell.
struct FileStamp {
    bool existed = false;  // false also when the system would not say
    std::uint64_t size = 0;
    std::int64_t writeTime = 0;  // in the system's own unit
    bool recent = false;
    bool readOnly = false;         // as Probe tells it: ReadOnlyFile
    std::uint32_t attributes = 0;  // the system's own: attribute bits (Windows), mode (POSIX)
};

enum class PathKind { Missing, FolderMissing, File, ReadOnlyFile, Folder, Unknown };

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // What is at path. ReadOnlyFile: the read-only attribute on Windows, no write bit on POSIX.
    virtual PathKind Probe(const std::string& path) = 0;

    // The stamp of the file at path now.
    virtual FileStamp Stamp(const std::string& path) = 0;

    // The whole file. A missing file or folder is not an error: existed = false, bytes empty.
    virtual Error Read(const std::string& path, std::string& bytes, bool& existed) = 0;

    // Creates path as a new, empty file. taken: a file of that name exists already (then the
    // result is no error and nothing was created). Errors name target, the file being saved.
    virtual Error CreateNew(const std::string& path, const std::string& target, bool& taken) = 0;

    // Writes bytes into the new file path, flushes them to disk and gives it target's
    // attributes (hidden, system, archive / permission bits), as targetNow holds them when
    // not null (a stamp of target just taken), else as target has them now. Errors name target.
    virtual Error WriteAll(const std::string& path, const std::string& bytes, const std::string& target,
                           const FileStamp* targetNow) = 0;

    // Moves the new file from over target in one step, target replaced.
    virtual Error Replace(const std::string& from, const std::string& target) = 0;

    // Deletes a file; a missing one is not an error.
    virtual Error Remove(const std::string& path) = 0;

    // Gives the file existing a second name, link (which must not exist): the same bytes, not a
    // copy. False when the file system cannot (FAT, some network shares) or it fails.
    virtual bool Link(const std::string& existing, const std::string& link) = 0;
};

// The operating system's own files.
FileSystem& SystemFiles();

// The whole file named as the file system spells it (UTF-8 on Windows), however long its path:
// the same read as SystemFiles().Read, for names the ANSI code page cannot spell. False when it
// is missing or cannot be read.
bool ReadNativeFile(const std::string& nativePath, std::string& bytes);

}  // namespace fileio
