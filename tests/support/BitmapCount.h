// How many bitmaps this test program holds: the functions of gdi32 and user32 that make and
// delete bitmaps are redirected, in the program's own import table, to counting ones. Wine's
// GetGuiResources answers 0, so a leak is seen this way or not at all. Windows only, header only.
#pragma once

#include <windows.h>

#include <cstring>

namespace pwtest {

namespace bitmaps {

inline int g_live = 0;

inline void Made(HANDLE handle) {
    if (handle != nullptr && GetObjectType(handle) == OBJ_BITMAP) ++g_live;
}

// The program's import slot of function in dll, or nullptr.
inline void** ImportSlot(const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
    }
    return nullptr;
}

// Puts replacement into function's slot and answers what was there (nullptr when the program
// does not import it).
template <typename Function>
Function Redirect(const char* dll, const char* function, Function replacement) {
    void** slot = ImportSlot(dll, function);
    if (slot == nullptr) return nullptr;
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    auto original = reinterpret_cast<Function>(*slot);
    *slot = reinterpret_cast<void*>(replacement);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return original;
}

inline decltype(&CreateBitmap) g_createBitmap = nullptr;
inline decltype(&CreateCompatibleBitmap) g_createCompatibleBitmap = nullptr;
inline decltype(&CreateDIBSection) g_createDibSection = nullptr;
inline decltype(&LoadBitmapA) g_loadBitmap = nullptr;
inline decltype(&LoadImageA) g_loadImage = nullptr;
inline decltype(&DeleteObject) g_deleteObject = nullptr;

inline HBITMAP WINAPI CountedCreateBitmap(int w, int h, UINT planes, UINT bits, const void* data) {
    const HBITMAP made = g_createBitmap(w, h, planes, bits, data);
    Made(made);
    return made;
}
inline HBITMAP WINAPI CountedCreateCompatibleBitmap(HDC dc, int w, int h) {
    const HBITMAP made = g_createCompatibleBitmap(dc, w, h);
    Made(made);
    return made;
}
inline HBITMAP WINAPI CountedCreateDibSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                              HANDLE section, DWORD offset) {
    const HBITMAP made = g_createDibSection(dc, info, usage, bits, section, offset);
    Made(made);
    return made;
}
inline HBITMAP WINAPI CountedLoadBitmap(HINSTANCE module, LPCSTR name) {
    const HBITMAP made = g_loadBitmap(module, name);
    Made(made);
    return made;
}
inline HANDLE WINAPI CountedLoadImage(HINSTANCE module, LPCSTR name, UINT type, int w, int h, UINT flags) {
    const HANDLE made = g_loadImage(module, name, type, w, h, flags);
    if (type == IMAGE_BITMAP) Made(made);
    return made;
}
inline BOOL WINAPI CountedDeleteObject(HGDIOBJ object) {
    const bool bitmap = object != nullptr && GetObjectType(object) == OBJ_BITMAP;
    const BOOL deleted = g_deleteObject(object);
    if (bitmap && deleted) --g_live;
    return deleted;
}

}  // namespace bitmaps

// Starts counting (once per program); bitmaps made before are not counted.
inline void CountBitmaps() {
    using namespace bitmaps;
    if (g_deleteObject != nullptr) return;
    g_createBitmap = Redirect("gdi32.dll", "CreateBitmap", &CountedCreateBitmap);
    g_createCompatibleBitmap = Redirect("gdi32.dll", "CreateCompatibleBitmap", &CountedCreateCompatibleBitmap);
    g_createDibSection = Redirect("gdi32.dll", "CreateDIBSection", &CountedCreateDibSection);
    g_loadBitmap = Redirect("user32.dll", "LoadBitmapA", &CountedLoadBitmap);
    g_loadImage = Redirect("user32.dll", "LoadImageA", &CountedLoadImage);
    g_deleteObject = Redirect("gdi32.dll", "DeleteObject", &CountedDeleteObject);
}

// Bitmaps made since counting started and not yet deleted.
inline int LiveBitmaps() { return bitmaps::g_live; }

}  // namespace pwtest
