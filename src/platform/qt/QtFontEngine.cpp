#include "platform/qt/QtFontEngine.h"

#include <QFontDatabase>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

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
    const QString name = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
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
    return true;
}

const QString& QtFontEngine::Decode(std::string_view text) {
    // resize(0) keeps the buffer, so the text of every frame fits into what earlier frames took.
    text_.resize(0);
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t code = 0xFFFD;
        std::size_t length = 1;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
        }
        if (length > 1) {
            if (i + length > text.size()) {
                length = 1;
            } else {
                code = lead & (0x7F >> length);
                for (std::size_t k = 1; k < length; ++k) {
                    const auto next = static_cast<unsigned char>(text[i + k]);
                    if ((next & 0xC0) != 0x80) {
                        code = 0xFFFD;
                        length = k;
                        break;
                    }
                    code = (code << 6) | (next & 0x3F);
                }
                if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                    code = 0xFFFD;
                }
            }
        }
        if (code >= 0x10000) {
            text_.append(QChar(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10))));
            text_.append(QChar(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF))));
        } else {
            text_.append(QChar(static_cast<char16_t>(code)));
        }
        i += length;
    }
    return text_;
}

TextSize QtFontEngine::Measure(const FontSpec& font, std::string_view text) {
    if (!Select(font)) {
        return {};
    }
    const QString& qtext = Decode(text);
    return {metrics_->horizontalAdvance(qtext), metrics_->ascent() + metrics_->descent()};
}

void QtFontEngine::Draw(Surface& target, const FontSpec& font, std::int32_t x, std::int32_t y,
                        std::string_view text, Colour colour) {
    if (text.empty() || !Select(font)) {
        return;
    }
    const QString& qtext = Decode(text);
    // Glyphs may reach beyond the text's box (italic overhang, accents), so the scratch picture
    // has a margin on every side.
    const int margin = static_cast<int>(std::ceil(metrics_->height() / 2)) + 2;
    const int width = static_cast<int>(std::ceil(metrics_->horizontalAdvance(qtext))) + 2 * margin;
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
        painter.drawText(QPointF(margin, margin + metrics_->ascent()), qtext);
    }
    const Colour plain = colour & kColourBits;
    for (int row = 0; row < height; ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch_.constScanLine(row));
        const std::int32_t ty = y + row - margin;
        if (ty < 0 || ty >= target.Height()) {
            continue;
        }
        for (int column = 0; column < width; ++column) {
            const int coverage = qAlpha(line[column]);
            if (coverage != 0) {
                target.BlendPixel(x + column - margin, ty, plain,
                                  static_cast<std::uint8_t>(coverage));
            }
        }
    }
}

}  // namespace moravel
