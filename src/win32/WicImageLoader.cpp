#include "win32/WicImageLoader.h"

#include <wincodec.h>

#include <array>
#include <new>
#include <span>
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

// The first frame `decoder` holds, if its header announces an allowed size.
ComPtr<IWICBitmapFrameDecode> OpenFrame(IWICBitmapDecoder* decoder, Decoded& decoded) {
    ComPtr<IWICBitmapFrameDecode> frame;
    GUID container = {};
    if (decoder == nullptr || FAILED(decoder->GetContainerFormat(&container)) ||
        !KnownContainer(container) || FAILED(decoder->GetFrame(0, frame.put())) ||
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

// The decoder of a file, or of bytes in memory (through `stream`, which must outlive it).
ComPtr<IWICBitmapDecoder> FileDecoder(IWICImagingFactory& factory, const std::string& path) {
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory.CreateDecoderFromFilename(Utf8ToWide(path).c_str(), nullptr, GENERIC_READ,
                                                 WICDecodeMetadataCacheOnDemand, decoder.put()))) {
        return {};
    }
    return decoder;
}

ComPtr<IWICBitmapDecoder> BytesDecoder(IWICImagingFactory& factory,
                                       std::span<const std::uint8_t> bytes,
                                       ComPtr<IWICStream>& stream) {
    ComPtr<IWICBitmapDecoder> decoder;
    if (bytes.empty() || bytes.size() > UINT32_MAX || FAILED(factory.CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()),
                                            static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory.CreateDecoderFromStream(stream.get(), nullptr,
                                               WICDecodeMetadataCacheOnDemand, decoder.put()))) {
        return {};
    }
    return decoder;
}

// The pixels of the first frame of a file (`path`) or of `bytes` in memory.
Decoded Decode(const std::string* path, std::span<const std::uint8_t> bytes) {
    Decoded decoded;
    ComPtr<IWICImagingFactory> factory;
    if (!EnsureComApartment() ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.put())))) {
        return decoded;
    }
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder = path != nullptr
                                            ? FileDecoder(*factory.get(), *path)
                                            : BytesDecoder(*factory.get(), bytes, stream);
    ComPtr<IWICBitmapFrameDecode> frame = OpenFrame(decoder.get(), decoded);
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

// The decoded pixels into `target`, blended over its background colour where not opaque.
ImageLoadStatus ToSurface(const Decoded& decoded, Surface& target) {
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

}  // namespace

ImageLoadStatus WicImageLoader::Load(const std::string& path, Surface& target) {
    if (!IsFile(path)) {
        return ImageLoadStatus::Missing;
    }
    return ToSurface(Decode(&path, {}), target);
}

ImageLoadStatus LoadPictureBytes(std::span<const std::uint8_t> bytes, Surface& target) {
    return ToSurface(Decode(nullptr, bytes), target);
}

}  // namespace moravel
