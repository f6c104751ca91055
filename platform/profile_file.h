// File layer of the profile engine: a document loaded from disk once, saved back atomically
// (platform/files.h). Each function works on the files it is given (fileio::SystemFiles()
// unless said otherwise).
#pragma once

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/profile_document.h"

#include <string>

namespace profile {

struct LoadedFile {
    Document doc;
    bool existed = false;     // false: the file was missing and doc is empty
    std::string original;     // the bytes read (empty when missing)
    fileio::FileStamp stamp;  // the file's stamp, taken just before it was read
};

// Reads path. A missing file is not an error: existed = false and an empty document.
// Errors: PathTooLong, AccessDenied, ReadFailed.
fileio::Error Load(const std::string& path, LoadedFile& out, fileio::FileSystem& files = fileio::SystemFiles());

// The document of path for reading only, its bytes kept once (doc.Source()); a file that is
// missing or cannot be read answers as empty, as the profile functions answer every read of
// such a file with the default.
Document ReadDocument(const std::string& path, fileio::FileSystem& files = fileio::SystemFiles());

// ChangedOnDisk when path no longer holds what loaded read (a file that was missing is still
// missing): the one place that decides it. An unchanged stamp answers without a read; a stamp
// that changed, or was too recent to tell, leaves it to the bytes. stamp (when given) receives
// the stamp that answered, and stays as it was when the bytes did.
fileio::Error CheckUnchanged(const std::string& path, const LoadedFile& loaded,
                             fileio::FileSystem& files = fileio::SystemFiles(), fileio::FileStamp* stamp = nullptr);

// Writes doc to path atomically (fileio::WriteFileAtomically). expected: when given, the save
// fails with ChangedOnDisk unless CheckUnchanged finds the file as loaded (nullptr: no check).
// temporary: as WriteFileAtomically takes it.
struct SaveOptions {
    const LoadedFile* expected = nullptr;
    std::string temporary;
};
fileio::Error Save(const std::string& path, const Document& doc, const SaveOptions& options = {},
                   fileio::FileSystem& files = fileio::SystemFiles());

}  // namespace profile
