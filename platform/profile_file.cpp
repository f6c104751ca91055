#include "platform/profile_file.h"

#include <utility>

namespace profile {

using fileio::Error;

Error Load(const std::string& path, LoadedFile& out, fileio::FileSystem& files) {
    out = LoadedFile{};
    if (Error error = fileio::CheckPath(path)) return error;
    std::string bytes;
    bool existed = false;
    // Stamped first: a write after the stamp, even during the read, changes the stamp.
    out.stamp = files.Stamp(path);
    if (Error error = files.Read(path, bytes, existed)) return error;
    out.existed = existed;
    out.doc = Document::Parse(bytes);
    out.original = std::move(bytes);
    return {};
}

Document ReadDocument(const std::string& path, fileio::FileSystem& files) {
    if (fileio::CheckPath(path)) return Document::Empty();
    std::string bytes;
    bool existed = false;
    if (files.Read(path, bytes, existed)) return Document::Empty();
    return Document::ParseOwned(std::move(bytes));
}

Error CheckUnchanged(const std::string& path, const LoadedFile& loaded, fileio::FileSystem& files,
                     fileio::FileStamp* stamp) {
    const fileio::FileStamp& then = loaded.stamp;
    if (loaded.existed && then.existed && !then.recent) {
        const fileio::FileStamp now = files.Stamp(path);
        if (now.existed && now.size == then.size && now.writeTime == then.writeTime) {
            if (stamp != nullptr) *stamp = now;
            return {};
        }
    }
    std::string now;
    bool existed = false;
    if (Error error = files.Read(path, now, existed)) return error;
    const bool same = loaded.existed ? existed && now == loaded.original : !existed;
    return same ? Error{} : Error{fileio::ErrorCode::ChangedOnDisk, path};
}

Error Save(const std::string& path, const Document& doc, const SaveOptions& options, fileio::FileSystem& files) {
    if (Error error = fileio::CheckPath(path)) return error;
    if (doc.Unrepresentable()) return fileio::Error{fileio::ErrorCode::Unrepresentable, path};
    fileio::FileStamp now;  // stays unknown where the check reads the bytes instead
    if (options.expected != nullptr) {
        if (Error error = CheckUnchanged(path, *options.expected, files, &now)) return error;
    }
    return fileio::WriteFileAtomically(path, doc.Serialise(), files, options.temporary, &now);
}

}  // namespace profile
