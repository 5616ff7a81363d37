#include <gtest/gtest.h>

#include <clocale>

#include "store/text_utils.h"

namespace veltrun {
namespace {

TEST(TextUtilsTest, FieldsPaddingAlignmentPathsAndCase) {
    const std::string line = "1|A01|Novak, Jan|2100||";
    const std::vector<std::pair<std::string, std::string>> cases{
        {GetField(line, '|', 3), "Novak, Jan"}, {GetField(line, '|', 6), ""}, {GetField(line, '|', 7), ""},
        {GetField(line, '|', -4), "1"}, {GetField("a||c", '|', 3), "c"}, {AlignLeft("abc", -2), ""},
        {PadLeft("1234", "0", 3), "1234"}, {PadLeft("x", "ab", 3), "ababx"},  // the pad repeats, whatever its length
        {PadLeft("Čáp", " ", 5), "  Čáp"}, {PadRight("Žďár", ".", 6), "Žďár.."}, {AlignRight("12345", 3), "123"},
        {AlignLeft("Ščęśliwy", 4), "Ščęś"}, {AlignRight("ÄÖÜ", 5), "  ÄÖÜ"}, {AlignLeft("東京都", 2), "東京"},
        {ExtractNamePart("C:\\Veltrun\\players.txt"), "players.txt"}, {ExtractNamePart("players.txt"), ""},
        {ExtractExtPart("list.2024.xml"), "xml"}, {ExtractExtPart("README"), " "}, {ExtractExtPart("name."), "."},
        {DecimalText(2.25), "2.25"}, {DecimalText(-0.0), "0"}, {DecimalText(1.5 + 1.5 + 0.5), "3.5"},
        {DecimalText(0.1 + 0.2), "0.30000000000000004"},
        {ToLowerUnicode("ČAPEK ЙОРДАН"), "čapek йордан"}, {ToLowerUnicode("Straße"), ToLowerUnicode("STRASSE")},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << "row " << i;
    for (const char* digits : {"", "+5", "3.0", "\xD9\xA3"}) EXPECT_FALSE(IsAllDigits(digits)) << digits;  // ٣ too
    EXPECT_TRUE(IsAllDigits("007"));
    EXPECT_FALSE(HasForbiddenNameChar("Turnaj Žďár 2024"));
    for (char c : std::string("\\/:*?\"<>|")) EXPECT_TRUE(HasForbiddenNameChar(std::string("a") + c + "b")) << c;
    StringList numbers = {"10", "9", "10.0", "-1", "2,5"};
    SortNumericAscending(numbers);
    EXPECT_EQ(numbers, (StringList{"-1", "2,5", "9", "10", "10.0"}));
}

TEST(TextUtilsTest, NumbersAcceptBothSeparatorsWholeIntegersOnlyUnderEveryCLocale) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "cs_CZ.UTF-8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name)) break;  // a decimal comma, when one is installed
    for (auto [text, value] : std::vector<std::pair<const char*, double>>{{" -1,5 ", -1.5}, {"2.5", 2.5}, {".5", 0.5}})
        EXPECT_DOUBLE_EQ(ParseDecimal(text), value) << text;
    for (const char* no_number : {"", "abc", "2.5x", "1,000.5", "--1", "+-1", "inf", "nan", "0x10", "1e999"})
        EXPECT_DOUBLE_EQ(ParseDecimal(no_number), 0.0) << no_number;
    EXPECT_EQ(DecimalText(0.5), "0.5");
    std::setlocale(LC_NUMERIC, "C");
    int value = 99;
    for (auto [text, expected] : std::vector<std::pair<const char*, int>>{
             {" +42 ", 42}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}}) {
        EXPECT_TRUE(TryParseInt(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    value = 99;
    for (const char* bad : {"", "-", "+", "2147483648", "-2147483649", "99999999999999999999", "3.0", "1 2", "12a", "--1"}) {
        EXPECT_FALSE(TryParseInt(bad, value)) << bad;
        EXPECT_EQ(value, 99) << bad;
    }
}

TEST(TextUtilsTest, RemoveDiacriticsFoldsLatinLettersOnly) {
    EXPECT_EQ(RemoveDiacritics("ŠŤŽšťžÁČÉĚÍĎŇÓŘÚŮÝáčéěíďňóöřůúý Müller Gößl Äneas Łukasz Wałęsa Øster Ærø"),
              "STZstzACEEIDNORUUYaceeidnooruuy Muller Gossl Aneas Lukasz Walesa Oster AEro");
    EXPECT_EQ(RemoveDiacritics("Đoković Œuvre Þór Ħal ıi Ñandú Çelik Ångström Erdős Kőműves ǿ Nguyễn Văn Thắng"),
              "Dokovic OEuvre THor Hal ii Nandu Celik Angstrom Erdos Komuves o Nguyen Van Thang");
    EXPECT_EQ(RemoveDiacritics("Йордан Ωμέγα 東京 |-+"), "Йордан Ωμέγα 東京 |-+");
}

}  // namespace
}  // namespace veltrun
