#include "core/render/ImageLoader.h"

namespace moravel {

bool ImageSizeAllowed(std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) {
        return false;
    }
    return width * height <= kMaxImagePixels;
}

}  // namespace moravel
