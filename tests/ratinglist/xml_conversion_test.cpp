// Conversion of the XML players list: every layout gives the same players,
// and a broken or unwritable conversion keeps the old elo.txt.
#include <gtest/gtest.h>

#include "ratinglist/xml_rating_list.h"
#include "rating_fixtures.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;

const std::string kOldElo = "1|Old Player|CZE|M|2000|||1970||\r\n";

// Runs a conversion that must fail and returns its error.
XmlConversionError ExpectFailure(const fs::path& xml, const fs::path& out, const ConversionOptions& options) {
    try { ConvertXmlRatingFile(xml, out, options); } catch (const XmlConversionError& e) { return e; }
    ADD_FAILURE() << "conversion of " << xml << " succeeded";
    return XmlConversionError(XmlConversionError::Kind::Read, "");
}

// Every layout gives the same players with both readers; Latin-1 comes out as
// UTF-8, layout inside a value folds to one blank, names keep their letters.
TEST(XmlConversion, EveryLayoutAndEncodingGivesTheSamePlayersWithBothReaders) {
    TempFolder dir;
    std::vector<std::tuple<std::string, long long, std::string>> cases{
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<list><player>\n<fideid> 7 </fideid><name>\n  M\xFCller,\n\tJ\xF6rg  </name>"
         "<country>A<b>U</b>T</country><rating>&#50;&#x30;00</rating><title/><birthday>1990</birthday><name>Later, Name</name>\n"
         "</player></list>", 1, Crlf({"7|Later Name|AUT||2000|||1990||"})},
        {"<list><player><fideid>8</fideid><name>Müller \xC5\x81ukasz, Jörg</name></player><fideid>9</fideid></list>", 1,
         Crlf({"8|Müller Łukasz Jörg||||||||"})}};
    for (const XmlStyle& style : XmlStyles()) cases.emplace_back(SampleXml(style), 4, Crlf(SampleEloLines()));
    for (const auto& [xml, players, elo] : cases)
        for (bool segments : {false, true}) {
            WriteBytes(dir.path() / "list.xml", xml);
            WriteBytes(dir.path() / "elo.txt", kOldElo);
            ConversionOptions options;
            options.allowQuickReader = segments;
            EXPECT_EQ(ConvertXmlRatingFile(dir.path() / "list.xml", dir.path() / "elo.txt", options), players) << xml << segments;
            EXPECT_EQ(ReadBytes(dir.path() / "elo.txt"), elo) << xml << segments;
        }
}

TEST(XmlConversion, BrokenFilesAndOtherFailuresKeepTheOldElo) {
    struct Case { std::string name; std::string xml; long long line; };
    std::string full = SampleXml(XmlStyles()[0]);
    std::vector<Case> cases = {
        {"truncated inside a tag", full.substr(0, full.find("<Rating>2300") + 4), 38},
        {"truncated after an element", full.substr(0, full.find("</player>") + 9), 17},
        {"truncated inside a value", full.substr(0, full.find("Jürgen") + 2), 20},
        {"mismatched tag", "<list>\n<player>\n<fideid>1</name>\n</player>\n</list>\n", 3},
        {"two roots", "<list></list>\n<list></list>\n", 2},
        {"bad entity", "<list>\n\n<player><fideid>&nbsp;1</fideid></player></list>", 3},
        {"empty file", "", 1},
        {"bad byte", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<list><name>\xFF</name></list>", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool segments : {false, true}) {
            TempFolder dir;
            WriteBytes(dir.path() / "list.xml", c.xml);
            WriteBytes(dir.path() / "elo.txt", kOldElo);
            ConversionOptions options;
            options.allowQuickReader = segments;
            XmlConversionError e = ExpectFailure(dir.path() / "list.xml", dir.path() / "elo.txt", options);
            EXPECT_EQ(e.kind, XmlConversionError::Kind::Malformed);
            EXPECT_EQ(e.line, c.line);
            EXPECT_EQ(ReadBytes(dir.path() / "elo.txt"), kOldElo);
            EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"elo.txt", "list.xml"}));
        }
    }
    // Other failures keep the old elo.txt too.
    using Kind = XmlConversionError::Kind;
    TempFolder dir;
    const fs::path elo = dir.path() / "elo.txt", list = dir.path() / "list.xml";
    WriteBytes(elo, kOldElo);
    WriteBytes(dir.path() / "empty.xml", "<playerslist>\n<player><name>No Id</name></player>\n</playerslist>\n");
    WriteBytes(list, SampleXml(XmlStyles()[0]));
    // The last target is a folder: the rename fails after the whole file was written.
    fs::create_directories(dir.path() / "taken" / "elo.txt" / "x");
    const std::pair<fs::path, fs::path> unusable[] = {{dir.path() / "missing.xml", elo}, {dir.path(), elo},
                                                      {list, dir.path() / "no-folder" / "elo.txt"},
                                                      {list, dir.path() / "taken" / "elo.txt"}};
    EXPECT_EQ(ExpectFailure(dir.path() / "empty.xml", elo, {}).kind, Kind::NoPlayers);
    for (std::size_t i = 0; i < std::size(unusable); ++i)
        EXPECT_EQ(ExpectFailure(unusable[i].first, unusable[i].second, {}).kind, i < 2 ? Kind::Read : Kind::Write) << i;
    EXPECT_EQ(FolderEntries(dir.path() / "taken"), std::vector<std::string>{"elo.txt"});

    ConversionOptions cancelling;
    int calls = 0;
    cancelling.progress = [&calls](const ConversionProgress&) { return ++calls < 2; };
    EXPECT_EQ(ExpectFailure(list, elo, cancelling).kind, Kind::Cancelled);
    EXPECT_EQ(ReadBytes(elo), kOldElo);
    EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"elo.txt", "empty.xml", "list.xml", "taken"}));
}

}  // namespace
}  // namespace veltrun
