#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <clocale>

#include "store/text_utils.h"

namespace veltrun {
namespace {

TEST(TextUtilsTest, FieldsAndDigits) {
    const std::string line = "1|A01|Novak, Jan|2100||";
    EXPECT_EQ(GetField(line, '|', 3), "Novak, Jan");
    EXPECT_EQ(GetField(line, '|', 6), "");
    EXPECT_EQ(GetField(line, '|', 7), "");
    EXPECT_EQ(GetField(line, '|', -4), "1");
    EXPECT_EQ(GetField("a||c", '|', 3), "c");
    EXPECT_FALSE(IsAllDigits(""));
    EXPECT_FALSE(IsAllDigits("+5"));
    EXPECT_FALSE(IsAllDigits("3.0"));
    EXPECT_FALSE(IsAllDigits("\xD9\xA3"));  // an Arabic-Indic digit is no digit here
    EXPECT_TRUE(IsAllDigits("007"));
}

TEST(TextUtilsTest, PaddingAndAlignmentCountCharactersNotBytes) {
    EXPECT_EQ(PadLeft("1234", "0", 3), "1234");
    EXPECT_EQ(PadLeft("x", "ab", 3), "ababx");  // the pad is repeated, whatever its length
    EXPECT_EQ(PadLeft("Čáp", " ", 5), "  Čáp");
    EXPECT_EQ(PadRight("Žďár", ".", 6), "Žďár..");
    EXPECT_EQ(AlignRight("12345", 3), "123");
    EXPECT_EQ(AlignLeft("Ščęśliwy", 4), "Ščęś");
    EXPECT_EQ(AlignRight("ÄÖÜ", 5), "  ÄÖÜ");
    EXPECT_EQ(AlignLeft("東京都", 2), "東京");
    EXPECT_EQ(AlignLeft("abc", -2), "");
}

TEST(TextUtilsTest, DecimalsAcceptBothSeparatorsAndPrintShortest) {
    EXPECT_DOUBLE_EQ(ParseDecimal(" -1,5 "), -1.5);
    EXPECT_DOUBLE_EQ(ParseDecimal(".5"), 0.5);
    for (const char* no_number : {"", "abc", "2.5x", "1,000.5", "--1", "+-1", "inf", "nan", "0x10", "1e999"}) {
        EXPECT_DOUBLE_EQ(ParseDecimal(no_number), 0.0) << no_number;
    }
    EXPECT_EQ(DecimalText(2.25), "2.25");
    EXPECT_EQ(DecimalText(-0.0), "0");
    EXPECT_EQ(DecimalText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(DecimalText(1.5 + 1.5 + 0.5), "3.5");
}

TEST(TextUtilsTest, NumbersDoNotDependOnTheCLocale) {
    const char* comma_locale = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "cs_CZ.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            comma_locale = name;
            break;
        }
    }
    if (!comma_locale) GTEST_SKIP() << "no locale with a decimal comma installed";
    double dot = ParseDecimal("2.5");
    double comma = ParseDecimal("2,5");
    std::string text = DecimalText(0.5);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_DOUBLE_EQ(dot, 2.5);
    EXPECT_DOUBLE_EQ(comma, 2.5);
    EXPECT_EQ(text, "0.5");
}

TEST(TextUtilsTest, TryParseIntTakesOnlyWholeIntegers) {
    int value = 99;
    EXPECT_TRUE(TryParseInt(" +42 ", value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(TryParseInt("2147483647", value));
    EXPECT_EQ(value, 2147483647);
    EXPECT_TRUE(TryParseInt("-2147483648", value));
    EXPECT_EQ(value, -2147483647 - 1);
    value = 99;
    for (const char* bad : {"", "-", "+", "2147483648", "-2147483649", "99999999999999999999", "3.0", "1 2", "12a",
                            "--1"}) {
        EXPECT_FALSE(TryParseInt(bad, value)) << bad;
        EXPECT_EQ(value, 99) << bad;
    }
}

TEST(TextUtilsTest, RemoveDiacriticsFoldsLatinLettersOnly) {
    EXPECT_EQ(RemoveDiacritics("ŠŤŽšťžÁČÉĚÍĎŇÓŘÚŮÝáčéěíďňóöřůúý"), "STZstzACEEIDNORUUYaceeidnooruuy");
    EXPECT_EQ(RemoveDiacritics("Müller Gößl Äneas"), "Muller Gossl Aneas");
    EXPECT_EQ(RemoveDiacritics("Łukasz Wałęsa Øster Ærø"), "Lukasz Walesa Oster AEro");
    EXPECT_EQ(RemoveDiacritics("Đoković Œuvre Þór Ħal ıi"), "Dokovic OEuvre THor Hal ii");
    EXPECT_EQ(RemoveDiacritics("Ñandú Çelik Ångström Erdős Kőműves ǿ"), "Nandu Celik Angstrom Erdos Komuves o");
    EXPECT_EQ(RemoveDiacritics("Nguyễn Văn Thắng"), "Nguyen Van Thang");
    EXPECT_EQ(RemoveDiacritics("Jose\xCC\x81"), "Jose");  // e followed by a separate acute accent
    EXPECT_EQ(RemoveDiacritics("Йордан Ωμέγα 東京 |-+"), "Йордан Ωμέγα 東京 |-+");
}

TEST(TextUtilsTest, LowerCaseAndNumericSort) {
    EXPECT_EQ(ToLowerUnicode("ČAPEK ЙОРДАН"), "čapek йордан");
    EXPECT_EQ(ToLowerUnicode("Straße"), ToLowerUnicode("STRASSE"));
    StringList numbers = {"10", "9", "10.0", "-1", "2,5"};
    SortNumericAscending(numbers);
    EXPECT_EQ(numbers, (StringList{"-1", "2,5", "9", "10", "10.0"}));
}

// Names sort the same whatever the process locale: case and accents count
// only between names that are otherwise equal.
TEST(TextUtilsTest, AlphabeticalOrderIsTheSameUnderEveryLocale) {
    const icu::Locale saved = icu::Locale::getDefault();
    const StringList expected = {"ALPHA", "Alpha",  "alpha", "Čapek", "Cech",  "chata", "dos Santos Marco", "hrad",
                                 "Lukas", "Łukasz", "NOVÁK", "Novak", "Oster", "Øster", "Ostrava",          "Wang Otto",
                                 "zed"};
    for (const char* locale : {"C", "POSIX", "en_US_POSIX", "en_US", "cs_CZ", "de_DE", "sv_SE", "da_DK"}) {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale(locale), status);
        StringList names(expected.rbegin(), expected.rend());
        SortAlphabetical(names);
        EXPECT_EQ(names, expected) << locale;
        EXPECT_LT(CompareNames("NOVÁK", "Novak"), 0) << locale;
        EXPECT_EQ(CompareNames("Novak", "Novak"), 0) << locale;
    }
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(saved, status);
}

TEST(TextPathsTest, NamePartsAndForbiddenCharacters) {
    EXPECT_EQ(ExtractNamePart("C:\\Veltrun\\players.txt"), "players.txt");
    EXPECT_EQ(ExtractNamePart("C:\\Veltrun\\"), "\\");
    EXPECT_EQ(ExtractNamePart("players.txt"), "");
    EXPECT_EQ(ExtractExtPart("list.2024.xml"), "xml");
    EXPECT_EQ(ExtractExtPart("README"), " ");
    EXPECT_EQ(ExtractExtPart("name."), ".");
    EXPECT_FALSE(HasForbiddenNameChar("Turnaj Žďár 2024"));
    for (char c : std::string("\\/:*?\"<>|")) EXPECT_TRUE(HasForbiddenNameChar(std::string("a") + c + "b")) << c;
}

}  // namespace
}  // namespace veltrun
