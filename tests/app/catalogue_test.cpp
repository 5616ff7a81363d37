// The message catalogue: complete, in step with the English texts the code
// passes to Session::tr, and translated by the shipped German file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
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

struct Token { char kind; std::string text; int line; };  // kind: 'n' number, 's' literal, 'w' word, or the punctuation

// The value of the characters between a literal's quotes.
std::string Unescape(std::string_view literal) {
    std::string text;
    for (size_t i = 0; i < literal.size(); ++i) {
        char c = literal[i];
        if (c == '\\' && i + 1 < literal.size()) {
            c = literal[++i];
            c = c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
        }
        text += c;
    }
    return text;
}

// Splits C++ source into the tokens that matter here: comments are dropped,
// string literals (raw ones too) kept whole with their line.
std::vector<Token> Tokens(const std::string& source) {
    std::vector<Token> tokens;
    int line = 1;
    for (size_t i = 0; i < source.size();) {
        const char c = source[i];
        if (c == '\n') ++line;
        if (std::isspace(static_cast<unsigned char>(c))) { ++i; continue; }
        if (source.compare(i, 2, "//") == 0) { i = source.find('\n', i); continue; }
        if (source.compare(i, 2, "/*") == 0) {
            size_t close = source.find("*/", i);
            line += static_cast<int>(std::count(source.begin() + i, source.begin() + close, '\n'));
            i = close + 2;
            continue;
        }
        size_t j = i;
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            while (j < source.size() && (std::isalnum(static_cast<unsigned char>(source[j])) || source[j] == '_')) ++j;
            const std::string word = source.substr(i, j - i);
            if (source[j] == '"' && !word.empty() && word.back() == 'R') {  // R"delim( ... )delim"
                const size_t open = source.find('(', j);
                const std::string close = ")" + source.substr(j + 1, open - j - 1) + "\"";
                const size_t stop = source.find(close, open);
                tokens.push_back({'s', "", line});
                for (char r : source.substr(open + 1, stop - open - 1)) tokens.back().text += r == '\\' ? "\\\\" : std::string(1, r);
                line += static_cast<int>(std::count(source.begin() + open, source.begin() + stop, '\n'));
                i = stop + close.size();
                continue;
            }
            const bool prefix = (word == "u8" || word == "u" || word == "U" || word == "L") && source[j] == '"';
            if (!prefix) tokens.push_back({std::isdigit(static_cast<unsigned char>(c)) ? 'n' : 'w', word, line});
            i = j;
            continue;
        }
        if (c == '"' || c == '\'') {
            for (j = i + 1; source[j] != c; ++j)
                if (source[j] == '\\') ++j;
            if (c == '"') tokens.push_back({'s', source.substr(i + 1, j - i - 1), line});
            i = j + 1;
            continue;
        }
        tokens.push_back({c, std::string(1, c), line});
        ++i;
    }
    return tokens;
}

struct TextCall { int id; std::string english; int line; };

// Calls that take a number and a literal but translate nothing.
const std::set<std::string> NotTranslating = {"posix_spawn_file_actions_addopen", "Progress"};

// Every argument pair (number, literal) inside a call's parentheses, whatever
// the function and however the literal is split over pieces and lines:
// tr(5, "Tour" "nament"), Refuse(line, 297, "..."), item(141, "...", value).
// Any function counts, so a new wrapper is checked without being listed.
std::vector<TextCall> TextCalls(const std::string& source) {
    const std::vector<Token> t = Tokens(source);
    std::vector<TextCall> calls;
    std::vector<std::pair<char, std::string>> brackets;  // with the name before a '('
    for (size_t i = 0; i < t.size(); ++i) {
        const char k = t[i].kind;
        if (k == '(' || k == '{' || k == '[') brackets.emplace_back(k, i > 0 ? t[i - 1].text : "");
        if ((k == ')' || k == '}' || k == ']') && !brackets.empty()) brackets.pop_back();
        if (k != 'n' || brackets.empty() || brackets.back().first != '(' || i == 0 || i + 2 >= t.size()) continue;
        if (NotTranslating.count(brackets.back().second)) continue;
        if ((t[i - 1].kind != '(' && t[i - 1].kind != ',') || t[i + 1].kind != ',' || t[i + 2].kind != 's') continue;
        TextCall call{std::stoi(t[i].text), "", t[i].line};
        size_t j = i + 2;
        for (; j < t.size() && t[j].kind == 's'; ++j) call.english += Unescape(t[j].text);
        if (j < t.size() && (t[j].kind == ')' || t[j].kind == ',')) calls.push_back(call);
    }
    return calls;
}

TEST(CatalogueTest, TextCallsAreFoundInEveryShape) {
    const struct { std::string source; int id; std::string english; } cases[] = {
        {R"(s.tr(5, "Tournament"))", 5, "Tournament"},
        {"tr(\n  7,\n  \"Two \"  // a comment\n  \"pieces\")", 7, "Two pieces"},
        {R"(Refuse(n, text, 297, "does not \"hold\"."))", 297, "does not \"hold\"."},
        {R"(item(141, "games", std::to_string(n)))", 141, "games"},
        {R"(f({3, "table row"}); g(x, "no id"); h(2, name))", 0, ""},
    };
    for (const auto& c : cases) {
        const auto calls = TextCalls(c.source);
        ASSERT_EQ(calls.size(), c.id ? 1u : 0u) << c.source;
        if (c.id) {
            EXPECT_EQ(calls[0].id, c.id);
            EXPECT_EQ(calls[0].english, c.english);
        }
    }
}

// A call whose English differs from the catalogue shows the director a text
// no language file can replace consistently.
TEST(CatalogueTest, EveryTranslatedCallUsesTheCatalogueText) {
    int calls = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(VELTRUN_SOURCE_DIR) / "src")) {
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
        if (entry.path().filename() == "catalogue.cpp") continue;
        std::ifstream in(entry.path());
        std::stringstream buffer;
        buffer << in.rdbuf();
        for (const auto& call : TextCalls(buffer.str())) {
            EXPECT_EQ(call.english, EnglishText(call.id))
                << entry.path().filename().string() << ":" << call.line << ": identifier " << call.id;
            ++calls;
        }
    }
    EXPECT_GT(calls, 400);
}

}  // namespace
}  // namespace veltrun
