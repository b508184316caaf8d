#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace ui::qt {

inline QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline std::u16string ToU16(const QString& text) { return text.toStdU16String(); }

}  // namespace ui::qt
