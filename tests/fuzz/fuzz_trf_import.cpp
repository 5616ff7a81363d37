// TRF16 import: a file is refused with a message and leaves no folder, or it
// becomes a tournament folder that opens with the players the file named.
#include "fide/trf_import.h"
#include "fuzz_support.h"
#include "store/open_tournament.h"

using namespace veltrun;

VELTRUN_FUZZ_TARGET {
    auto home = fuzz::ScratchFolder() / "home";
    auto target = home / "Tourn" / "Imported";
    std::filesystem::remove_all(target);
    std::filesystem::create_directories(home / "Tourn");
    auto file = fuzz::ScratchFolder() / "in.trf";
    fuzz::WriteBytes(file, input);
    fuzz::FuzzSession s;
    TrfTournament read;
    if (fuzz::Refused([&] { read = ReadTrfFile(s.session.translation, s.session.settings.SystemPrefixForAlias, file); })) return;
    std::filesystem::path folder;
    // Refused while checking what the folder would hold: nothing is left.
    if (fuzz::Refused([&] { folder = ImportTrfFile(s.session, file, "Imported"); }))
        return fuzz::Require(!std::filesystem::exists(target), "a refused import leaves no folder");
    fuzz::Require(folder == target, "the folder is the one asked for");
    fuzz::FuzzSession reopen;
    try {
        OpenTournament(reopen.session, folder);
    } catch (const myException& e) {
        std::fprintf(stderr, "%s\n", e.what());
        fuzz::Require(false, "an imported tournament opens");
    }
    fuzz::Require(reopen.session.tournament.PlayerCount() == static_cast<int>(read.players.size()),
                  "every player of the file is in the tournament");
}
