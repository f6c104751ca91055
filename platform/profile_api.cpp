#include "platform/profile_api.h"

#include "platform/windows_dir.h"

#include <cstring>
#include <utility>
#include <vector>

namespace profile {
namespace {

// A read that cannot load its file answers as for a missing file.
Document LoadForReading(const char* file) {
    if (file == nullptr || *file == '\0') return Document::Empty();
    return ReadDocument(ResolveProfilePath(file));
}

// kernel32 removes trailing spaces from the default but always keeps its first character.
std::string TrimmedDefault(const char* def) {
    std::string text = def != nullptr ? def : "";
    while (text.size() > 1 && text.back() == ' ') text.pop_back();
    return text;
}

std::uint32_t CopyText(const std::string& text, char* buffer, std::uint32_t size) {
    std::size_t length = std::strlen(text.c_str());  // stops at an embedded NUL, as a C string does
    std::size_t n = length < size - 1 ? length : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

// A list of NUL-terminated names and a final NUL. When it does not fit, the last name that
// fits partly is cut, two NULs end the buffer and the answer is size - 2.
std::uint32_t CopyList(const std::vector<std::string>& names, char* buffer, std::uint32_t size) {
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    std::size_t room = size - 1;
    std::size_t at = 0;
    for (const std::string& full : names) {
        std::size_t length = std::strlen(full.c_str());
        if (length + 1 >= room) {
            std::memcpy(buffer + at, full.data(), room - 1);
            at += room - 1;
            buffer[at++] = '\0';
            buffer[at] = '\0';
            return size - 2;
        }
        std::memcpy(buffer + at, full.data(), length);
        at += length;
        buffer[at++] = '\0';
        room -= length + 1;
    }
    buffer[at] = '\0';
    return static_cast<std::uint32_t>(at);
}

}  // namespace

std::string ResolveProfilePath(const std::string& file) {
    if (file.find_first_of("\\/:") != std::string::npos) return file;
    const std::string folder = platform::WindowsDirectory();
    if (folder.empty()) return file;
    return folder + '\\' + file;
}

std::uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* def, char* buffer,
                                       std::uint32_t size, const char* file) {
    if (buffer == nullptr || size == 0) return 0;
    Document doc = LoadForReading(file);
    if (section == nullptr) return CopyList(doc.SectionHeaders(), buffer, size);
    if (key == nullptr) {
        // A buffer of two or fewer characters holds no key, and kernel32 answers the default.
        std::vector<std::string> keys = doc.KeyLines(section);
        if (!keys.empty() && size > 2) return CopyList(keys, buffer, size);
        return CopyText(TrimmedDefault(def), buffer, size);
    }
    std::optional<std::string> value = doc.Get(section, key);
    return CopyText(value ? *value : TrimmedDefault(def), buffer, size);
}

fileio::Error WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file) {
    if (file == nullptr || *file == '\0') return fileio::Error{fileio::ErrorCode::NoFileName};
    std::string path = ResolveProfilePath(file);
    if (section == nullptr) return fileio::Error{fileio::ErrorCode::NoSectionName, path};
    LoadedFile loaded;
    if (fileio::Error error = Load(path, loaded)) return error;
    bool deleting = key == nullptr || value == nullptr;
    // Deleting from a missing file changes nothing and creates nothing.
    if (deleting && !loaded.existed) return {};
    if (loaded.doc.Unrepresentable()) return Save(path, loaded.doc);
    if (key == nullptr) {
        loaded.doc.RemoveSection(section);
    } else if (value == nullptr) {
        loaded.doc.RemoveKey(section, key);
    } else {
        loaded.doc.Set(section, key, value);
    }
    if (!loaded.doc.Modified()) return {};
    SaveOptions options;
    options.expected = &loaded;
    return Save(path, loaded.doc, options);
}

}  // namespace profile
