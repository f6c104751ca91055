#include "platform/paths.h"

#include "platform/ascii.h"

namespace platform {

std::string WithoutTrailingSeparators(std::string path) {
    while (!path.empty() && IsPathSeparator(path.back())) path.pop_back();
    return path;
}

bool SamePath(const std::string& a, const std::string& b) {
    const std::string x = WithoutTrailingSeparators(a);
    const std::string y = WithoutTrailingSeparators(b);
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (IsPathSeparator(x[i]) && IsPathSeparator(y[i])) continue;
        if (kNamesFoldCase ? FoldAscii(x[i]) != FoldAscii(y[i]) : x[i] != y[i]) return false;
    }
    return true;
}

}  // namespace platform
