// The Unicode-aware text routines of text_utils.h, built on ICU.
#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

#include "store/text_utils.h"

namespace veltrun {

namespace {

// Latin letters whose diacritic is part of the letter itself, so that a
// canonical decomposition does not separate it.
const char* LetterWithoutDecomposition(UChar32 c) {
    switch (c) {
        case 0x00DF: return "ss";  // ß
        case 0x1E9E: return "SS";  // capital sharp s
        case 0x0141: return "L";   // Ł
        case 0x0142: return "l";   // ł
        case 0x00D8: return "O";   // Ø
        case 0x00F8: return "o";   // ø
        case 0x0110: return "D";   // Đ
        case 0x0111: return "d";   // đ
        case 0x00D0: return "D";   // Ð
        case 0x00F0: return "d";   // ð
        case 0x00C6: return "AE";  // Æ
        case 0x00E6: return "ae";  // æ
        case 0x0152: return "OE";  // Œ
        case 0x0153: return "oe";  // œ
        case 0x00DE: return "TH";  // Þ
        case 0x00FE: return "th";  // þ
        case 0x0126: return "H";   // Ħ
        case 0x0127: return "h";   // ħ
        case 0x0131: return "i";   // dotless ı
        case 0x0166: return "T";   // Ŧ
        case 0x0167: return "t";   // ŧ
        default: return nullptr;
    }
}

bool IsLatin(UChar32 c) {
    UErrorCode status = U_ZERO_ERROR;
    return uscript_getScript(c, &status) == USCRIPT_LATIN && U_SUCCESS(status);
}

bool IsCombiningMark(UChar32 c) { return u_charType(c) == U_NON_SPACING_MARK; }

// Appends a Latin letter without its marks.
void AppendBaseLetters(UChar32 c, const icu::Normalizer2& nfd, icu::UnicodeString& out) {
    if (const char* plain = LetterWithoutDecomposition(c)) {
        out += icu::UnicodeString::fromUTF8(plain);
        return;
    }
    icu::UnicodeString parts;
    if (!nfd.getDecomposition(c, parts)) {
        out += c;
        return;
    }
    for (int32_t i = 0; i < parts.length(); i = parts.moveIndex32(i, 1)) {
        UChar32 part = parts.char32At(i);
        if (IsCombiningMark(part)) continue;
        if (const char* plain = LetterWithoutDecomposition(part)) {
            out += icu::UnicodeString::fromUTF8(plain);
        } else {
            out += part;
        }
    }
}

}  // namespace

std::string RemoveDiacritics(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status)) return std::string(text);
    icu::UnicodeString source = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    icu::UnicodeString out;
    bool after_latin = false;  // separate combining marks go with a Latin letter only
    for (int32_t i = 0; i < source.length(); i = source.moveIndex32(i, 1)) {
        UChar32 c = source.char32At(i);
        if (IsCombiningMark(c)) {
            if (!after_latin) out += c;
            continue;
        }
        after_latin = IsLatin(c);
        if (after_latin) {
            AppendBaseLetters(c, *nfd, out);
        } else {
            out += c;
        }
    }
    std::string result;
    out.toUTF8String(result);
    return result;
}

std::string ToLowerUnicode(std::string_view text) {
    icu::UnicodeString value = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    value.foldCase(U_FOLD_CASE_DEFAULT);
    std::string result;
    value.toUTF8String(result);
    return result;
}

namespace {

// ICU's root collation at primary strength: the same order under every
// process locale, blind to case and accents. One collator per thread, since
// a collator is not safe to share while it compares.
const icu::Collator* RootPrimaryCollator() {
    thread_local std::unique_ptr<icu::Collator> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> made(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) made.reset();
        if (made) made->setStrength(icu::Collator::PRIMARY);
        return made;
    }();
    return collator.get();
}

}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
    int primary = 0;
    if (const icu::Collator* collator = RootPrimaryCollator()) {
        UErrorCode status = U_ZERO_ERROR;
        primary = collator->compareUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
                                        icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), status);
        if (U_FAILURE(status)) primary = 0;
    } else {
        // Without collation data the order is still case-insensitive.
        primary = ToLowerUnicode(a).compare(ToLowerUnicode(b));
    }
    if (primary != 0) return primary < 0 ? -1 : 1;
    int exact = a.compare(b);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

void SortAlphabetical(StringList& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const std::string& a, const std::string& b) { return CompareNames(a, b) < 0; });
}

}  // namespace veltrun
