#include "qt/QtFontEngine.h"

#include <QFontDatabase>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "qt/QtText.h"

namespace moravel {
namespace {

struct StandIn {
    std::string_view face;
    const char* family;
};

// Faces of Japanese Windows and the IPA fonts made with their metrics (fonts-ipafont-gothic has
// the two Gothic faces; the Mincho ones come with fonts-ipafont-mincho when it is installed).
constexpr std::array kStandIns = {
    StandIn{"ＭＳ ゴシック", "IPAGothic"},    StandIn{"MS Gothic", "IPAGothic"},
    StandIn{"ＭＳ Ｐゴシック", "IPAPGothic"}, StandIn{"MS PGothic", "IPAPGothic"},
    StandIn{"ＭＳ 明朝", "IPAMincho"},        StandIn{"MS Mincho", "IPAMincho"},
    StandIn{"ＭＳ Ｐ明朝", "IPAPMincho"},     StandIn{"MS PMincho", "IPAPMincho"},
};

bool FamilyInstalled(const QString& family) {
    return !family.isEmpty() && QFontDatabase::hasFamily(family);
}

// The family Qt is asked for: the face itself when installed, else its stand-in.
QString FamilyFor(std::string_view face) {
    QString name = ToQString(face);
    if (name.isEmpty() || FamilyInstalled(name)) {
        return name;
    }
    const QString standIn = StandInFamily(face);
    return FamilyInstalled(standIn) ? standIn : name;
}

}  // namespace

QString StandInFamily(std::string_view face) {
    for (const StandIn& entry : kStandIns) {
        if (entry.face == face) {
            return QString::fromLatin1(entry.family);
        }
    }
    return QString();
}

QtFontEngine::QtFontEngine(double logicalDpi) : dpi_(logicalDpi > 0 ? logicalDpi : 96) {}

bool QtFontEngine::HasFace(std::string_view face) {
    if (face.empty()) {
        return true;
    }
    return FamilyInstalled(FamilyFor(face));
}

QFont QtFontEngine::ToQFont(const FontSpec& font) const {
    QFont qfont;
    const QString family = FamilyFor(font.face);
    if (!family.isEmpty()) {
        qfont.setFamilies({family});
    }
    // The em height in whole pixels, as the desktop rounds a point size for the screen.
    const double pixels = std::round(font.points * dpi_ / 72.0);
    qfont.setPixelSize(std::max(1, static_cast<int>(pixels)));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    qfont.setKerning(false);
    return qfont;
}

bool QtFontEngine::Select(const FontSpec& font) {
    if (!FontSizeAllowed(font.points)) {
        return false;
    }
    if (selected_ && *selected_ == font) {
        return true;
    }
    font_ = ToQFont(font);
    metrics_.emplace(font_);
    selected_ = font;
    glyphs_.clear();
    return true;
}

namespace {

// The code point that starts at text[i], and its length in bytes; broken UTF-8 gives U+FFFD for
// one byte, and never reads past the text.
char32_t NextCodePoint(std::string_view text, std::size_t i, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[i]);
    length = 1;
    if (lead < 0x80) {
        return lead;
    }
    std::size_t need = 0;
    if ((lead & 0xE0) == 0xC0) {
        need = 2;
    } else if ((lead & 0xF0) == 0xE0) {
        need = 3;
    } else if ((lead & 0xF8) == 0xF0) {
        need = 4;
    } else {
        return 0xFFFD;
    }
    if (i + need > text.size()) {
        return 0xFFFD;
    }
    char32_t code = lead & (0x7F >> need);
    for (std::size_t k = 1; k < need; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return 0xFFFD;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0xFFFD;
    }
    length = need;
    return code;
}

}  // namespace

const QtFontEngine::Glyph& QtFontEngine::GlyphOf(char32_t code) {
    if (const auto found = glyphs_.find(code); found != glyphs_.end()) {
        return found->second;
    }
    const QString text = QString::fromUcs4(&code, 1);
    Glyph glyph;
    glyph.advance = metrics_->horizontalAdvance(text);
    // Glyphs may reach beyond their cell (italic overhang, accents), so the scratch picture has a
    // margin on every side.
    const int margin = static_cast<int>(std::ceil(metrics_->height() / 2)) + 2;
    const int width = static_cast<int>(std::ceil(glyph.advance)) + 2 * margin;
    const int height = static_cast<int>(std::ceil(metrics_->height())) + 2 * margin;
    if (scratch_.width() < width || scratch_.height() < height) {
        scratch_ = QImage(std::max(width, scratch_.width()), std::max(height, scratch_.height()),
                          QImage::Format_ARGB32_Premultiplied);
    }
    scratch_.fill(Qt::transparent);
    {
        QPainter painter(&scratch_);
        painter.setFont(font_);
        painter.setPen(Qt::white);
        painter.drawText(QPointF(margin, margin + metrics_->ascent()), text);
    }
    // Keep only the rows and columns the glyph covers.
    int x0 = width;
    int y0 = height;
    int x1 = -1;
    int y1 = -1;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch_.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) != 0) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 >= 0) {
        glyph.left = x0 - margin;
        glyph.top = y0 - margin;
        glyph.width = x1 - x0 + 1;
        glyph.height = y1 - y0 + 1;
        glyph.coverage.resize(static_cast<std::size_t>(glyph.width) *
                              static_cast<std::size_t>(glyph.height));
        for (int y = 0; y < glyph.height; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(scratch_.constScanLine(y0 + y));
            for (int x = 0; x < glyph.width; ++x) {
                glyph.coverage[(static_cast<std::size_t>(y) *
                                static_cast<std::size_t>(glyph.width)) +
                               static_cast<std::size_t>(x)] =
                    static_cast<std::uint8_t>(qAlpha(line[x0 + x]));
            }
        }
    }
    return glyphs_.emplace(code, std::move(glyph)).first->second;
}

TextSize QtFontEngine::Measure(const FontSpec& font, std::string_view text) {
    if (!Select(font)) {
        return {};
    }
    double width = 0;
    for (std::size_t i = 0, length = 0; i < text.size(); i += length) {
        width += GlyphOf(NextCodePoint(text, i, length)).advance;
    }
    return {width, metrics_->ascent() + metrics_->descent()};
}

void QtFontEngine::Draw(Surface& target, const FontSpec& font, std::int32_t x, std::int32_t y,
                        std::string_view text, Colour colour) {
    if (!Select(font)) {
        return;
    }
    const Colour plain = colour & kColourBits;
    double pen = 0;
    for (std::size_t i = 0, length = 0; i < text.size(); i += length) {
        const Glyph& glyph = GlyphOf(NextCodePoint(text, i, length));
        const std::int32_t gx = x + static_cast<std::int32_t>(std::lround(pen)) + glyph.left;
        const std::int32_t gy = y + glyph.top;
        for (int row = 0; row < glyph.height; ++row) {
            if (gy + row < 0 || gy + row >= target.Height()) {
                continue;
            }
            const std::uint8_t* cover =
                glyph.coverage.data() + (static_cast<std::ptrdiff_t>(row) * glyph.width);
            target.BlendRow(gx, gy + row, plain, cover, glyph.width);
        }
        pen += glyph.advance;
    }
}

}  // namespace moravel
