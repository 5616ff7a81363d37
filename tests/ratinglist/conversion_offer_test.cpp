// The conversion offer of a search without elo.txt: XML found (yes / no),
// several XML files, no XML file (with and without the browser).
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

TEST_F(OfferFixture, YesConvertsTheXmlFileAndReportsTheCount) {
    WriteBytes(elo() / "players_list_xml_foa.xml", SampleXml(XmlStyles()[0]));
    ui.answers.push_back(Button::Yes);
    OfferResult result = OfferRatingListConversion(session);
    EXPECT_EQ(result.outcome, OfferResult::Outcome::Converted);
    EXPECT_EQ(result.players, 4);
    EXPECT_EQ(ReadBytes(elo() / "elo.txt"), EloFileText(SampleEloLines()));
    ASSERT_EQ(ui.messages.size(), 2u);
    const MessageRequest& question = ui.messages[0];
    EXPECT_EQ(question.kind, MessageKind::Information);
    EXPECT_EQ(question.buttons, (std::vector<Button>{Button::Yes, Button::No}));
    EXPECT_EQ(question.default_button, Button::No);
    EXPECT_EQ(question.text,
              "XML file found. Now it is necessary to convert this file to a format suitable for Veltrun. "
              "This action can take more than 10 minutes. Continue?");
    EXPECT_EQ(ui.messages[1].text,
              "XML file conversion was completed.\nNumber of players found: 4\nNew file has been created (elo.txt) "
              "and the XML file will no longer be needed (so you can delete the XML file)");
    EXPECT_EQ(ui.busy_depth, 0);
}

TEST_F(OfferFixture, TheDefaultAnswerConvertsNothing) {
    WriteBytes(elo() / "list.XML", SampleXml(XmlStyles()[0]));
    OfferResult result = OfferRatingListConversion(session);
    EXPECT_EQ(result.outcome, OfferResult::Outcome::Declined);
    EXPECT_EQ(result.xmlFile, elo() / "list.XML");
    EXPECT_FALSE(fs::exists(elo() / "elo.txt"));
    EXPECT_EQ(ui.messages.size(), 1u);
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

TEST_F(OfferFixture, AFailedConversionIsAnErrorAndWritesNothing) {
    WriteBytes(elo() / "list.xml", "<playerslist>\n<player>\n<fideid>1</fid");
    ui.answers.push_back(Button::Yes);
    EXPECT_THROW(OfferRatingListConversion(session), myException);
    EXPECT_FALSE(fs::exists(elo() / "elo.txt"));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(OfferFixture, WithoutXmlFileTheWarningSaysWhereToPutIt) {
    OfferResult result = OfferRatingListConversion(session);
    EXPECT_EQ(result.outcome, OfferResult::Outcome::NoXmlFile);
    EXPECT_TRUE(ui.opened_reports.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(ui.messages[0].buttons, std::vector<Button>{Button::Ok});
    EXPECT_EQ(ui.messages[0].text,
              "No XML file found. To use the function of search of player, you must download (from the internet) a "
              "file\nhttps://example.org/players_list_xml.zip\nAfter downloading, unzip the ZIP file and place the "
              "resulting XML file in the directory \"" +
                  fs::absolute(elo()).string() +
                  "\"\n\nYou can also use the program without the search function, but the player names and their "
                  "ELOs must be entered manually.");
}

TEST_F(OfferFixture, TheDownloadAddressOpensOnlyInAnExistingBrowser) {
    WriteBytes(home.path() / "browser", "#!/bin/sh\n");
    WriteBytes(session.SettingsFile(), "[WebBrowser]\nExePath=" + (home.path() / "browser").string() + "\n");
    OfferRatingListConversion(session);
    EXPECT_TRUE(ui.opened_reports.empty()) << "OpenUrlInWebBrowser is off";

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
