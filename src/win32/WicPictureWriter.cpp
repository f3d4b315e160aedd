#include "win32/WicPictureWriter.h"

#include <wincodec.h>

#include <optional>
#include <vector>

#include "core/os/FileSystem.h"
#include "win32/Com.h"
#include "win32/Handles.h"

namespace moravel {
namespace {

// Pixels in memory, four bytes each in the order blue, green, red, alpha (or unused).
struct PixelBlock {
    const void* bits = nullptr;
    UINT width = 0;
    UINT height = 0;
    WICPixelFormatGUID source = {};  // the block's own layout
    WICPixelFormatGUID stored = {};  // the layout asked of the encoder
};

ComPtr<IWICImagingFactory> Factory() {
    ComPtr<IWICImagingFactory> factory;
    if (EnsureComApartment()) {
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(factory.put()));
    }
    return factory;
}

// Encodes `block` as one PNG frame into `stream`. The encoder may store another layout than the
// one asked for; WriteSource converts to whatever it chose.
bool Encode(IWICImagingFactory& factory, const PixelBlock& block, IStream& stream) {
    ComPtr<IWICBitmap> bitmap;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    const UINT stride = block.width * 4;
    WICPixelFormatGUID stored = block.stored;
    return SUCCEEDED(factory.CreateBitmapFromMemory(
               block.width, block.height, block.source, stride, stride * block.height,
               static_cast<BYTE*>(const_cast<void*>(block.bits)), bitmap.put())) &&
           SUCCEEDED(factory.CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) &&
           SUCCEEDED(encoder->Initialize(&stream, WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.put(), options.put())) &&
           SUCCEEDED(frame->Initialize(options.get())) &&
           SUCCEEDED(frame->SetSize(block.width, block.height)) &&
           SUCCEEDED(frame->SetPixelFormat(&stored)) &&
           SUCCEEDED(frame->WriteSource(bitmap.get(), nullptr)) && SUCCEEDED(frame->Commit()) &&
           SUCCEEDED(encoder->Commit());
}

// The bytes written to `stream` so far.
std::optional<std::string> StreamBytes(IStream& stream) {
    ULARGE_INTEGER end = {};
    LARGE_INTEGER zero = {};
    if (FAILED(stream.Seek(zero, STREAM_SEEK_CUR, &end)) || end.QuadPart > 0x7FFFFFFFu ||
        FAILED(stream.Seek(zero, STREAM_SEEK_SET, nullptr))) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(end.QuadPart), '\0');
    ULONG read = 0;
    if (FAILED(stream.Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) ||
        read != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteBlock(const PixelBlock& block, const std::string& path) {
    if (block.bits == nullptr || block.width == 0 || block.height == 0) {
        return false;
    }
    const ComPtr<IWICImagingFactory> factory = Factory();
    ComPtr<IStream> stream;
    if (!factory || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
        !Encode(*factory.get(), block, *stream.get())) {
        return false;
    }
    const std::optional<std::string> bytes = StreamBytes(*stream.get());
    return bytes && ReplaceFileContents(path, *bytes);
}

}  // namespace

bool WritePngFile(const Surface& picture, const std::string& path) {
    // The surface's pixel words are a 32-bit DIB's: blue, green, red and a byte that is not alpha.
    PixelBlock block;
    block.bits = picture.Pixels();
    block.width = static_cast<UINT>(picture.Width());
    block.height = static_cast<UINT>(picture.Height());
    block.source = GUID_WICPixelFormat32bppBGR;
    block.stored = GUID_WICPixelFormat24bppBGR;
    return WriteBlock(block, path);
}

bool WritePngFile(const IconImage& icon, const std::string& path) {
    const std::int32_t size = icon.size();
    std::vector<std::uint32_t> bgra(icon.color().size());
    for (std::int32_t y = 0; y < size; ++y) {
        for (std::int32_t x = 0; x < size; ++x) {
            const auto i = static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                           static_cast<std::size_t>(x);
            bgra[i] = icon.IsTransparent(x, y) ? 0u : (icon.color()[i] & 0x00FFFFFFu) | 0xFF000000u;
        }
    }
    PixelBlock block;
    block.bits = bgra.data();
    block.width = static_cast<UINT>(size);
    block.height = static_cast<UINT>(size);
    block.source = GUID_WICPixelFormat32bppBGRA;
    block.stored = GUID_WICPixelFormat32bppBGRA;
    return WriteBlock(block, path);
}

}  // namespace moravel
