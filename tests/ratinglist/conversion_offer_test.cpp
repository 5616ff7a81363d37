// The conversion offer of a search without elo.txt: XML found (yes / no),
// several XML files, a broken one, no XML file (with and without the browser).
#include <gtest/gtest.h>

#include <filesystem>

#include "ratinglist/conversion_offer.h"
#include "store/errors.h"
#include "store/session.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "rating_fixtures.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;

struct OfferFixture : ::testing::Test {
    TempFolder home;
    ScriptedUi ui;
    Session session{ui, home.path()};
    fs::path elo() const { return home.path() / "Elo"; }
    void SetUp() override {
        fs::create_directories(elo());
        session.settings.DownloadUrl = "https://example.org/players_list_xml.zip";
    }
};

// Yes converts; the default answer (No) and a broken file leave no elo.txt.
TEST_F(OfferFixture, TheAnswerDecidesAndOnlyAGoodFileIsConverted) {
    WriteBytes(elo() / "list.XML", SampleXml(XmlStyles()[0]));
    OfferResult declined = OfferRatingListConversion(session);
    EXPECT_EQ(declined.outcome, OfferResult::Outcome::Declined);
    EXPECT_EQ(declined.xmlFile, elo() / "list.XML");
    EXPECT_FALSE(fs::exists(elo() / "elo.txt"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].buttons, (std::vector<Button>{Button::Yes, Button::No}));
    EXPECT_EQ(ui.messages[0].default_button, Button::No);

    ui.answers.push_back(Button::Yes);
    OfferResult result = OfferRatingListConversion(session);
    EXPECT_EQ(result.outcome, OfferResult::Outcome::Converted);
    EXPECT_EQ(result.players, 4);
    EXPECT_EQ(ReadBytes(elo() / "elo.txt"), EloFileText(SampleEloLines()));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_NE(ui.messages[2].text.find("Number of players found: 4\n"), std::string::npos);
    EXPECT_EQ(ui.busy_depth, 0);

    fs::remove(elo() / "elo.txt");
    WriteBytes(elo() / "list.XML", "<playerslist>\n<player>\n<fideid>1</fid");
    ui.answers.push_back(Button::Yes);
    EXPECT_THROW(OfferRatingListConversion(session), myException);
    EXPECT_FALSE(fs::exists(elo() / "elo.txt"));
    EXPECT_EQ(ui.messages.size(), 4u) << "no completion message";
}

TEST_F(OfferFixture, OfSeveralXmlFilesTheLastByNameIsConverted) {
    WriteBytes(elo() / "a_list.xml", "<l><player><fideid>1</fideid></player></l>");
    WriteBytes(elo() / "b_list.xml", "<l><player><fideid>2</fideid></player></l>");
    WriteBytes(elo() / ".z_hidden.xml", "<l><player><fideid>3</fideid></player></l>");
    WriteBytes(elo() / "c_notes.txt", "not xml");
    fs::create_directories(elo() / "z_folder.xml");
    EXPECT_EQ(FindRatingListXml(elo()), elo() / "b_list.xml");
    ui.answers.push_back(Button::Yes);
    EXPECT_EQ(OfferRatingListConversion(session).players, 1);
    EXPECT_EQ(ReadBytes(elo() / "elo.txt"), EloFileText({"2|||||||||"}));
}

// Without an XML file the warning names the address and the folder; the
// address opens only in a browser that exists, and only when asked for.
TEST_F(OfferFixture, WithoutXmlFileTheWarningSaysWhereToPutIt) {
    WriteBytes(home.path() / "browser", "#!/bin/sh\n");
    WriteBytes(session.SettingsFile(), "[WebBrowser]\nExePath=" + (home.path() / "browser").string() + "\n");
    EXPECT_EQ(OfferRatingListConversion(session).outcome, OfferResult::Outcome::NoXmlFile);
    EXPECT_TRUE(ui.opened_reports.empty()) << "OpenUrlInWebBrowser is off";
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    EXPECT_NE(ui.messages[0].text.find("\nhttps://example.org/players_list_xml.zip\n"), std::string::npos);
    EXPECT_NE(ui.messages[0].text.find("\"" + fs::absolute(elo()).string() + "\""), std::string::npos);

    session.settings.OpenUrlInWebBrowser = true;
    OfferRatingListConversion(session);
    ASSERT_EQ(ui.opened_reports.size(), 1u);
    EXPECT_EQ(ui.opened_reports[0].string(), "https://example.org/players_list_xml.zip");

    WriteBytes(session.SettingsFile(), "[WebBrowser]\nExePath=" + (home.path() / "no-browser").string() + "\n");
    OfferRatingListConversion(session);
    EXPECT_EQ(ui.opened_reports.size(), 1u);
    EXPECT_EQ(ui.messages.size(), 3u);
}

}  // namespace
}  // namespace veltrun
