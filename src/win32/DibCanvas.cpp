#include "win32/DibCanvas.h"

#include <algorithm>

namespace moravel {

DibCanvas::DibCanvas() : dc_(CreateCompatibleDC(nullptr)) {}

bool DibCanvas::Reserve(std::int32_t width, std::int32_t height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width <= width_ && height <= height_) {
        return true;
    }
    if (!dc_) {
        return false;
    }
    const std::int32_t newWidth = std::max(width, width_);
    const std::int32_t newHeight = std::max(height, height_);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = newWidth;
    info.bmiHeader.biHeight = -newHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return false;
    }
    selection_.Restore();
    bitmap_ = std::move(bitmap);
    selection_ = SelectedObject(dc_.get(), bitmap_.get());
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = newWidth;
    height_ = newHeight;
    return true;
}

void DibCanvas::Fill(std::int32_t w, std::int32_t h, std::uint32_t value) {
    GdiFlush();
    w = std::clamp(w, 0, width_);
    h = std::clamp(h, 0, height_);
    for (std::int32_t y = 0; y < h; ++y) {
        std::uint32_t* row = bits_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        std::fill(row, row + w, value);
    }
}

}  // namespace moravel
