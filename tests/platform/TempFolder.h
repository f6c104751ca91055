// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

namespace pwtest {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, in the platform's own spelling, without a trailing separator.
    const std::string& Folder() const { return folder_; }
    // folder + separator + name.
    std::string Path(const std::string& name) const;

private:
    std::string folder_;
};

// Bytes of a file; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The read-only attribute on Windows, the write bits on POSIX.
void SetReadOnly(const std::string& path, bool read_only);
// Names of the entries of folder, sorted.
std::string ListFolder(const std::string& folder);

}  // namespace pwtest
