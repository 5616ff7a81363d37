#include "ratinglist/match_key.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <cstdint>
#include <cstring>

#include "store/text_utils.h"
#include "store/utf8.h"

namespace veltrun {

namespace {

std::string Utf8Of(char32_t code) {
    std::string out;
    AppendUtf8(code, out);
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
    // Find the run eight bytes at a time, copy it at once, then lower-case it in place.
    std::size_t end = pos;
    for (std::uint64_t w; end + 8 <= text.size(); end += 8) {
        std::memcpy(&w, text.data() + end, 8);
        if (w & kHigh) break;
    }
    while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80) ++end;
    std::size_t length = end - pos;
    std::size_t at = out.size();
    out.append(text, pos, length);
    char* p = out.data() + at;
    std::size_t i = 0;
    for (std::uint64_t w; i + 8 <= length; i += 8) {
        std::memcpy(&w, p + i, 8);
        // Bytes below 0x80 cannot carry into their neighbours.
        std::uint64_t atLeastA = (w + kOnes * (0x80 - 'A')) & kHigh;
        std::uint64_t aboveZ = (w + kOnes * (0x80 - 'Z' - 1)) & kHigh;
        w |= (atLeastA & ~aboveZ) >> 2;  // 0x80 >> 2 is the case bit 0x20
        std::memcpy(p + i, &w, 8);
    }
    for (; i < length; ++i)
        if (p[i] >= 'A' && p[i] <= 'Z') p[i] = static_cast<char>(p[i] + ('a' - 'A'));
    return length;
}

bool MatchKeyFolder::AppendValid(std::string_view text, std::string& out) {
    bool afterLatin = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            pos += AppendAscii(text, pos, out);
            char last = out.back();
            afterLatin = last >= 'a' && last <= 'z';
            continue;
        }
        char32_t code = 0;
        if (!NextCodePoint(text, pos, code)) return false;
        const Mapping& m = Lookup(code);
        if (m.mark) {
            // A separate accent goes with the Latin letter before it.
            if (!(removeDiacritics_ && afterLatin)) out += m.folded;
            continue;
        }
        afterLatin = m.latin;
        out += m.folded;
    }
    return true;
}

void MatchKeyFolder::Append(std::string_view text, std::string& out) {
    std::size_t start = out.size();
    // Text that is no UTF-8 has no key of its own; its bytes stand for themselves.
    if (!AppendValid(text, out)) out.replace(start, std::string::npos, text);
}

}  // namespace veltrun
