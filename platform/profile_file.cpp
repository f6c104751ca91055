#include "platform/profile_file.h"

#include <utility>

namespace profile {

using fileio::Error;

Error Load(const std::string& path, LoadedFile& out, fileio::FileSystem& files) {
    out = LoadedFile{};
    if (Error error = fileio::CheckPath(path)) return error;
    std::string bytes;
    bool existed = false;
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

Error Save(const std::string& path, const Document& doc, const SaveOptions& options, fileio::FileSystem& files) {
    if (Error error = fileio::CheckPath(path)) return error;
    if (doc.Unrepresentable()) return fileio::Error{fileio::ErrorCode::Unrepresentable, path};
    if (options.expected_original != nullptr || options.expect_missing) {
        std::string now;
        bool existed = false;
        if (Error error = files.Read(path, now, existed)) return error;
        const bool same = options.expect_missing ? !existed : existed && now == *options.expected_original;
        if (!same) return fileio::Error{fileio::ErrorCode::ChangedOnDisk, path};
    }
    return fileio::WriteFileAtomically(path, doc.Serialise(), files, options.temporary);
}

}  // namespace profile
