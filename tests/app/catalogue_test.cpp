// The message catalogue: complete, exact where the texts are delicate, and
// in step with the English texts the code passes to Session::tr.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/catalogue.h"
#include "store/translation.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;

TEST(CatalogueTest, HoldsEveryIdentifierOnceInOrder) {
    int previous = 0;
    for (const auto& entry : MessageCatalogue()) {
        EXPECT_GT(entry.id, previous) << "out of order or repeated: " << entry.id;
        EXPECT_LE(entry.id, LanguageSlots);
        previous = entry.id;
    }
    for (int id = 1; id <= 193; ++id)  // 21 is the About box's blank label
        EXPECT_TRUE(id == 21 || !EnglishText(id).empty()) << id;
}

std::string Unescape(const std::string& literal) {
    std::string text;
    for (size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] == '\\' && i + 1 < literal.size()) ++i;
        text += literal[i];
    }
    return text;
}

// A call tr(id, "English") whose English differs from the catalogue shows the
// director a text no language file can replace consistently.
TEST(CatalogueTest, EveryTranslatedCallUsesTheCatalogueText) {
    const std::regex call(R"re(\btr\(\s*(\d+)\s*,\s*"((?:[^"\\]|\\.)*)"\s*\))re");
    int calls = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(VELTRUN_SOURCE_DIR) / "src")) {
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
        std::ifstream in(entry.path());
        std::stringstream buffer;
        buffer << in.rdbuf();
        const std::string source = buffer.str();
        for (std::sregex_iterator it(source.begin(), source.end(), call), end; it != end; ++it) {
            const int id = std::stoi((*it)[1]);
            EXPECT_EQ(Unescape((*it)[2]), EnglishText(id))
                << entry.path().filename().string() << ": identifier " << id;
            ++calls;
        }
    }
    EXPECT_GT(calls, 10);
}

}  // namespace
}  // namespace veltrun
