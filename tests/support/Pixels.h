// Pixels read back: bitmap files written for the program to load, its resource bitmaps, what a
// window shows; and the bitmaps the program holds, counted. Windows only, header only.
#pragma once

#include "platform/unique_handle.h"
#include "support/TestSupport.h"

#include <windows.h>

#include <cstring>

namespace pwtest {

using Colour = std::function<std::uint32_t(int, int)>;  // 0xRRGGBB at x, y

// A 24-bit bitmap file of width x height in colour(x, y).
inline void WriteBitmap(const std::string& path, int width, int height, const Colour& colour) {
    const int stride = (width * 3 + 3) & ~3;
    const BITMAPINFOHEADER header = {sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    const BITMAPFILEHEADER file = {0x4D42, offset + static_cast<DWORD>(stride * height), 0, 0, offset};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colour(x, y);
            for (int i = 0; i < 3; ++i) row[x * 3 + i] = static_cast<char>((c >> (8 * i)) & 0xFF);
        }
        bytes += row;
    }
    WriteBytes(path, bytes);
}

struct Pixels {  // 32-bit pixels, rows top to bottom
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

// The pixels of bitmap (its own size unless one is given).
inline Pixels ReadPixels(HBITMAP bitmap, int width = 0, int height = 0) {
    if (width == 0) {
        BITMAP size{};
        GetObjectA(bitmap, sizeof size, &size);
        width = size.bmWidth;
        height = size.bmHeight;
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    Pixels image{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height)};
    const platform::WindowDc screen(nullptr);
    GetDIBits(screen.get(), bitmap, 0, height, image.pixels.data(), &info, DIB_RGB_COLORS);
    return image;
}
inline Pixels ResourcePixels(int id) {
    const platform::OwnedBitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    return ReadPixels(bitmap.get());
}
// What window shows now in its client area, copied off its surface.
inline Pixels CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const platform::WindowDc surface(window);
    const platform::MemoryDc memory(surface.get());
    const platform::OwnedBitmap copy(CreateCompatibleBitmap(surface.get(), client.right, client.bottom));
    {
        const platform::SelectedObject selected(memory.get(), copy.get());
        BitBlt(memory.get(), 0, 0, client.right, client.bottom, surface.get(), 0, 0, SRCCOPY);
    }
    return ReadPixels(copy.get(), client.right, client.bottom);
}

// --- Bitmaps the program holds -------------------------------------------------------------------
// Wine's GetGuiResources answers 0, so the functions that make and delete bitmaps are redirected,
// in the program's own import table, to counting ones.

namespace bitmaps {
inline int g_live = 0;
template <typename Handle>
Handle Made(Handle handle) {
    g_live += handle != nullptr && GetObjectType(handle) == OBJ_BITMAP;
    return handle;
}

// Puts replacement into the program's import slot of function and answers what was there.
template <typename Function>
Function Redirect(const char* dll, const char* function, Function replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                std::strcmp(reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name,
                            function))
                continue;
            void** slot = reinterpret_cast<void**>(&slots->u1.Function);
            DWORD protection = 0;
            VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
            auto original = reinterpret_cast<Function>(*slot);
            *slot = reinterpret_cast<void*>(replacement);
            VirtualProtect(slot, sizeof *slot, protection, &protection);
            return original;
        }
    }
    return nullptr;
}

// A redirected import that counts the bitmaps it makes.
template <int Tag, typename Result, typename... Args>
struct Counted {
    static inline Result(WINAPI* original)(Args...) = nullptr;
    static Result WINAPI Call(Args... args) { return Made(original(args...)); }
};
template <int Tag, typename Result, typename... Args>
void Count(const char* dll, const char* name, Result(WINAPI*)(Args...)) {
    Counted<Tag, Result, Args...>::original = Redirect(dll, name, &Counted<Tag, Result, Args...>::Call);
}
inline decltype(&DeleteObject) g_deleteObject = nullptr;
}  // namespace bitmaps

// Starts counting (once per program); bitmaps made before are not counted.
inline void CountBitmaps() {
    using namespace bitmaps;
    if (g_deleteObject != nullptr) return;
    Count<0>("gdi32.dll", "CreateBitmap", &CreateBitmap);
    Count<1>("gdi32.dll", "CreateCompatibleBitmap", &CreateCompatibleBitmap);
    Count<2>("user32.dll", "LoadBitmapA", &LoadBitmapA);
    Count<3>("user32.dll", "LoadImageA", &LoadImageA);
    g_deleteObject = Redirect(
        "gdi32.dll", "DeleteObject", +[](HGDIOBJ object) {
            const bool bitmap = object != nullptr && GetObjectType(object) == OBJ_BITMAP;
            const BOOL deleted = g_deleteObject(object);
            g_live -= bitmap && deleted;
            return deleted;
        });
}
// Bitmaps made since counting started and not yet deleted.
inline int LiveBitmaps() { return bitmaps::g_live; }

}  // namespace pwtest
