#include "ratinglist/conversion_offer.h"

#include <system_error>
#include <vector>

#include "ratinglist/xml_rating_list.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

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

std::optional<std::filesystem::path> FindRatingListXml(const std::filesystem::path& folder) {
    std::error_code ec;
    std::optional<std::filesystem::path> last;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.' || entry.is_directory(ec)) continue;
        if (ToLowerAscii(ExtractExtPart(name)) != "xml") continue;
        if (!last || entry.path().filename() > last->filename()) last = entry.path();
    }
    return last;
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
