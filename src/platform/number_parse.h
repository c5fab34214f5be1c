// Reading integers and booleans from the text of data and settings files.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// A signed 32-bit integer: leading spaces, an optional sign, then decimal digits, or hexadecimal digits
// after "$", "x", "X", "0x" or "0X". Hexadecimal up to FFFFFFFF is taken as its 32-bit pattern (so
// "$FFFFFFFF" is -1); a decimal value outside the 32-bit range, an empty field, or anything after the
// digits fails.
std::optional<int32_t> ParseInt32(std::string_view text);

// A boolean: any integer ParseInt32 accepts (0 is false, every other value true), or "True" / "False"
// in any letter case. Anything else fails.
std::optional<bool> ParseBool(std::string_view text);

}  // namespace platform
