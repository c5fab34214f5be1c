// Conversion between code page 932 bytes and QString, used only where text meets the screen or the user.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace qtui {

inline QString FromCp932(std::string_view bytes) { return QString::fromStdString(platform::Cp932ToUtf8(bytes)); }
inline std::string ToCp932(const QString& text) { return platform::Utf8ToCp932(text.toStdString()); }

}  // namespace qtui
