#include "preview/gdi_handles.h"

namespace preview {

namespace {
int g_liveBitmaps = 0;  // bitmaps currently held by OwnedBitmap objects
}

OwnedBitmap::OwnedBitmap(HBITMAP bitmap) : bitmap_(bitmap) {
    if (bitmap_ != nullptr) {
        ++g_liveBitmaps;
    }
}

OwnedBitmap::OwnedBitmap(OwnedBitmap&& other) noexcept : bitmap_(other.bitmap_) {
    other.bitmap_ = nullptr;
}

OwnedBitmap& OwnedBitmap::operator=(OwnedBitmap&& other) noexcept {
    if (this != &other) {
        reset();
        bitmap_ = other.bitmap_;
        other.bitmap_ = nullptr;
    }
    return *this;
}

OwnedBitmap& OwnedBitmap::operator=(std::nullptr_t) {
    reset();
    return *this;
}

OwnedBitmap::~OwnedBitmap() { reset(); }

void OwnedBitmap::reset() {
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
        bitmap_ = nullptr;
        --g_liveBitmaps;
    }
}

int LiveBitmapCount() { return g_liveBitmaps; }

}  // namespace preview
