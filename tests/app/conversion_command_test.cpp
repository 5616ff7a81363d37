// The offer of a conversion when a search finds no elo.txt: XML found (yes /
// no), several XML files, no XML file (with and without the browser).
// Converting itself, with progress and failures: the convert-ratings command's tests.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/command_convert_ratings.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;

struct OfferFixture : ::testing::Test, StoreFixture {
    fs::path elo() const { return home.path() / "Elo"; }
    void SetUp() override {
        fs::create_directories(elo());
        session.settings.DownloadUrl = "https://example.org/players_list_xml.zip";
    }
};

// Of several XML files the last by name is offered; the default answer (No) converts nothing, Yes converts.
TEST_F(OfferFixture, OfSeveralXmlFilesTheLastByNameIsConvertedOnYes) {
    int id = 0;
    for (const char* name : {"a_list.xml", "b_list.xml", ".z_hidden.xml", "c_notes.txt"})
        WriteBytes(elo() / name, "<l><player><fideid>" + std::to_string(++id) + "</fideid></player></l>");
    fs::create_directories(elo() / "z_folder.xml");
    OfferResult declined = OfferRatingListConversion(session);
    EXPECT_EQ(declined.outcome, OfferResult::Outcome::Declined);
    EXPECT_EQ(declined.xmlFile, elo() / "b_list.xml");
    EXPECT_EQ(ui.messages.at(0).default_button, Button::No);
    EXPECT_FALSE(fs::exists(elo() / "elo.txt"));
    ui.answers.push_back(Button::Yes);
    EXPECT_EQ(OfferRatingListConversion(session).players, 1);
    EXPECT_EQ(ReadBytes(elo() / "elo.txt"), Crlf({"2|||||||||"}));
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
}

}  // namespace
}  // namespace veltrun
