// The segment reader converts FIDE's plain shape in pieces side by side. Wherever
// the pieces are cut, it must write what expat's single pass writes, and leave
// every other file to the general readers.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "ratinglist/rating_file_writer.h"
#include "ratinglist/xml_input.h"
#include "ratinglist/xml_rating_list.h"
#include "support/temp_folder.h"
#include "rating_fixtures.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;

// FIDE's shape with what its values hold: letters of other scripts, references,
// commas, odd blanks, bars, repeated and empty elements, names in other cases.
std::string FideShapedList() {
    const std::string players[] = {
        "<fideid>1</fideid>\n<name>Dvořák, Jiří</name>\n<country>CZE</country>\n<sex>M</sex>\n<title>GM</title>\n"
        "<w_title></w_title>\n<rating>2600</rating>\n<games>9</games>\n<k>10</k>\n<rapid_rating>2550</rapid_rating>\n"
        "<blitz_rating>2500</blitz_rating>\n<birthday>1980</birthday>\n<flag></flag>\n",
        "<fideid>2</fideid>\n<name>O&apos;Neill &amp; Co, Ann</name>\n<country>IRL</country>\n<sex>F</sex>\n",
        "<name>Nobody, Known</name>\n<rating>1500</rating>\n",
        "<fideid> 3 </fideid>\n<name> Lee,Kim  Ok ,  X ,</name>\n<title>W|GM</title>\n<title/>\n<rating>2000</rating>\n"
        "<rating>2100</rating>\n<FideID>4</FideID>\n<sex/>\n",
        "<fideid>5</fideid>\n<name>Łukasiewicz, Zoë 𝔸 &#x141;&#322;</name>\n<country>POL</country>\n"
        "<birthday>19\t99</birthday>\n<k>20</k>\n",
        "<fideid>6</fideid>\n<name>Van den Berg, Jan Willem Maria Theodorus Alexander</name>\n<sex>M</sex>\n",
        "<fideid>7</fideid><name>Kim,  Lee</name><rating>1999</rating>",
    };
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<playerslist>\n";
    for (int round = 0; round < 3; ++round)
        for (const auto& player : players) xml += "<player>\n" + player + "</player>\n";
    return xml + "</playerslist>\n";
}

std::string ConvertWithExpat(const fs::path& xml, const fs::path& out) {
    ConversionOptions options;
    options.allowQuickReader = false;
    ConvertXmlRatingFile(xml, out, options);
    return ReadBytes(out);
}

struct SegmentRun {
    long long players = -1;
    std::string bytes;
};

SegmentRun ReadInSegments(const fs::path& xml, const fs::path& out, std::size_t segmentBytes) {
    XmlInputFile input(xml);
    ConversionProgressFn none;
    ProgressMeter meter(none, input.Size());
    RatingFileWriter writer(out);
    SegmentRun run;
    run.players = ReadXmlInSegments(input, writer, meter, segmentBytes);
    if (run.players >= 0) {
        writer.Commit();
        run.bytes = ReadBytes(out);
    }
    return run;
}

TEST(SegmentReader, CutsAnywhereGiveExpatsLines) {
    TempFolder dir;
    const std::string xml = FideShapedList();
    WriteBytes(dir.path() / "list.xml", xml);
    const std::string expected = ConvertWithExpat(dir.path() / "list.xml", dir.path() / "expat.txt");
    ASSERT_NE(expected.find("\r\n4|LeeKim Ok X|||2100|||||\r\n"), std::string::npos) << expected;
    for (std::size_t segmentBytes = 16; segmentBytes <= xml.size() + 1; segmentBytes += segmentBytes < 500 ? 1 : 7) {
        SCOPED_TRACE(segmentBytes);
        SegmentRun run = ReadInSegments(dir.path() / "list.xml", dir.path() / "elo.txt", segmentBytes);
        EXPECT_EQ(run.players, 18);
        EXPECT_EQ(run.bytes, expected);
    }
}

TEST(SegmentReader, LeavesOtherShapesToTheGeneralReaders) {
    TempFolder dir;
    const std::string player = "<player><fideid>1</fideid></player>";
    const std::vector<std::string> others = {
        "<l a='1'>" + player + "</l>",
        "<l><!-- note -->" + player + "</l>",
        "<l><player><fideid><![CDATA[1]]></fideid></player></l>",
        "<l><player><fideid>1</fideid>text</player></l>",
        "<l><player><info><fideid>1</fideid></info></player></l>",
        "<l><Player><fideid>1</fideid></Player></l>",
        "<l>" + player + "<group>" + player + "</group></l>",
        "<player><fideid>1</fideid></player>",
        "<l/>",
        "<l>" + player + "</l>x",
        "<l>" + player + "</L>",
        "<l>" + player + "</l>" + player,
        "<l>" + player,
        "<l>" + player + "</l><l></l>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><l>" + player + "</l>",
        "<l><player><fideid>1]]>2</fideid></player></l>",
        "<l><player><fideid>&nbsp;</fideid></player></l>",
        "<l><player><fideid>\xC3</fideid></player></l>",
        "",
    };
    for (const auto& xml : others) {
        SCOPED_TRACE(xml);
        WriteBytes(dir.path() / "other.xml", xml);
        EXPECT_EQ(ReadInSegments(dir.path() / "other.xml", dir.path() / "elo.txt", 1 << 20).players, -1);
    }
}

// A file another program has open for writing gets no lease, so it is not
// mapped but read piece by piece: with the same lines.
TEST(SegmentReader, FileOpenForWritingIsReadWithoutMapping) {
    TempFolder dir;
    fs::path xml = dir.path() / "list.xml";
    WriteBytes(xml, FideShapedList());
    const std::string expected = ConvertWithExpat(xml, dir.path() / "expat.txt");
    {
        XmlInputFile input(xml);
        if (input.MapUnderLease().empty()) GTEST_SKIP() << "this file system grants no leases";
    }
    int writer = ::open(xml.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    {
        XmlInputFile input(xml);
        EXPECT_TRUE(input.MapUnderLease().empty());
    }
    for (std::size_t segmentBytes : {4096, 1 << 20}) {
        SegmentRun run = ReadInSegments(xml, dir.path() / "elo.txt", segmentBytes);
        EXPECT_EQ(run.players, 18);
        EXPECT_EQ(run.bytes, expected);
    }
    ::close(writer);
}

}  // namespace
}  // namespace veltrun
