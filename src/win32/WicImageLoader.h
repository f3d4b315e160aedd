// Picture files through the Windows Imaging Component: BMP, JPEG, GIF, ICO and PNG, told apart by
// their content.
#pragma once

#include <cstdint>
#include <span>

#include "core/render/ImageLoader.h"

namespace moravel {

// The first picture of a file (the first frame of a GIF, the first image of an icon). Decoding
// runs in the calling thread's COM apartment, joined at the first use (EnsureComApartment); every
// COM object lives only within one call.
class WicImageLoader final : public ImageLoader {
  public:
    ImageLoadStatus Load(const std::string& path, Surface& target) override;
};

// The same for a picture file's bytes in memory (a picture among the program's resources).
ImageLoadStatus LoadPictureBytes(std::span<const std::uint8_t> bytes, Surface& target);

}  // namespace moravel
