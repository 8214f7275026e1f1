#pragma once

#include <QColor>
#include <QString>
#include <string>

#include "TrendColors.h"

namespace trend {

// The engine's texts are UTF-8.
inline QString toQ(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string fromQ(const QString& text) {
    return text.toUtf8().toStdString();
}

// 0x00BBGGRR to a colour.
inline QColor toQColor(TColor color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace trend
