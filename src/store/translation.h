#pragma once
// The language table that every translated text is looked up in. The English
// texts and the language-file loader live with the application shell; the
// table sits here because every subsystem translates its messages.
#include <array>
#include <string>
#include <string_view>

namespace veltrun {

constexpr int LanguageSlots = 999;  // ids 1..999; each area keeps its own range

struct Translation {
    std::array<std::string, LanguageSlots + 1> LanguageTable{};  // slot 0 unused
    bool EnglishBuiltIn = true;
    std::string HtmlCharset = "utf-8";
    int InternalFontCharset = 1;

    std::string TranslateText(int id, std::string_view englishText) const;
};

}  // namespace veltrun
