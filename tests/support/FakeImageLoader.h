// An image loader that serves pictures registered by the test, keyed by path.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/render/ImageLoader.h"

namespace moravel::test {

class FakeImageLoader : public ImageLoader {
  public:
    // `picture` is what loading `path` gives.
    void Add(const std::string& path, const Surface& picture) { files_[path] = {picture, {}}; }
    // Loading `path` fails with `status` (a file that exists but is no picture, for example).
    void Refuse(const std::string& path, ImageLoadStatus status) { files_[path] = {{}, status}; }

    ImageLoadStatus Load(const std::string& path, Surface& target) override {
        asked.push_back(path);
        const auto it = files_.find(path);
        if (it == files_.end()) {
            return ImageLoadStatus::Missing;
        }
        const Entry& entry = it->second;
        if (entry.status != ImageLoadStatus::Ok) {
            return entry.status;
        }
        const Surface& picture = entry.picture;
        if (!ImageSizeAllowed(picture.Width(), picture.Height())) {
            return ImageLoadStatus::TooLarge;
        }
        target.Resize(picture.Width(), picture.Height());
        std::copy(picture.Pixels(),
                  picture.Pixels() + static_cast<std::size_t>(picture.Width()) * picture.Height(),
                  target.Pixels());
        return ImageLoadStatus::Ok;
    }

    std::vector<std::string> asked;

  private:
    struct Entry {
        Surface picture;
        ImageLoadStatus status = ImageLoadStatus::Ok;
    };
    std::map<std::string, Entry> files_;
};

}  // namespace moravel::test
