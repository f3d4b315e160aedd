// Picture files through Qt's image readers: BMP, JPEG, GIF, ICO and PNG, told apart by content.
#pragma once

#include "core/render/ImageLoader.h"

namespace moravel {

class QtImageLoader final : public ImageLoader {
  public:
    ImageLoadStatus Load(const std::string& path, Surface& target) override;
};

}  // namespace moravel
