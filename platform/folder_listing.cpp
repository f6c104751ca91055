#include "platform/folder_listing.h"

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace platform {

RealPath::RealPath(const std::string& ansi) : ansi_(ansi), native_(AnsiToUtf8(ansi)) {}

RealPath RealPath::Child(const FolderEntry& entry) const {
    RealPath child;
    child.ansi_ = ansi_ + kPathSeparator + entry.name;
    child.native_ = native_ + kPathSeparator + entry.native;
    return child;
}

RealPath RealPath::Child(const std::string& ansiName) const {
    RealPath child;
    child.ansi_ = ansi_ + kPathSeparator + ansiName;
    child.native_ = native_ + kPathSeparator + AnsiToUtf8(ansiName);
    return child;
}

bool ReadFileAt(const RealPath& file, std::string& bytes) { return fileio::ReadNativeFile(file.Native(), bytes); }

}  // namespace platform
