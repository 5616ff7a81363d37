// Commands of the rating list: convert FIDE's XML list, search it.
#include <filesystem>
#include <ostream>

#include "app/command_convert_ratings.h"
#include "app/command_search.h"
#include "cli/commands.h"
#include "cli/terminal_text.h"
#include "cli/terminal_ui.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun::cli {

namespace {

int ConvertRatings(CliContext& c, const CommandArgs& args) {
    Session& s = c.session;
    if (args.Positional().empty()) {
        if (args.Has("-o")) throw UsageError("-o needs the XML file. Usage: veltrun convert-ratings [XML] [-o FILE]");
        std::filesystem::create_directories(s.EloFolder());
        return OfferRatingListConversion(s).outcome == OfferResult::Outcome::Converted ? 0 : 1;
    }
    std::filesystem::path xml = args.Positional()[0];
    std::filesystem::path out = args.Value("-o");
    if (out.empty()) {
        std::filesystem::create_directories(s.EloFolder());
        out = s.EloFolder() / "elo.txt";
    }
    long long count = ConvertXmlRatingList(s, xml, out);
    c.out << s.tr(170, "Number of players found") << ": " << count << "\n"
          << s.tr(171, "New file has been created") << " (" << out.string() << ")\n";
    return 0;
}

void PrintTable(CliContext& c, const std::vector<SearchRow>& rows) {
    Session& s = c.session;
    std::vector<std::vector<std::string>> table;
    table.push_back({s.tr(173, "Type"), s.tr(174, "Name"), s.tr(179, "ELO"), s.tr(175, "Fide ID"), s.tr(176, "Sex"),
                     s.tr(177, "Country"), s.tr(178, "Birth"), s.tr(191, "Title"), s.tr(189, "National ID"),
                     s.tr(192, "Club")});
    // Measured as the terminal will show them.
    for (const auto& row : rows) {
        table.push_back(row.Cells());
        for (std::string& cell : table.back()) cell = TerminalSafe(cell);
    }
    std::vector<int> widths(table[0].size(), 0);
    for (const auto& line : table)
        for (std::size_t k = 0; k < line.size(); ++k) widths[k] = std::max(widths[k], Utf8Length(line[k]));
    for (const auto& line : table) {
        std::string text;
        for (std::size_t k = 0; k < line.size(); ++k) {
            if (k > 0) text += "  ";
            text += k == 2 ? PadLeft(line[k], " ", widths[k]) : PadRight(line[k], " ", widths[k]);
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        c.out << text << "\n";
    }
}

int Search(CliContext& c, const CommandArgs& args) {
    std::optional<int> maxRows;
    if (args.Has("--max")) {
        maxRows = args.IntValue("--max", 0);
        if (*maxRows < 1) throw UsageError("--max needs a whole number of at least 1.");
    }
    SearchOutcome outcome = SearchCommandOnce(c.session, args.Positional()[0], maxRows);
    if (outcome.status == SearchOutcome::Status::ConversionOffered)
        return std::filesystem::exists(c.session.EloFolder() / "elo.txt") ? 0 : 1;
    if (outcome.status != SearchOutcome::Status::Found) return 1;
    PrintTable(c, outcome.rows);
    return 0;
}

}  // namespace

void RegisterRatingCommands(std::vector<Command>& table) {
    table.push_back({"convert-ratings", "convert-ratings [XML] [-o FILE]",
                     "convert FIDE's XML players list into elo.txt (without XML: the XML file of the Elo folder)",
                     {{"-o", true, "the rating file to write (default: elo.txt of the Elo folder)"}},
                     0,
                     1,
                     TakesTournament::No,
                     ConvertRatings});
    table.push_back({"search",
                     "search TERM [--max N]",
                     "players of the rating files whose line holds TERM, one row per rating kind",
                     {{"--max", true, "stop after this many rows (default: EloSearchMaxCountLines)"}},
                     1,
                     1,
                     TakesTournament::No,
                     Search});
}

}  // namespace veltrun::cli
