#include "platform/virtual_store.h"

#include "platform/ascii.h"
#include "platform/paths.h"

namespace platform {

namespace {

bool Under(const std::string& path, const std::string& folder) {
    if (folder.empty() || path.size() < folder.size()) return false;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        if (IsPathSeparator(path[i]) && IsPathSeparator(folder[i])) continue;
        if (FoldAscii(path[i]) != FoldAscii(folder[i])) return false;
    }
    return path.size() == folder.size() || IsPathSeparator(path[folder.size()]);
}

}  // namespace

bool IsVirtualized(const VirtualStore& store, const std::string& path) {
    for (const std::string& folder : store.folders) {
        if (Under(path, folder)) return true;
    }
    return false;
}

std::string VirtualStoreCopy(const VirtualStore& store, const std::string& path) {
    if (store.root.empty() || !IsVirtualized(store, path)) return std::string();
    const bool drive = path.size() >= 2 && path[1] == ':';
    return store.root + path.substr(drive ? 2 : 0);
}

}  // namespace platform
