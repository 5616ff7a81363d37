#include "ratinglist/xml_rating_list.h"

#include <cstdio>
#include <optional>
#include <system_error>

#include "ratinglist/xml_input.h"
#include "ratinglist/xml_player_collector.h"
#include "store/atomic_file.h"
#include "store/session.h"
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
        // An empty text closes the progress display where it stood.
        session.ui.Progress(1, 1, "");
        std::string where = e.kind == XmlConversionError::Kind::Malformed ? " at line " + std::to_string(e.line) : "";
        Fail(session, "Rating list " + xmlPath.string() + " not converted" + where + ": " + e.detail,
             FailureText(session, e, xmlPath, outPath));
    }
}

}  // namespace veltrun
