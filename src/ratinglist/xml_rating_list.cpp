#include "ratinglist/xml_rating_list.h"

#include <cstdio>
#include <optional>
#include <system_error>

#include "ratinglist/xml_input.h"
#include "ratinglist/xml_player_collector.h"
#include "store/atomic_file.h"
#include "store/temporary_files.h"
#include "store/text_utils.h"

namespace veltrun {

XmlConversionError::XmlConversionError(Kind k, std::string d, long long l)
    : std::runtime_error(d), kind(k), detail(std::move(d)), line(l) {}

namespace {

// Runs the readers into the writer; the caller commits.
long long ConvertInto(XmlInputFile& input, AtomicFile& writer, const ConversionOptions& options) {
    ProgressMeter meter(options.progress, input.Size());
    auto sink = [&writer](std::string_view line) { writer.WriteLine(line); };
    if (options.allowQuickReader) {
        long long players = ReadXmlInSegments(input, writer, meter, options.segmentBytes);
        if (players >= 0) {
            meter.Finish(players);
            if (options.playersCut) *options.playersCut = meter.PlayersCut();
            return players;
        }
        // Not FIDE's plain shape: expat reads the whole file anew.
        writer.Restart();
        input.Rewind();
    }
    XmlPlayerCollector collector(sink);
    ReadXmlWithExpat(input, collector, meter);
    meter.Finish(collector.PlayersWritten());
    if (options.playersCut) *options.playersCut = collector.PlayersCut();
    return collector.PlayersWritten();
}

}  // namespace

long long ConvertXmlRatingFile(const std::filesystem::path& xmlPath, const std::filesystem::path& outPath,
                               const ConversionOptions& options) {
    XmlInputFile input(xmlPath);
    try {
        // No tournament opening cleans the rating folder, so this is the place.
        RemoveStaleTemporaryFiles(outPath.parent_path().empty() ? "." : outPath.parent_path());
        AtomicFile writer(outPath);
        long long count = ConvertInto(input, writer, options);
        // An XML file without players is no players list; it must not empty a good elo.txt.
        if (count == 0) throw XmlConversionError(XmlConversionError::Kind::NoPlayers, "");
        writer.Commit();
        return count;
    } catch (const std::system_error& e) {
        throw XmlConversionError(XmlConversionError::Kind::Write, e.code().message());
    }
}

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

}  // namespace veltrun
