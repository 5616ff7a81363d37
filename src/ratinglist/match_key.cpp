#include "ratinglist/match_key.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>

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
    auto found = cache_.find(code);
    if (found != cache_.end()) return found->second;
    Mapping m;
    std::string text = Utf8Of(code);
    UErrorCode status = U_ZERO_ERROR;
    m.mark = u_charType(static_cast<UChar32>(code)) == U_NON_SPACING_MARK;
    m.latin = !m.mark && uscript_getScript(static_cast<UChar32>(code), &status) == USCRIPT_LATIN && U_SUCCESS(status);
    m.folded = ToLowerUnicode(removeDiacritics_ ? RemoveDiacritics(text) : text);
    return cache_.emplace(code, std::move(m)).first->second;
}

void MatchKeyFolder::Append(std::string_view text, std::string& out) {
    bool afterLatin = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto c = static_cast<unsigned char>(text[pos]);
        if (c < 0x80) {
            bool upper = c >= 'A' && c <= 'Z';
            afterLatin = upper || (c >= 'a' && c <= 'z');
            out += static_cast<char>(upper ? c + ('a' - 'A') : c);
            ++pos;
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
