// The message catalogue: complete, in step with the English texts the code
// passes to Session::tr, and translated by the shipped German file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include "app/catalogue.h"
#include "app/language_file.h"
#include "store/safe_open.h"
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

// C++ source as the tokens that matter here: comments dropped, each string
// literal (raw ones too) whole, with its value and its line.
std::vector<Token> Tokens(const std::string& s) {
    std::vector<Token> tokens;
    int line = 1;
    auto lines_to = [&](size_t from, size_t to) { line += static_cast<int>(std::count(&s[from], &s[to], '\n')); return to; };
    auto is_word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    for (size_t i = 0, j = 0; i < s.size(); i = j) {
        const char c = s[i];
        j = i + 1;
        if (std::isspace(static_cast<unsigned char>(c))) {
            line += c == '\n';
        } else if (s.compare(i, 2, "//") == 0) {
            j = s.find('\n', i);
        } else if (s.compare(i, 2, "/*") == 0) {
            j = lines_to(i, s.find("*/", i)) + 2;
        } else if (is_word(c)) {
            while (j < s.size() && is_word(s[j])) ++j;
            const std::string word = s.substr(i, j - i);
            if (s[j] == '"' && word.back() == 'R') {  // R"delim( ... )delim"
                const size_t open = s.find('(', j);
                const std::string close = ")" + s.substr(j + 1, open - j - 1) + "\"";
                const size_t stop = s.find(close, open);
                tokens.push_back({'s', s.substr(open + 1, stop - open - 1), line});
                j = lines_to(open, stop) + close.size();
            } else if (s[j] != '"' || (word != "u8" && word != "u" && word != "U" && word != "L")) {
                tokens.push_back({std::isdigit(static_cast<unsigned char>(c)) ? 'n' : 'w', word, line});
            }
        } else if (c == '"' || c == '\'') {
            std::string value;
            for (; s[j] != c; ++j) {
                const char e = s[j] == '\\' ? s[++j] : '\0';
                value += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : s[j];
            }
            ++j;
            if (c == '"') tokens.push_back({'s', value, line});
        } else {
            tokens.push_back({c, std::string(1, c), line});
        }
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
        for (; j < t.size() && t[j].kind == 's'; ++j) call.english += t[j].text;
        if (j < t.size() && (t[j].kind == ')' || t[j].kind == ',')) calls.push_back(call);
    }
    return calls;
}

TEST(CatalogueTest, TextCallsAreFoundInEveryShape) {
    const std::pair<std::string, std::string> cases[] = {
        {R"(s.tr(5, "Tournament"))", "5 Tournament;"},
        {"tr(\n  7,\n  \"Two \"  // a comment\n  \"pieces\")", "7 Two pieces;"},
        {R"(Refuse(n, text, 297, "does not \"hold\"."))", "297 does not \"hold\".;"},
        {R"(item(141, "games", std::to_string(n)))", "141 games;"},
        {"tr(8, R\"x(a \"raw\" one)x\"); tr(9, \"http://a\\tb\")", "8 a \"raw\" one;9 http://a\tb;"},
        {R"(f({3, "table row"}); g(x, "no id"); h(2, name); Progress(1, 1, ""))", ""},
    };
    for (const auto& [source, expected] : cases) {
        std::string found;
        for (const auto& call : TextCalls(source)) found += std::to_string(call.id) + " " + call.english + ";";
        EXPECT_EQ(found, expected) << source;
    }
}

// A call whose English differs from the catalogue shows the director a text
// no language file can replace consistently.
TEST(CatalogueTest, EveryTranslatedCallUsesTheCatalogueText) {
    int calls = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(VELTRUN_SOURCE_DIR) / "src")) {
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
        if (entry.path().filename() == "catalogue.cpp") continue;
        for (const auto& call : TextCalls(ReadFileBytes(entry.path()))) {
            EXPECT_EQ(call.english, EnglishText(call.id))
                << entry.path().filename().string() << ":" << call.line << ": identifier " << call.id;
            ++calls;
        }
    }
    EXPECT_GT(calls, 400);
}

}  // namespace
}  // namespace veltrun
