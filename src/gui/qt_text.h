#pragma once
// Conversions between the core's UTF-8 strings and Qt's strings.
#include <QString>
#include <string>

namespace veltrun::gui {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
inline std::string S(const QString& text) { return text.toStdString(); }

}  // namespace veltrun::gui
