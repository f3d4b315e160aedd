#include "win32/WicImageLoader.h"

#include <wincodec.h>

#include <array>
#include <new>
#include <vector>

#include "core/os/TextFile.h"
#include "core/os/WideText_win.h"
#include "win32/Com.h"
#include "win32/Handles.h"

namespace moravel {
namespace {

// The containers a theme's picture may be in; WIC knows more (TIFF, DDS, ...), which are refused.
bool KnownContainer(const GUID& format) {
    const std::array<const GUID*, 5> known = {&GUID_ContainerFormatBmp, &GUID_ContainerFormatPng,
                                              &GUID_ContainerFormatIco, &GUID_ContainerFormatJpeg,
                                              &GUID_ContainerFormatGif};
    for (const GUID* k : known) {
        if (IsEqualGUID(format, *k)) {
            return true;
        }
    }
    return false;
}

struct Decoded {
    ImageLoadStatus status = ImageLoadStatus::Unreadable;
    UINT width = 0;
    UINT height = 0;
    std::vector<std::uint8_t> bgra;  // 8-bit blue, green, red, alpha (not premultiplied), by rows
};

// The first frame of the file at `path`, if its header announces an allowed size.
ComPtr<IWICBitmapFrameDecode> OpenFrame(IWICImagingFactory& factory, const std::string& path,
                                        Decoded& decoded) {
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    GUID container = {};
    if (FAILED(factory.CreateDecoderFromFilename(Utf8ToWide(path).c_str(), nullptr, GENERIC_READ,
                                                 WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetContainerFormat(&container)) || !KnownContainer(container) ||
        FAILED(decoder->GetFrame(0, frame.put())) ||
        FAILED(frame->GetSize(&decoded.width, &decoded.height))) {
        return {};
    }
    // The size comes from the header: checked before a single pixel is decoded.
    if (!ImageSizeAllowed(decoded.width, decoded.height)) {
        decoded.status = ImageLoadStatus::TooLarge;
        return {};
    }
    return frame;
}

Decoded Decode(const std::string& path) {
    Decoded decoded;
    ComPtr<IWICImagingFactory> factory;
    if (!EnsureComApartment() ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.put())))) {
        return decoded;
    }
    ComPtr<IWICBitmapFrameDecode> frame = OpenFrame(*factory.get(), path, decoded);
    ComPtr<IWICFormatConverter> converter;
    if (!frame || FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom))) {
        return decoded;
    }
    const UINT stride = decoded.width * 4;  // at most 16384 * 4
    try {
        decoded.bgra.resize(static_cast<std::size_t>(stride) * decoded.height);
    } catch (const std::bad_alloc&) {
        return decoded;
    }
    if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(decoded.bgra.size()),
                                     decoded.bgra.data()))) {
        return decoded;
    }
    decoded.status = ImageLoadStatus::Ok;
    return decoded;
}

std::uint32_t Mix(std::uint32_t over, std::uint32_t under, std::uint32_t alpha) {
    return (over * alpha + under * (255 - alpha) + 127) / 255;
}

}  // namespace

ImageLoadStatus WicImageLoader::Load(const std::string& path, Surface& target) {
    if (!IsFile(path)) {
        return ImageLoadStatus::Missing;
    }
    const Decoded decoded = Decode(path);
    if (decoded.status != ImageLoadStatus::Ok) {
        return decoded.status;
    }
    const auto width = static_cast<std::int32_t>(decoded.width);
    const auto height = static_cast<std::int32_t>(decoded.height);
    const Colour back = ResolveColour(target.BackColor());
    target.Resize(width, height);
    const std::uint8_t* p = decoded.bgra.data();
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x, p += 4) {
            const std::uint32_t alpha = p[3];
            const Colour c =
                alpha == 255 ? Rgb(p[2], p[1], p[0])
                             : Rgb(Mix(p[2], RedOf(back), alpha), Mix(p[1], GreenOf(back), alpha),
                                   Mix(p[0], BlueOf(back), alpha));
            target.SetPixel(x, y, c);
        }
    }
    return ImageLoadStatus::Ok;
}

}  // namespace moravel
