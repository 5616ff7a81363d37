// TRF16 import: a file is refused with a message and leaves no folder, or it
// becomes a tournament folder that opens with the players the file named.
#include "fide/trf_import.h"
#include "fuzz_tournament.h"
#include "store/errors.h"
#include "store/open_tournament.h"

using namespace veltrun;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto home = fuzz::ScratchFolder() / "home";
    auto target = home / "Tourn" / "Imported";
    std::filesystem::remove_all(target);
    std::filesystem::create_directories(home / "Tourn");
    auto file = fuzz::ScratchFolder() / "in.trf";
    fuzz::PutFile(file, std::string_view(reinterpret_cast<const char*>(data), size));
    fuzz::FuzzSession s;
    TrfTournament read;
    try {
        read = ReadTrfFile(s.session.translation, s.session.settings.SystemPrefixForAlias, file);
    } catch (const myException& e) {
        fuzz::RequireMessage(e);
        return 0;
    }
    std::filesystem::path folder;
    try {
        folder = ImportTrfFile(s.session, file, "Imported");
    } catch (const myException& e) {
        // Refused while checking what the folder would hold: nothing is left.
        fuzz::RequireMessage(e);
        fuzz::Require(!std::filesystem::exists(target), "a refused import leaves no folder");
        return 0;
    }
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
    return 0;
}
