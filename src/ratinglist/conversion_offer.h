#pragma once
// The offer to convert FIDE's XML list, made when a search finds no elo.txt:
// convert the XML file of the rating folder, or say where to put one.
#include <filesystem>
#include <optional>

namespace veltrun {

class Session;

struct OfferResult {
    enum class Outcome { NoXmlFile, Declined, Converted };
    Outcome outcome = Outcome::NoXmlFile;
    std::filesystem::path xmlFile;
    long long players = 0;
};

// The XML file the offer converts: of the folder's *.xml files (any case,
// hidden entries and folders skipped) the last in name order.
std::optional<std::filesystem::path> FindRatingListXml(const std::filesystem::path& folder);

// Asks, converts into the rating folder's elo.txt and reports; without an XML
// file opens the download address (when so set) and explains what to do.
// A failed conversion throws myException with the translated message.
OfferResult OfferRatingListConversion(Session& session);

}  // namespace veltrun
