#pragma once
// The language table that every translated text is looked up in. The English
// texts and the language-file loader live with the application shell; the
// table sits here because every subsystem translates its messages.
#include <array>
#include <string>
#include <string_view>

namespace veltrun {

// Room for every range of identifiers handed out so far (the highest is in the 700s).
constexpr int LanguageSlots = 1000;

struct Translation {
    std::array<std::string, LanguageSlots + 1> LanguageTable{};  // slot 0 unused
    bool EnglishBuiltIn = true;
    std::string HtmlCharset = "utf-8";
    int InternalFontCharset = 1;

    std::string TranslateText(int id, std::string_view englishText) const;
    // The same, for code that holds the table as `tr`.
    std::string operator()(int id, std::string_view englishText) const { return TranslateText(id, englishText); }
};

}  // namespace veltrun
