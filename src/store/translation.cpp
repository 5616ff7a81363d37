// Looking up a translated text; the English text is the fallback for
// everything the language file does not give.
#include "store/translation.h"

namespace veltrun {

std::string Translation::TranslateText(int id, std::string_view englishText) const {
    if (EnglishBuiltIn || id < 1 || id > LanguageSlots) return std::string(englishText);
    const std::string& translated = LanguageTable[static_cast<size_t>(id)];
    return translated.empty() ? std::string(englishText) : translated;
}

}  // namespace veltrun
