// The engine's texts (UTF-8 std::string) on Qt's widgets and back.
#pragma once

#include <QString>
#include <string>

namespace coredesign::gui {

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
inline QString Q(const char* text) {
    return QString::fromUtf8(text);
}
inline std::string S(const QString& text) {
    return text.toStdString();
}

}  // namespace coredesign::gui
