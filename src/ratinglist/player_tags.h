#pragma once
// The element names of FIDE's players list that elo.txt takes, in any case.
// Looked up for every element of a list of millions, so kept inline.
#include <cstdint>
#include <cstring>
#include <string_view>

namespace veltrun {

namespace player_field {
// The fields of an elo.txt line, in file order.
enum PlayerField { FideId, Name, Country, Sex, Rating, RapidRating, BlitzRating, Birthday, Title, FieldCount };
}  // namespace player_field

namespace player_tags {

template <typename Word>
Word FoldedWord(const char* p) {
    Word w;
    std::memcpy(&w, p, sizeof w);
    return w | static_cast<Word>(0x2020202020202020ULL);
}

// lower holds only lower-case letters and "_". Setting bit 5 folds the case of
// a letter; no other byte of a name folds onto a letter or "_" that way. Two
// overlapping word compares cover every length of the names looked for.
inline bool EqualsNoCase(std::string_view name, std::string_view lower) {
    std::size_t n = name.size();
    if (n != lower.size()) return false;
    const char* x = name.data();
    const char* y = lower.data();
    if (n >= 8 && n <= 16)
        return FoldedWord<std::uint64_t>(x) == FoldedWord<std::uint64_t>(y) &&
               FoldedWord<std::uint64_t>(x + n - 8) == FoldedWord<std::uint64_t>(y + n - 8);
    if (n >= 4 && n < 8)
        return FoldedWord<std::uint32_t>(x) == FoldedWord<std::uint32_t>(y) &&
               FoldedWord<std::uint32_t>(x + n - 4) == FoldedWord<std::uint32_t>(y + n - 4);
    unsigned char differ = 0;
    for (std::size_t i = 0; i < n; ++i) differ |= static_cast<unsigned char>((x[i] | 0x20) ^ (y[i] | 0x20));
    return differ == 0;
}

}  // namespace player_tags

// The field an element inside a player stands for, or -1. The length picks the candidates.
inline int PlayerFieldOfTag(std::string_view name) {
    using namespace player_field;
    using player_tags::EqualsNoCase;
    switch (name.size()) {
        case 3: return EqualsNoCase(name, "sex") ? Sex : -1;
        case 4: return EqualsNoCase(name, "name") ? Name : -1;
        case 5: return EqualsNoCase(name, "title") ? Title : -1;
        case 6: return EqualsNoCase(name, "fideid") ? FideId : EqualsNoCase(name, "rating") ? Rating : -1;
        case 7: return EqualsNoCase(name, "country") ? Country : -1;
        case 8: return EqualsNoCase(name, "birthday") ? Birthday : -1;
        case 12: return EqualsNoCase(name, "rapid_rating") ? RapidRating : EqualsNoCase(name, "blitz_rating") ? BlitzRating : -1;
        default: return -1;
    }
}

inline bool IsPlayerTag(std::string_view name) { return player_tags::EqualsNoCase(name, "player"); }

}  // namespace veltrun
