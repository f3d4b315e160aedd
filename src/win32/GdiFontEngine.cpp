#include "win32/GdiFontEngine.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "core/base/Strings.h"
#include "core/os/WideText_win.h"

namespace moravel {
namespace {

double ScreenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

// The face of the desktop's message boxes, what the desktop shows text in by default.
std::wstring MessageFontFace() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) == 0) {
        return L"";
    }
    return metrics.lfMessageFont.lfFaceName;
}

int CALLBACK StopAtFirstFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// The face name into a LOGFONT's field; false when it does not fit.
bool PutFace(LOGFONTW& font, const std::wstring& face) {
    if (face.size() >= LF_FACESIZE) {
        return false;
    }
    std::wmemcpy(font.lfFaceName, face.c_str(), face.size() + 1);
    return true;
}

std::uint8_t CoverageOf(std::uint32_t pixel) {
    return static_cast<std::uint8_t>(
        std::max({pixel & 0xFFu, (pixel >> 8) & 0xFFu, (pixel >> 16) & 0xFFu}));
}

}  // namespace

GdiFontEngine::GdiFontEngine(double logicalDpi, TextQuality quality)
    : dpi_(logicalDpi > 0 ? logicalDpi : ScreenDpi()),
      quality_(quality == TextQuality::Antialiased ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY),
      defaultFace_(MessageFontFace()) {
    canvas_.Reserve(64, 32);
}

LOGFONTW GdiFontEngine::ToLogFont(const FontSpec& font) const {
    LOGFONTW log = {};
    // The em height in whole pixels (negative: a character height, not a cell height).
    const double pixels = RoundHalfEven(font.points * dpi_ / 72.0);
    log.lfHeight = -static_cast<LONG>(std::clamp(pixels, 1.0, 100000.0));
    log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = font.italic ? 1 : 0;
    log.lfUnderline = font.underline ? 1 : 0;
    log.lfStrikeOut = font.strikeOut ? 1 : 0;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = quality_;
    log.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    if (!PutFace(log, font.face.empty() ? defaultFace_ : Utf8ToWide(font.face))) {
        log.lfFaceName[0] = L'\0';
    }
    return log;
}

void GdiFontEngine::SetDpi(double logicalDpi) {
    const double dpi = logicalDpi > 0 ? logicalDpi : ScreenDpi();
    if (dpi != dpi_) {
        dpi_ = dpi;
        // The selected font and the text rendered with it were the old size: made again when next
        // asked for.
        selected_.reset();
        rendered_.reset();
    }
}

bool GdiFontEngine::HasFace(std::string_view face) {
    if (face.empty()) {
        return true;
    }
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const std::wstring wide = Utf8ToWide(face);
    if (!PutFace(wanted, wide) || !canvas_.dc()) {
        return false;
    }
    bool found = false;
    EnumFontFamiliesExW(canvas_.dc(), &wanted, StopAtFirstFace, reinterpret_cast<LPARAM>(&found),
                        0);
    if (found) {
        return true;
    }
    // A face known by another name (a localised one, say) is still the face asked for when GDI
    // gives exactly it.
    const FontHandle probe(CreateFontIndirectW(&wanted));
    const SelectedObject selection(canvas_.dc(), probe.get());
    wchar_t chosen[LF_FACESIZE] = {};
    return selection && GetTextFaceW(canvas_.dc(), LF_FACESIZE, chosen) > 0 &&
           CompareStringOrdinal(chosen, -1, wide.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool GdiFontEngine::Select(const FontSpec& font) {
    if (!FontSizeAllowed(font.points) || !canvas_.dc()) {
        return false;
    }
    if (selected_ && *selected_ == font) {
        return true;
    }
    const LOGFONTW log = ToLogFont(font);
    FontHandle created(CreateFontIndirectW(&log));
    if (!created) {
        return false;
    }
    fontSelection_.Restore();
    font_ = std::move(created);
    fontSelection_ = SelectedObject(canvas_.dc(), font_.get());
    selected_.reset();
    rendered_.reset();
    if (!fontSelection_ || GetTextMetricsW(canvas_.dc(), &metrics_) == 0) {
        return false;
    }
    selected_ = font;
    return true;
}

std::string GdiFontEngine::SelectedFace() {
    wchar_t face[LF_FACESIZE] = {};
    if (!selected_ || GetTextFaceW(canvas_.dc(), LF_FACESIZE, face) <= 0) {
        return "";
    }
    return WideToUtf8(face);
}

std::int32_t GdiFontEngine::WideWidth() {
    SIZE size = {};
    if (wide_.empty() || GetTextExtentPoint32W(canvas_.dc(), wide_.data(),
                                               static_cast<int>(wide_.size()), &size) == 0) {
        return 0;
    }
    return size.cx;
}

TextSize GdiFontEngine::Measure(const FontSpec& font, std::string_view text) {
    if (!Select(font)) {
        return {};
    }
    Utf8ToWide(text, wide_);
    return {static_cast<double>(WideWidth()),
            static_cast<double>(metrics_.tmAscent + metrics_.tmDescent)};
}

bool GdiFontEngine::Render(const Rendered& where) {
    if (rendered_ && *rendered_ == where && renderedText_ == wide_) {
        return true;
    }
    rendered_.reset();
    if (!canvas_.Reserve(where.width, where.height)) {
        return false;
    }
    canvas_.Fill(where.width, where.height, 0);
    const HDC dc = canvas_.dc();
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    ExtTextOutW(dc, where.originX, where.originY, 0, nullptr, wide_.data(),
                static_cast<UINT>(wide_.size()), nullptr);
    GdiFlush();
    renderedText_ = wide_;
    rendered_ = where;
    return true;
}

void GdiFontEngine::Draw(Surface& target, const FontSpec& font, std::int32_t x, std::int32_t y,
                         std::string_view text, Colour colour) {
    if (text.empty() || !Select(font)) {
        return;
    }
    Utf8ToWide(text, wide_);
    const std::int64_t width = WideWidth();
    const std::int64_t height = metrics_.tmHeight;
    // Glyphs may reach beyond their box (italic overhang, accents): a margin on every side.
    const std::int64_t margin = (height + 1) / 2 + 2;
    const std::int64_t left = std::max<std::int64_t>(std::int64_t{x} - margin, 0);
    const std::int64_t top = std::max<std::int64_t>(std::int64_t{y} - margin, 0);
    const std::int64_t right = std::min<std::int64_t>(x + width + margin, target.Width());
    const std::int64_t bottom = std::min<std::int64_t>(y + height + margin, target.Height());
    if (left >= right || top >= bottom) {
        return;
    }
    const Rendered where = {static_cast<std::int32_t>(x - left), static_cast<std::int32_t>(y - top),
                            static_cast<std::int32_t>(right - left),
                            static_cast<std::int32_t>(bottom - top)};
    if (!Render(where)) {
        return;
    }
    const Colour plain = colour & kColourBits;
    for (std::int32_t row = 0; row < where.height; ++row) {
        for (std::int32_t column = 0; column < where.width; ++column) {
            const std::uint8_t coverage = CoverageOf(canvas_.At(column, row));
            if (coverage != 0) {
                target.BlendPixel(static_cast<std::int32_t>(left) + column,
                                  static_cast<std::int32_t>(top) + row, plain, coverage);
            }
        }
    }
}

}  // namespace moravel
