#pragma once
// The text a search term is looked for in: lower-cased and, when asked,
// without diacritics, by the same rules as ToLowerUnicode(RemoveDiacritics()).
// Folding goes code point by code point with a cache, so the hundreds of
// thousands of lines of a rating list are folded without a round trip through
// ICU for every line.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace veltrun {

class MatchKeyFolder {
public:
    explicit MatchKeyFolder(bool removeDiacritics) : removeDiacritics_(removeDiacritics) {}

    // Appends the key of a valid UTF-8 text.
    void Append(std::string_view text, std::string& out);
    // The same, checking on the way: false, with out partly written, when the
    // text is no valid UTF-8.
    bool AppendValid(std::string_view text, std::string& out);
    std::string Fold(std::string_view text) {
        std::string out;
        Append(text, out);
        return out;
    }
    bool RemovesDiacritics() const { return removeDiacritics_; }

private:
    struct Mapping {
        std::string folded;
        bool latin = false;  // a Latin letter: marks after it belong to it
        bool mark = false;   // a separate combining mark
    };
    const Mapping& Lookup(char32_t code);
    // Appends a run of ASCII bytes lower-cased; returns its length.
    std::size_t AppendAscii(std::string_view text, std::size_t pos, std::string& out);

    bool removeDiacritics_;
    std::unordered_map<char32_t, Mapping> cache_;
    std::vector<const Mapping*> twoByteCodes_;  // U+0080 to U+07FF, the usual letters, without hashing
};

}  // namespace veltrun
