#include "platform/files.h"

#include "platform/paths.h"

#include <ctime>
#include <random>
#include <utility>

namespace fileio {

using platform::kMaxPathChars;

Error CheckPath(const std::string& path) {
    if (path.empty()) return Error{ErrorCode::NoFileName};
    if (path.size() > kMaxPathChars) return Error{ErrorCode::PathTooLong, path};
    return {};
}

namespace {

// Names for the temporary file: short (as short as "panel.cfg"), so that a target whose path
// fits the limit leaves room for its temporary neighbour in most cases.
std::string TempName(unsigned n) {
    static const char kHex[] = "0123456789abcdef";
    std::string name = "~";
    for (int shift = 12; shift >= 0; shift -= 4) name += kHex[(n >> shift) & 0xF];
    return name + ".tmp";
}

// Two processes saving into one folder at once start from different names.
unsigned TempSeed() {
    static unsigned counter = 0;
    static const unsigned process = std::random_device{}();
    return (static_cast<unsigned>(std::time(nullptr)) * 2654435761u + (counter += 7919)) ^ process;
}

// Removes the temporary file unless it has been moved into place.
class TempFile {
public:
    explicit TempFile(FileSystem& files) : files_(files) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (!placed_ && !path_.empty()) files_.Remove(path_);
    }
    // Creates a file of a fresh name in target's folder, or of the name fixed when given: a
    // file already there under that name is a leftover of the caller's own, and is replaced.
    Error Create(const std::string& target, const std::string& fixed) {
        if (!fixed.empty()) {
            if (fixed.size() > kMaxPathChars) return Error{ErrorCode::NoRoomForTemporary, target};
            for (int attempt = 0; attempt < 2; ++attempt) {
                bool taken = false;
                if (Error error = files_.CreateNew(fixed, target, taken)) return error;
                if (!taken) {
                    path_ = fixed;
                    return {};
                }
                if (Error error = files_.Remove(fixed)) return error;
            }
            return Error{ErrorCode::NoTemporary, target};
        }
        const std::string folder = platform::FolderPart(target);
        const unsigned seed = TempSeed();
        for (unsigned attempt = 0; attempt < 64; ++attempt) {
            const std::string candidate = folder + TempName(seed + attempt * 40503u);
            if (candidate.size() > kMaxPathChars) return Error{ErrorCode::NoRoomForTemporary, target};
            bool taken = false;
            if (Error error = files_.CreateNew(candidate, target, taken)) return error;
            if (taken) continue;
            path_ = candidate;
            return {};
        }
        return Error{ErrorCode::NoTemporary, target};
    }
    const std::string& Path() const { return path_; }
    void Placed() { placed_ = true; }

private:
    FileSystem& files_;
    std::string path_;
    bool placed_ = false;
};

}  // namespace

Error WriteFileAtomically(const std::string& path, const std::string& bytes, FileSystem& files,
                          const std::string& temporary, const FileStamp* targetNow) {
    if (Error error = CheckPath(path)) return error;
    if (targetNow != nullptr && !targetNow->existed) targetNow = nullptr;
    const PathKind kind = targetNow == nullptr  ? files.Probe(path)
                          : targetNow->readOnly ? PathKind::ReadOnlyFile
                                                : PathKind::File;
    switch (kind) {
        case PathKind::Folder: return Error{ErrorCode::FolderNotFile, path};
        case PathKind::ReadOnlyFile: return Error{ErrorCode::ReadOnly, path};
        case PathKind::FolderMissing: return Error{ErrorCode::FolderMissing, path};
        case PathKind::Missing: {
            const std::string folder = platform::FolderPart(path);
            if (!folder.empty() && files.Probe(folder) != PathKind::Folder)
                return Error{ErrorCode::FolderMissing, path};
            break;
        }
        case PathKind::File:
        case PathKind::Unknown:  // the save itself reports what is wrong
            break;
    }
    TempFile temp(files);
    if (Error error = temp.Create(path, temporary)) return error;
    if (Error error = files.WriteAll(temp.Path(), bytes, path, targetNow)) return error;
    if (Error error = files.Replace(temp.Path(), path)) return error;
    temp.Placed();
    return {};
}

Error CopyFileReplacing(const std::string& from, const std::string& to, FileSystem& files,
                        const std::string& temporary) {
    if (Error error = CheckPath(from)) return error;
    std::string bytes;
    bool existed = false;
    if (Error error = files.Read(from, bytes, existed)) return error;
    if (!existed) return Error{ErrorCode::CopyFromMissing, from};
    return WriteFileAtomically(to, bytes, files, temporary);
}

Error BackUpFile(const std::string& from, const std::string& to, const std::string& bytes, FileSystem& files,
                 const std::string& temporary) {
    if (Error error = CheckPath(from)) return error;
    if (Error error = CheckPath(to)) return error;
    // A read-only file's second name would be read-only too, and could not be deleted after.
    const bool mayLink = files.Probe(from) == PathKind::File;
    // Linked at once where to is missing, as it is but for an interrupted edit's leftover.
    if (mayLink && files.Link(from, to)) return {};
    if (Error error = DeleteFileIfExists(to, files)) return error;
    if (mayLink && files.Link(from, to)) return {};
    return WriteFileAtomically(to, bytes, files, temporary);
}

Error DeleteFileIfExists(const std::string& path, FileSystem& files) {
    if (Error error = CheckPath(path)) return error;
    switch (files.Probe(path)) {
        case PathKind::Missing:
        case PathKind::FolderMissing: return {};
        case PathKind::Folder: return Error{ErrorCode::FolderNotFile, path};
        case PathKind::ReadOnlyFile: return Error{ErrorCode::ReadOnlyDelete, path};
        case PathKind::File:
        case PathKind::Unknown: break;
    }
    return files.Remove(path);
}

bool FileExists(const std::string& path, FileSystem& files) {
    if (path.empty() || path.size() > kMaxPathChars) return false;
    const PathKind kind = files.Probe(path);
    return kind == PathKind::File || kind == PathKind::ReadOnlyFile;
}

bool ReadWholeFile(const std::string& path, std::string& out, FileSystem& files) {
    out.clear();
    if (CheckPath(path)) return false;
    bool existed = false;
    return !files.Read(path, out, existed) && existed;
}

}  // namespace fileio
