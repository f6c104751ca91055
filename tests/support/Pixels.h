// Pixels read back: bitmap files written for the program to load, its resource bitmaps, what a
// window shows. Windows only, header only.
#pragma once

#include "platform/unique_handle.h"
#include "support/TestSupport.h"

#include <windows.h>

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

}  // namespace pwtest
