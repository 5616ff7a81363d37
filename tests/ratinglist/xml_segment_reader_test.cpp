// The segment reader converts FIDE's plain shape in pieces side by side. Wherever
// the pieces are cut, it must write what expat's single pass writes, and leave
// every other file to expat.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <random>

#include "ratinglist/xml_input.h"
#include "ratinglist/xml_rating_list.h"
#include "store/atomic_file.h"
#include "rating_fixtures.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;

#ifndef VELTRUN_DAMAGED_LISTS
#define VELTRUN_DAMAGED_LISTS 1500
#endif
constexpr int kDamagedLists = VELTRUN_DAMAGED_LISTS;

// A sample without CDATA, so that most damage leaves a file of FIDE's shape.
std::string PlainSample(const XmlStyle& style) {
    std::string xml = SampleXml(style);
    std::string cdata = "<![CDATA[IRL]]>";
    return xml.replace(xml.find(cdata), cdata.size(), "IRL");
}

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
        // the same bytes for the first 32 of a span, then another element
        "<fideid>8</fideid>\n<rating>2000</rating>\n<games>9</games>\n<k>10</k>\n<rapid_rating>1900</rapid_rating>\n",
        "<fideid>9</fideid>\n<rating>2000</rating>\n<games>9</games>\n<k>10</k>\n<blitz_rating>1800</blitz_rating>\n",
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

// The number of players and the lines written, or "-1:" when the file is left to expat.
std::string ReadInSegments(const fs::path& xml, const fs::path& out, std::size_t segmentBytes) {
    XmlInputFile input(xml);
    ConversionProgressFn none;
    ProgressMeter meter(none, input.Size());
    AtomicFile writer(out);
    long long players = ReadXmlInSegments(input, writer, meter, segmentBytes);
    if (players < 0) return "-1:";
    writer.Commit();
    return std::to_string(players) + ":" + ReadBytes(out);
}

TEST(SegmentReader, CutsAnywhereGiveExpatsLinesAndOtherShapesAreLeftToExpat) {
    TempFolder dir;
    const std::string xml = FideShapedList();
    const fs::path list = dir.path() / "list.xml";
    WriteBytes(list, xml);
    const std::string expected = ConvertWithExpat(list, dir.path() / "expat.txt");
    ASSERT_NE(expected.find("\r\n4|LeeKim Ok X|||2100|||||\r\n"), std::string::npos) << expected;
    for (std::size_t segmentBytes = 16; segmentBytes <= xml.size() + 1; segmentBytes += segmentBytes < 500 ? 1 : 7)
        EXPECT_EQ(ReadInSegments(list, dir.path() / "elo.txt", segmentBytes), "24:" + expected) << segmentBytes;
    const std::string player = "<player><fideid>1</fideid></player>";
    const std::string others[] = {
        "<l a='1'>" + player + "</l>", "<l><!-- note -->" + player + "</l>", "<l><player><fideid><![CDATA[1]]></fideid></player></l>",
        "<l><player><fideid>1</fideid>text</player></l>", "<l><player><info><fideid>1</fideid></info></player></l>",
        "<l><Player><fideid>1</fideid></Player></l>", "<l>" + player + "<group>" + player + "</group></l>", player, "<l/>",
        "<l>" + player + "</l>x", "<l>" + player + "</L>", "<l>" + player + "</l>" + player, "<l>" + player,
        "<l>" + player + "</l><l></l>", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><l>" + player + "</l>",
        "<l><player><fideid>1]]>2</fideid></player></l>", "<l><player><fideid>&nbsp;</fideid></player></l>",
        "<l><player><fideid>\xC3</fideid></player></l>", "",
        "<l>" + player + player + "<player><fideid x='1'>1</fideid></player></l>"};  // one byte off the known joint
    for (const auto& other : others) {  // left to expat
        WriteBytes(dir.path() / "other.xml", other);
        EXPECT_EQ(ReadInSegments(dir.path() / "other.xml", dir.path() / "elo.txt", 1 << 20), "-1:") << other;
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
    for (std::size_t segmentBytes : {4096, 1 << 20})
        EXPECT_EQ(ReadInSegments(xml, dir.path() / "elo.txt", segmentBytes), "24:" + expected) << segmentBytes;
    ::close(writer);
}

TEST(SegmentReader, AgreesWithExpatOnDamagedLists) {
    std::error_code ec;
    fs::path shm = "/dev/shm";
    TempFolder dir;
    fs::path work = fs::is_directory(shm, ec) ? shm / ("veltrun-segments-" + dir.path().filename().string()) : dir.path();
    fs::create_directories(work);
    std::mt19937 random(1234);
    const std::string inserts[] = {"<", ">", "&", ";", "/", "!", "?", "]]>", "\xC3", "\xFF", "\t", "\r", "'", "\"",
                                   "=", "<a>", "</a>", "&amp;", "&#65;", "x", " ", "<player>", "</player>", "<!--",
                                   // for the declaration
                                   " standalone='yes'", " standalone=\"YES\"", " encoding='utf8'", "1.1", "UTF-8",
                                   "version", "?>", "\xEF\xBB\xBF"};
    int taken = 0;
    for (int round = 0; round < kDamagedLists; ++round) {
        std::string xml = PlainSample(XmlStyles()[static_cast<std::size_t>(round) % XmlStyles().size()]);
        int edits = 1 + static_cast<int>(random() % 3);
        for (int e = 0; e < edits; ++e) {
            // Every other damage falls into the declaration.
            std::size_t at = random() % (round % 2 == 0 ? std::min<std::size_t>(xml.size() + 1, 40) : xml.size() + 1);
            switch (random() % 3) {
                case 0: xml.insert(at, inserts[random() % std::size(inserts)]); break;
                case 1: xml.erase(at, 1 + random() % 4); break;
                default: xml.resize(at); break;
            }
        }
        WriteBytes(work / "in.xml", xml);
        std::string outcome[2];
        for (int segments = 0; segments < 2; ++segments) {
            ConversionOptions options;
            options.allowQuickReader = segments == 1;
            options.segmentBytes = 16 + random() % 400;  // borders fall anywhere, often into damage
            try {
                long long n = ConvertXmlRatingFile(work / "in.xml", work / "elo.txt", options);
                outcome[segments] = std::to_string(n) + ":" + ReadBytes(work / "elo.txt");
            } catch (const XmlConversionError& err) {
                outcome[segments] = "error " + std::to_string(static_cast<int>(err.kind)) + " at " + std::to_string(err.line);
            }
        }
        EXPECT_EQ(outcome[0], outcome[1]) << "input: " << xml;
        taken += outcome[1].rfind("error", 0) == 0 ? 0 : 1;
    }
    EXPECT_GT(taken, 20) << "some damaged lists are still well-formed";
    if (work != dir.path()) fs::remove_all(work, ec);
}

}  // namespace
}  // namespace veltrun
