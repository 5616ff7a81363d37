#include "ratinglist/match_key.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <cstdint>
#include <cstring>

#include "store/text_utils.h"

namespace veltrun {

namespace {

// Decodes the code point at pos (the text is valid UTF-8) and moves past it.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = extra == 3 ? lead & 0x07u : extra == 2 ? lead & 0x0Fu : extra == 1 ? lead & 0x1Fu : lead;
    ++pos;
    for (int i = 0; i < extra && pos < text.size(); ++i, ++pos) code = (code << 6) | (byte(pos) & 0x3Fu);
    return code;
}

std::string Utf8Of(char32_t code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

}  // namespace

const MatchKeyFolder::Mapping& MatchKeyFolder::Lookup(char32_t code) {
    if (code < 0x800) {
        if (twoByteCodes_.empty()) twoByteCodes_.assign(0x800, nullptr);
        if (twoByteCodes_[code]) return *twoByteCodes_[code];
    }
    auto found = cache_.find(code);
    if (found != cache_.end()) return found->second;
    Mapping m;
    std::string text = Utf8Of(code);
    UErrorCode status = U_ZERO_ERROR;
    m.mark = u_charType(static_cast<UChar32>(code)) == U_NON_SPACING_MARK;
    m.latin = !m.mark && uscript_getScript(static_cast<UChar32>(code), &status) == USCRIPT_LATIN && U_SUCCESS(status);
    m.folded = ToLowerUnicode(removeDiacritics_ ? RemoveDiacritics(text) : text);
    const Mapping& stored = cache_.emplace(code, std::move(m)).first->second;  // nodes never move
    if (code < 0x800) twoByteCodes_[code] = &stored;
    return stored;
}

std::size_t MatchKeyFolder::AppendAscii(std::string_view text, std::size_t pos, std::string& out) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    std::size_t start = pos;
    // Eight bytes at a time: bytes below 0x80 cannot carry into their neighbours.
    while (pos + 8 <= text.size()) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + pos, 8);
        if (w & kHigh) break;
        std::uint64_t atLeastA = (w + kOnes * (0x80 - 'A')) & kHigh;
        std::uint64_t aboveZ = (w + kOnes * (0x80 - 'Z' - 1)) & kHigh;
        w |= (atLeastA & ~aboveZ) >> 2;  // 0x80 >> 2 is the case bit 0x20
        char bytes[8];
        std::memcpy(bytes, &w, 8);
        out.append(bytes, 8);
        pos += 8;
    }
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) {
        char c = text[pos++];
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    }
    return pos - start;
}

void MatchKeyFolder::Append(std::string_view text, std::string& out) {
    bool afterLatin = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            pos += AppendAscii(text, pos, out);
            char last = out.back();
            afterLatin = last >= 'a' && last <= 'z';
            continue;
        }
        const Mapping& m = Lookup(NextCodePoint(text, pos));
        if (m.mark) {
            // A separate accent goes with the Latin letter before it.
            if (!(removeDiacritics_ && afterLatin)) out += m.folded;
            continue;
        }
        afterLatin = m.latin;
        out += m.folded;
    }
}

}  // namespace veltrun
