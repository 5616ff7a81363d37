// The message catalogue: complete, in step with the English texts the code
// passes to Session::tr, and translated by the shipped German file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/catalogue.h"
#include "app/language_file.h"
#include "store/text_file.h"
#include "store/translation.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;

TEST(CatalogueTest, HoldsEveryIdentifierOnceInOrderEachWithItsGermanText) {
    const auto lines = ReadTextLines(fs::path(VELTRUN_SOURCE_DIR) / "data" / "Language" / "Deutsch.txt");
    for (const auto& line : lines) EXPECT_TRUE(IsValidUtf8(line)) << line;
    Translation german;
    ParseLanguageLines(lines, german);
    std::set<int> ids;
    for (const auto& entry : MessageCatalogue()) {
        EXPECT_TRUE(ids.empty() || entry.id > *ids.rbegin()) << "out of order or repeated: " << entry.id;
        EXPECT_LE(entry.id, LanguageSlots);
        EXPECT_FALSE(german.LanguageTable[static_cast<size_t>(entry.id)].empty()) << "no German text for " << entry.id;
        ids.insert(entry.id);
    }
    for (int id = 1; id <= LanguageSlots; ++id) {
        EXPECT_TRUE(id > 193 || id == 21 || ids.count(id)) << "no text for " << id;  // 21: the About box's blank label
        EXPECT_TRUE(german.LanguageTable[static_cast<size_t>(id)].empty() || ids.count(id))
            << "German text for unknown identifier " << id;
    }
}

std::string Unescape(const std::string& literal) {
    std::string text;
    for (size_t i = 0; i < literal.size(); ++i)
        text += literal[i] == '\\' && i + 1 < literal.size() ? literal[++i] : literal[i];
    return text;
}

// A call tr(id, "English") whose English differs from the catalogue shows the
// director a text no language file can replace consistently.
TEST(CatalogueTest, EveryTranslatedCallUsesTheCatalogueText) {
    const std::regex call(R"re(\btr\(\s*(\d+)\s*,\s*"((?:[^"\\]|\\.)*)"\s*\))re");
    int calls = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(VELTRUN_SOURCE_DIR) / "src")) {
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
        std::stringstream buffer;
        buffer << std::ifstream(entry.path()).rdbuf();
        const std::string source = buffer.str();
        for (std::sregex_iterator it(source.begin(), source.end(), call), end; it != end; ++it, ++calls)
            EXPECT_EQ(Unescape((*it)[2]), EnglishText(std::stoi((*it)[1])))
                << entry.path().filename().string() << ": identifier " << (*it)[1];
    }
    EXPECT_GT(calls, 10);
}

}  // namespace
}  // namespace veltrun
