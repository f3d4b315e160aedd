// The one conversion between the core's text (UTF-8 in std::string and std::string_view) and Qt's
// QString: every caption, message, file name and edited text crosses here.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace moravel {

// The core's UTF-8 text as a QString.
inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A QString as the core's UTF-8 text.
inline std::string ToStdString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

}  // namespace moravel
