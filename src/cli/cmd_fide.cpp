// Commands of the FIDE exchange: trf and import-trf.
#include <ostream>

#include "app/command_import_trf.h"
#include "app/command_open.h"
#include "cli/commands.h"
#include "store/session.h"

namespace veltrun::cli {

namespace {

int RunTrf(CliContext& c, const CommandArgs& args) {
    // The run holds the tournament folder's lock for the whole command.
    std::string folder = ResolveTournamentFolder(c.session, args.Positional()[0]);
    if (!OpenTournamentCommand(c.session, folder)) return 1;
    auto written = WriteTrf16Command(c.session, args.Has("--national"), args.Value("-o"));
    if (!written) return 1;
    c.out << written->string() << "\n";
    return 0;
}

int RunImportTrf(CliContext& c, const CommandArgs& args) {
    auto folder = ImportTrfCommand(c.session, args.Positional()[0], args.Value("--name"));
    if (!folder) return 1;
    c.out << folder->string() << "\n";
    return 0;
}

}  // namespace

void RegisterFideCommands(std::vector<Command>& table) {
    table.push_back({"trf",
                     "trf T [--national] [-o FILE]",
                     "write the tournament as a TRF16 file and print its path",
                     {{"--national", false, "national identifiers in place of the FIDE ones"},
                      {"-o", true, "write to FILE instead of the file named in Veltrun.ini"}},
                     1,
                     1,
                     TakesTournament::Yes,
                     RunTrf});
    table.push_back({"import-trf",
                     "import-trf FILE [--name FOLDER]",
                     "build a new tournament under Tourn/ from a TRF file and print its folder",
                     {{"--name", true, "folder name instead of the tournament name in the file"}},
                     1,
                     1,
                     TakesTournament::No,
                     RunImportTrf});
}

}  // namespace veltrun::cli
