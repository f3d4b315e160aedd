// Hostile picture files into the real image loader (Qt's readers behind QtImageLoader): BMP, JPEG,
// GIF, ICO, PNG and anything else. Besides crashes and sanitizer reports it checks the loader's
// promises: a picture it accepts fits the size limits and fills the target exactly; a picture it
// refuses leaves the target as it was. fuzz.sh runs it with -malloc_limit_mb, so an allocation
// beyond the decode limit (a header's size trusted before it is checked) is a finding too.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/render/ImageLoader.h"
#include "fuzz/MemoryFile.h"
#include "qt/QtImageLoader.h"

using namespace moravel;

namespace {

constexpr std::int32_t kBeforeWidth = 3;
constexpr std::int32_t kBeforeHeight = 2;

// What the target holds before each load: a small picture no decoder would make by chance.
void Prepare(Surface& target) {
    target.SetBackColor(0x123456);
    target.Resize(kBeforeWidth, kBeforeHeight);
    for (std::int32_t y = 0; y < kBeforeHeight; ++y) {
        for (std::int32_t x = 0; x < kBeforeWidth; ++x) {
            target.SetPixel(x, y, static_cast<Colour>(0x0A0B0C + 17 * x + 101 * y));
        }
    }
}

bool Untouched(const Surface& target) {
    if (target.Width() != kBeforeWidth || target.Height() != kBeforeHeight ||
        target.BackColor() != 0x123456) {
        return false;
    }
    for (std::int32_t y = 0; y < kBeforeHeight; ++y) {
        for (std::int32_t x = 0; x < kBeforeWidth; ++x) {
            if (target.Pixel(x, y) != static_cast<Colour>(0x0A0B0C + 17 * x + 101 * y)) {
                return false;
            }
        }
    }
    return true;
}

// Every pixel a plain 0x00BBGGRR value: the loader mixed transparency into the background.
bool PlainPixels(const Surface& target) {
    const std::size_t n = static_cast<std::size_t>(target.Width()) * target.Height();
    for (std::size_t i = 0; i < n; ++i) {
        if ((target.Pixels()[i] & ~kColourBits) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The application lives for the whole run, as in the program; offscreen, no display needed.
    // It gets its own arguments, so that it takes none of the fuzzer's.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "image_fuzz";
    static char* argv[] = {name, nullptr};
    static const auto* app = new QGuiApplication(argc, argv);  // kept for the whole run
    (void)app;
    // The readers' complaints about broken files ("libpng error: ...") would drown the output.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::MemoryFile file("picture");
    static QtImageLoader loader;
    static Surface target;
    file.Fill(data, size);
    Prepare(target);
    switch (loader.Load(file.Path(), target)) {
        case ImageLoadStatus::Ok:
            if (!ImageSizeAllowed(target.Width(), target.Height()) || !PlainPixels(target)) {
                std::abort();
            }
            break;
        case ImageLoadStatus::Missing:
            std::abort();  // the file is there
        case ImageLoadStatus::Unreadable:
        case ImageLoadStatus::TooLarge:
            if (!Untouched(target)) {
                std::abort();
            }
            break;
    }
    return 0;
}
