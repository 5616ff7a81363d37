#pragma once
// Converting FIDE's XML players list as a command: the progress display, the
// messages, and the offer made when a search finds no elo.txt.
#include <filesystem>

namespace veltrun {

class Session;

// The conversion with a busy cursor, progress through the UI seam, a log line
// and a warning about cut fields; a failure throws myException with the
// translated message. Returns the number of players written.
long long ConvertXmlRatingList(Session& session, const std::filesystem::path& xmlPath,
                               const std::filesystem::path& outPath);

struct OfferResult {
    enum class Outcome { NoXmlFile, Declined, Converted };
    Outcome outcome = Outcome::NoXmlFile;
    std::filesystem::path xmlFile;
    long long players = 0;
};

// Asks, converts the XML file of the rating folder into its elo.txt and
// reports; without an XML file opens the download address (when so set) and
// explains what to do. A failed conversion throws myException.
OfferResult OfferRatingListConversion(Session& session);

}  // namespace veltrun
