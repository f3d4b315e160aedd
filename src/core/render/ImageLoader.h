// Picture files to pixels. Theme image files and the pattern strip are shared between people, so
// every file is untrusted input.
#pragma once

#include <cstdint>
#include <string>

#include "core/render/Surface.h"

namespace moravel {

inline constexpr std::int64_t kMaxImageSide = 16384;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{64} * 1024 * 1024;

// A picture may be loaded when each side is 1..16384 pixels and it has at most 64 megapixels.
bool ImageSizeAllowed(std::int64_t width, std::int64_t height);

enum class ImageLoadStatus {
    Ok,
    Missing,     // no such file, or not a file
    Unreadable,  // not a picture in a known format, or it fails to decode
    TooLarge,    // its header announces a size that ImageSizeAllowed refuses
};

class ImageLoader {
  public:
    ImageLoader() = default;
    virtual ~ImageLoader() = default;
    ImageLoader(const ImageLoader&) = delete;
    ImageLoader& operator=(const ImageLoader&) = delete;

    // Loads the picture file at `path` into `target`, which takes the picture's size (Resize) and
    // then its pixels; pixels that are transparent in the picture show the target's background
    // colour, partly transparent ones are mixed with it. The format is recognised by the file's
    // content, never by its name (BMP, JPEG, GIF, ICO, PNG). The size a header announces is checked
    // with ImageSizeAllowed before any pixel memory is taken. On any failure `target` is left
    // exactly as it was.
    virtual ImageLoadStatus Load(const std::string& path, Surface& target) = 0;
};

}  // namespace moravel
