#pragma once
// Conversion of FIDE's XML players list into the compact rating file elo.txt:
// one line per player, "fideid|name|country|sex|rating|rapid|blitz|birthday|title|".
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace veltrun {

struct ConversionProgress {
    long long bytesDone = 0;
    long long bytesTotal = 0;
    long long players = 0;
    double megabytesPerSecond = 0;
};
// Called now and then during the conversion; returning false cancels it. The
// last call of a conversion that succeeds has bytesDone == bytesTotal: a
// display closes when done >= total, so a caller whose conversion fails
// closes it itself (the conversion stops without a last call).
using ConversionProgressFn = std::function<bool(const ConversionProgress&)>;

struct ConversionOptions {
    ConversionProgressFn progress;
    // The segment reader handles FIDE's own plain shape and hands every other
    // file to expat; tests switch it off to compare the two.
    bool allowQuickReader = true;
    // FIDE's own plain shape is converted in segments of this size side by
    // side; tests make them small to put their borders everywhere.
    std::size_t segmentBytes = std::size_t{1} << 20;
    // When set, receives the number of players written with a field cut to
    // the longest length a tournament keeps.
    long long* playersCut = nullptr;
};

// Why a conversion failed; the old output file is intact in every case.
class XmlConversionError : public std::runtime_error {
public:
    enum class Kind { Read, Malformed, Write, Cancelled, NoPlayers };
    XmlConversionError(Kind kind, std::string detail, long long line = 0);
    Kind kind;
    std::string detail;
    long long line;  // of the XML file, for Malformed
};

// The conversion alone, without any UI. Returns the number of players written.
long long ConvertXmlRatingFile(const std::filesystem::path& xmlPath, const std::filesystem::path& outPath,
                               const ConversionOptions& options = {});

// The XML file a conversion of the rating folder takes: of the folder's *.xml
// files (any case, hidden entries and folders skipped) the last in name order.
std::optional<std::filesystem::path> FindRatingListXml(const std::filesystem::path& folder);

}  // namespace veltrun
