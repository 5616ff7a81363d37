#include "app/command_import_trf.h"

#include "app/show_errors.h"
#include "fide/trf16_writer.h"
#include "fide/trf_import.h"
#include "store/errors.h"
#include "store/session.h"
#include "store/tournament_file_names.h"

namespace veltrun {

std::optional<std::filesystem::path> ImportTrfCommand(Session& session, const std::filesystem::path& file,
                                                      const std::string& folderName) {
    BusyCursor busy(session.ui);
    std::filesystem::path folder;
    if (!CatchAndShowError(session, [&] { folder = ImportTrfFile(session, file, folderName); })) return std::nullopt;
    return folder;
}

std::optional<std::filesystem::path> WriteTrf16Command(Session& session, bool national,
                                                       const std::filesystem::path& outputFile) {
    std::string idKind = national ? "national" : "fide";
    std::filesystem::path written;
    bool done = CatchAndShowError(session, [&] {
        if (outputFile.empty()) {
            const Settings& s = session.settings;
            written = WriteTrf16File(session, national ? s.ShortFileNameTRF16National : s.ShortFileNameTRF16, idKind);
            return;
        }
        // A file chosen by hand may lie anywhere, but never over a tournament file.
        std::string name = outputFile.filename().string();
        if (!IsPlainFileName(name) || IsTournamentOwnFile(name))
            throw myException(session.tr(290, "The file name") + " \"" + name + "\" " +
                              session.tr(292, "in the settings file would overwrite a file of the tournament."));
        written = std::filesystem::absolute(outputFile);
        WriteTrf16To(session, written, idKind, false);
    });
    if (!done) return std::nullopt;
    return written;
}

}  // namespace veltrun
