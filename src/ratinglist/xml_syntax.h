#pragma once
// The plain XML that FIDE's players list is written in, as the segment reader
// checks it: characters, names, references and the declaration. Anything these
// checks do not accept is left to expat, which decides.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "store/utf8.h"

namespace veltrun::xml_syntax {

constexpr bool IsNameStart(unsigned char c) {
    return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '_' || c == ':';
}

// ASCII name characters; names with other letters are expat's.
constexpr std::array<bool, 256> MakeNameChars() {
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = IsNameStart(static_cast<unsigned char>(c)) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    return t;
}
inline constexpr std::array<bool, 256> kNameChar = MakeNameChars();

inline bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

template <typename Word>
Word LoadWord(const char* p) {
    Word w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Names are short: two overlapping word compares beat a call to memcmp.
inline bool SameName(std::string_view a, std::string_view b) {
    std::size_t n = a.size();
    if (n != b.size()) return false;
    const char* x = a.data();
    const char* y = b.data();
    if (n >= 8 && n <= 16)
        return LoadWord<std::uint64_t>(x) == LoadWord<std::uint64_t>(y) &&
               LoadWord<std::uint64_t>(x + n - 8) == LoadWord<std::uint64_t>(y + n - 8);
    if (n >= 4 && n < 8)
        return LoadWord<std::uint32_t>(x) == LoadWord<std::uint32_t>(y) &&
               LoadWord<std::uint32_t>(x + n - 4) == LoadWord<std::uint32_t>(y + n - 4);
    for (std::size_t i = 0; i < n; ++i)
        if (x[i] != y[i]) return false;
    return true;
}

inline bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Length of the UTF-8 sequence (p[0] >= 0x80) of an XML character at p, 0 when there is none.
inline std::size_t Utf8CharLength(const unsigned char* p, const unsigned char* end) {
    char32_t c = 0;
    std::size_t length = DecodeUtf8Sequence(p, end, c);
    return length > 0 && IsXmlChar(c) ? length : 0;
}

// Length of the character of a text at p that is neither plain ASCII nor
// "<": "&" (which sets references: it is checked when decoded), "]", a control
// character or the first byte of a multi-byte character. 0 when it may not
// stand in XML text.
inline std::size_t TextCharLength(const unsigned char* p, const unsigned char* end, bool& references) {
    unsigned char c = *p;
    if (c >= 0x80) return Utf8CharLength(p, end);
    if (c == '&') references = true;
    if (c == ']' && end - p >= 3 && p[1] == ']' && p[2] == '>') return 0;
    if (c < 0x20 && !IsSpace(static_cast<char>(c))) return 0;
    return 1;
}

// Decodes the entity or character reference at text[0] == '&' onto out;
// returns the length taken, 0 when it is none the segment reader knows.
std::size_t DecodeReference(std::string_view text, std::string& out);

// Replaces text by its decoded form (kept in decoded); false for a reference
// the segment reader does not know.
bool DecodeReferences(std::string_view& text, std::string& decoded);

// <?xml version="1.0" encoding="UTF-8" standalone="yes"?>, given from "?xml"
// up to the closing "?" inclusive: in this order, the last two optional, and
// no encoding but UTF-8.
bool IsPlainDeclaration(std::string_view inside);

}  // namespace veltrun::xml_syntax
