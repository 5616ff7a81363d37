// The quick reader must take FIDE's plain layout itself, leave everything
// else to expat, and never give a result that expat would not give.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "ratinglist/xml_input.h"
#include "ratinglist/xml_player_collector.h"
#include "ratinglist/xml_rating_list.h"
#include "support/temp_folder.h"
#include "rating_fixtures.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;

#ifndef VELTRUN_DAMAGED_LISTS
#define VELTRUN_DAMAGED_LISTS 1500
#endif
constexpr int kDamagedLists = VELTRUN_DAMAGED_LISTS;

struct QuickRun {
    bool taken = false;
    std::vector<std::string> lines;
};

QuickRun ReadQuickly(const fs::path& dir, const std::string& xml, std::size_t chunkBytes = std::size_t{1} << 20) {
    WriteBytes(dir / "quick.xml", xml);
    XmlInputFile input(dir / "quick.xml");
    ConversionProgressFn none;
    ProgressMeter meter(none, input.Size());
    QuickRun run;
    XmlPlayerCollector collector([&run](std::string_view line) { run.lines.emplace_back(line); });
    run.taken = ReadXmlQuickly(input, collector, meter, chunkBytes);
    return run;
}

std::vector<std::string> ReadWithExpat(const fs::path& dir, const std::string& xml) {
    WriteBytes(dir / "expat.xml", xml);
    XmlInputFile input(dir / "expat.xml");
    ConversionProgressFn none;
    ProgressMeter meter(none, input.Size());
    std::vector<std::string> lines;
    XmlPlayerCollector collector([&lines](std::string_view line) { lines.emplace_back(line); });
    ReadXmlWithExpat(input, collector, meter);
    return lines;
}

std::string PlainSample(const XmlStyle& style) {
    std::string xml = SampleXml(style);
    std::string cdata = "<![CDATA[IRL]]>";
    return xml.replace(xml.find(cdata), cdata.size(), "IRL");
}

TEST(QuickReader, TakesThePlainLayoutInEveryStyle) {
    TempFolder dir;
    for (const auto& style : XmlStyles()) {
        SCOPED_TRACE(style.name);
        QuickRun run = ReadQuickly(dir.path(), PlainSample(style));
        EXPECT_TRUE(run.taken);
        EXPECT_EQ(run.lines, SampleEloLines());
    }
    EXPECT_TRUE(ReadQuickly(dir.path(), "\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8' standalone='yes' ?>\n"
                                        "<l><player><fideid>1</fideid><title/><name>A &#x141;&#322; &lt;&gt;&quot;</name>"
                                        "</player></l>\n")
                    .taken);
}

TEST(QuickReader, LeavesEverythingElseToExpat) {
    TempFolder dir;
    const std::vector<std::string> others = {
        "<l a='1'><player><fideid>1</fideid></player></l>",
        "<l><!-- note --><player><fideid>1</fideid></player></l>",
        "<l><player><fideid><![CDATA[1]]></fideid></player></l>",
        "<!DOCTYPE l [<!ENTITY x 'y'>]><l><player><fideid>1</fideid></player></l>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><l><player><fideid>1</fideid></player></l>",
        "<?xml encoding=\"UTF-8\" version=\"1.0\"?><l/>",
        "<?xml version=\"1.0\" standalone=\"YES\"?><l/>",
        "<?xml version=\"1.1\"?><l/>",
        " <?xml version=\"1.0\"?><l/>",
        "<l><?pi x?><player><fideid>1</fideid></player></l>",
        "<l><player><fideid>&nbsp;1</fideid></player></l>",
        "<l><player><fideid>&#0;</fideid></player></l>",
        "<l><player><fideid>1]]>2</fideid></player></l>",
        "<l><player><fideid>\x01</fideid></player></l>",
        "<l><player><fideid>\xC3</fideid></player></l>",
        "<l><player><fideid>\xED\xA0\x80</fideid></player></l>",
        "<l><pläyer><fideid>1</fideid></pläyer></l>",
        "<l><player><fideid>1</fideid></player></L>",
        "<l><player><fideid>1</fideid></player>",
        "<l></l><l></l>",
        "<l></l>x",
        "x<l></l>",
        "",
        "<l><player><fideid>1</fideid></player></l",
        "<l><player><fideid>1</fideid></player></l><",
    };
    for (const auto& xml : others) {
        SCOPED_TRACE(xml);
        EXPECT_FALSE(ReadQuickly(dir.path(), xml).taken);
    }
}

// Elements that hold only text are taken in one step; those next to nesting,
// outside players, or cut by a chunk border must still give expat's lines.
TEST(QuickReader, TextOnlyElementsAgreeWithExpatAtEveryChunkBorder) {
    TempFolder dir;
    const std::string xml =
        "<?xml version=\"1.0\"?>\n<l>\n<fideid>9</fideid>\n"
        "<player><fideid>1</fideid><name>M\xC3\xBCller,  J\xC3\xBCrgen &amp; Co</name><rating>2000</rating>"
        "<rating>2100</rating><title>GM</title><title></title><k >20</k ></player>\n"
        "<player><fideid>2</fideid><name>A<x>b</x>C</name><info><country>NOR</country></info></player>\n"
        "<player>text only</player>\n<player><fideid>3</fideid><sex/><birthday>1990</birthday>\r\n</player>\n"
        "</l>\n";
    const std::vector<std::string> expected = ReadWithExpat(dir.path(), xml);
    ASSERT_EQ(expected.size(), 3U);
    EXPECT_EQ(expected[0], "1|M\xC3\xBCller J\xC3\xBCrgen & Co|||2100|||||");
    for (std::size_t chunk = 4; chunk <= xml.size() + 1; ++chunk) {
        SCOPED_TRACE(chunk);
        QuickRun run = ReadQuickly(dir.path(), xml, chunk);
        // A tag longer than a chunk is left to expat; from a modest size on, all is taken.
        if (chunk >= 64) {
            EXPECT_TRUE(run.taken);
        }
        if (run.taken) {
            EXPECT_EQ(run.lines, expected);
        }
    }
}

// Both readers on the same damaged list: the same lines, or the same error.
TEST(QuickReader, AgreesWithExpatOnDamagedLists) {
    std::error_code ec;
    fs::path shm = "/dev/shm";
    TempFolder dir;
    fs::path work = fs::is_directory(shm, ec) ? shm / ("veltrun-quick-" + dir.path().filename().string()) : dir.path();
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
        for (int quick = 0; quick < 2; ++quick) {
            ConversionOptions options;
            options.allowQuickReader = quick == 1;
            options.segmentBytes = 16 + random() % 400;  // borders fall anywhere, often into damage
            try {
                long long n = ConvertXmlRatingFile(work / "in.xml", work / "elo.txt", options);
                outcome[quick] = std::to_string(n) + ":" + ReadBytes(work / "elo.txt");
            } catch (const XmlConversionError& err) {
                outcome[quick] = "error " + std::to_string(static_cast<int>(err.kind)) + " at " + std::to_string(err.line);
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
