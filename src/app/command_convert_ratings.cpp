#include "app/command_convert_ratings.h"

#include <cstdio>
#include <system_error>

#include "ratinglist/xml_rating_list.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

std::string Quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

std::string ProgressText(Session& session, const ConversionProgress& p) {
    long long percent = p.bytesTotal > 0 ? p.bytesDone * 100 / p.bytesTotal : 100;
    char speed[32];
    std::snprintf(speed, sizeof speed, "%.1f", p.megabytesPerSecond);
    return session.tr(320, "Converting the rating list") + ": " + std::to_string(percent) + "%, " +
           std::to_string(p.players) + " " + session.tr(321, "players") + ", " + speed + " MB/s";
}

std::string FailureText(Session& session, const XmlConversionError& e, const std::filesystem::path& xmlPath,
                        const std::filesystem::path& outPath) {
    using Kind = XmlConversionError::Kind;
    std::string text;
    switch (e.kind) {
        case Kind::Read:
            text = session.tr(322, "The XML file") + " " + Quoted(xmlPath) + " " + session.tr(323, "could not be read") +
                   ": " + e.detail + ".";
            break;
        case Kind::Malformed:
            text = session.tr(322, "The XML file") + " " + Quoted(xmlPath) + " " +
                   session.tr(324, "is not a complete, well-formed XML file. Error at line") + " " +
                   std::to_string(e.line) + ": " + e.detail + ".";
            break;
        case Kind::Write:
            text = session.tr(325, "Could not write the rating file") + " " + Quoted(outPath) + ": " + e.detail + ".";
            break;
        case Kind::Cancelled:
            text = session.tr(327, "The conversion was cancelled.");
            break;
        case Kind::NoPlayers:
            text = session.tr(322, "The XML file") + " " + Quoted(xmlPath) + " " +
                   session.tr(328, "holds no player with a FIDE ID.");
            break;
    }
    return text + " " + session.tr(326, "The rating file was left unchanged.");
}

void ShowWhereToPutTheList(Session& session) {
    const Settings& s = session.settings;
    std::string browser = s.Read("WebBrowser", "ExePath");
    std::error_code ec;
    if (s.OpenUrlInWebBrowser && !browser.empty() && std::filesystem::is_regular_file(browser, ec))
        session.ui.OpenReport(std::filesystem::path(s.DownloadUrl), browser);
    std::string folder = std::filesystem::absolute(session.EloFolder(), ec).string();
    ShowMessageDialog(session,
                      session.tr(164, "No XML file found. To use the function of search of player, you must download "
                                      "(from the internet) a file") +
                          "\n" + s.DownloadUrl + "\n" +
                          session.tr(165, "After downloading, unzip the ZIP file and place the resulting XML file in "
                                          "the directory") +
                          " \"" + folder + "\"\n\n" +
                          session.tr(166, "You can also use the program without the search function, but the player "
                                          "names and their ELOs must be entered manually."),
                      MessageKind::Warning, {Button::Ok}, Button::Ok);
}

}  // namespace

long long ConvertXmlRatingList(Session& session, const std::filesystem::path& xmlPath,
                               const std::filesystem::path& outPath) {
    BusyCursor busy(session.ui);
    ConversionOptions options;
    options.progress = [&session](const ConversionProgress& p) {
        return session.ui.Progress(p.bytesDone, p.bytesTotal, ProgressText(session, p));
    };
    long long playersCut = 0;
    options.playersCut = &playersCut;
    try {
        long long count = ConvertXmlRatingFile(xmlPath, outPath, options);
        session.AppendToLog("Rating list " + xmlPath.string() + " converted to " + outPath.string() + ": " +
                            std::to_string(count) + " players, " + std::to_string(playersCut) + " with a field cut.");
        if (playersCut > 0)
            ShowWarning(session,
                        session.tr(450, "Players of the rating list with a field cut to the length Veltrun keeps") +
                            ": " + std::to_string(playersCut) + ".");
        return count;
    } catch (const XmlConversionError& e) {
        // A failed conversion makes no last report: done >= total closes the display where it stood.
        session.ui.Progress(1, 1, "");
        std::string where = e.kind == XmlConversionError::Kind::Malformed ? " at line " + std::to_string(e.line) : "";
        Fail(session, "Rating list " + xmlPath.string() + " not converted" + where + ": " + e.detail,
             FailureText(session, e, xmlPath, outPath));
    }
}

OfferResult OfferRatingListConversion(Session& session) {
    OfferResult result;
    auto xml = FindRatingListXml(session.EloFolder());
    if (!xml) {
        ShowWhereToPutTheList(session);
        return result;
    }
    result.xmlFile = *xml;
    std::string question = session.tr(167, "XML file found. Now it is necessary to convert this file to a format "
                                           "suitable for Veltrun.") +
                           " " + session.tr(168, "This action can take more than 10 minutes. Continue?");
    if (ShowMessageDialog(session, question, MessageKind::Information, {Button::Yes, Button::No}, Button::No) !=
        Button::Yes) {
        result.outcome = OfferResult::Outcome::Declined;
        return result;
    }
    result.players = ConvertXmlRatingList(session, *xml, session.EloFolder() / "elo.txt");
    result.outcome = OfferResult::Outcome::Converted;
    ShowInformation(session, session.tr(169, "XML file conversion was completed.") + "\n" +
                                 session.tr(170, "Number of players found") + ": " + std::to_string(result.players) +
                                 "\n" + session.tr(171, "New file has been created") + " (elo.txt) " +
                                 session.tr(172, "and the XML file will no longer be needed (so you can delete the "
                                                 "XML file)"));
    return result;
}

}  // namespace veltrun
