#pragma once
// UTF-8 as every reader here checks and decodes it: well-formed sequences
// only (no overlong forms, no surrogates, nothing past U+10FFFF), and the
// byte-order marks that some editors put in front of a file. Inline, because
// the rating list readers run these over every byte of a large file.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace veltrun {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The number of bytes that byte-order marks take at the start of text. Every
// one counts: a repeated mark would otherwise stay as text that the next
// write and read lose.
inline std::size_t ByteOrderMarksLength(std::string_view text) {
    std::size_t length = 0;
    while (text.substr(length, kUtf8Bom.size()) == kUtf8Bom) length += kUtf8Bom.size();
    return length;
}

// Decodes the multi-byte sequence at p (p[0] >= 0x80) into code and returns
// its length, 2 to 4; 0 when the bytes up to end are no well-formed sequence.
// The range of the second byte rules out overlong forms, surrogates and
// values past U+10FFFF before anything is decoded.
inline std::size_t DecodeUtf8Sequence(const unsigned char* p, const unsigned char* end, char32_t& code) {
    unsigned char lead = p[0];
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || static_cast<std::size_t>(end - p) < length) return 0;
    unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (p[1] < low || p[1] > high) return 0;
    code = lead & (length == 2 ? 0x1Fu : length == 3 ? 0x0Fu : 0x07u);
    for (std::size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (p[i] & 0x3Fu);
    }
    return length;
}

// Decodes the code point at pos and moves past it; false, pos unchanged,
// when the bytes there are no well-formed UTF-8.
inline bool NextCodePoint(std::string_view text, std::size_t& pos, char32_t& code) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + pos;
    if (*p < 0x80) {
        code = *p;
        ++pos;
        return true;
    }
    std::size_t length = DecodeUtf8Sequence(p, reinterpret_cast<const unsigned char*>(text.data()) + text.size(), code);
    pos += length;
    return length > 0;
}

// Whether the text is well-formed UTF-8; ASCII goes eight bytes at a time.
inline bool IsValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* end = p + text.size();
    while (p < end) {
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        char32_t code = 0;
        std::size_t length = DecodeUtf8Sequence(p, end, code);
        if (length == 0) return false;
        p += length;
    }
    return true;
}

// Appends the UTF-8 bytes of one code point.
void AppendUtf8(char32_t c, std::string& out);

}  // namespace veltrun
