// Code page 932 (Windows Shift-JIS): the lead-byte test and conversion to and from UTF-8 at the program's edges.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// True for the bytes that open a double-byte character: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
constexpr bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// Decodes code page 932 bytes. A byte or pair that does not decode (0x80, 0xA0, 0xFD-0xFF, a lone lead
// byte, an unassigned pair) becomes "?" and decoding goes on with the next byte, so no text is dropped.
std::string Cp932ToUtf8(std::string_view bytes);

// Encodes UTF-8 as code page 932. A character code page 932 cannot hold, and any malformed UTF-8
// sequence, becomes "?"; the rest of the text is kept.
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace platform
