#pragma once
// What every command works with: the program folder, the settings record, the
// language table, the open tournament, its log and the UI seam.
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include "store/settings.h"
#include "store/tournament.h"
#include "store/tournament_log.h"
#include "store/translation.h"
#include "store/ui.h"

namespace veltrun {

class Session {
public:
    Session(Ui& ui, std::filesystem::path programFolder);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Ui& ui;
    std::filesystem::path ProgramFolder;
    Settings settings;
    Translation translation;
    Tournament tournament;
    TournamentLog log;
    std::mt19937 random;

    // Re-reads Veltrun.ini into the settings record (and the log switch and
    // the code page of older files).
    void ReloadSettings();
    std::string tr(int id, std::string_view englishText) const { return translation.TranslateText(id, englishText); }
    void AppendToLog(std::string_view message) { log.AppendToLog(message); }
    std::filesystem::path SettingsFile() const { return ProgramFolder / "Veltrun.ini"; }
    std::filesystem::path TournFolder() const { return ProgramFolder / "Tourn"; }
    std::filesystem::path EloFolder() const { return ProgramFolder / "Elo"; }
    std::filesystem::path LanguageFolder() const { return ProgramFolder / "Language"; }
    bool HasTournament() const { return !tournament.TournamentFolder.empty(); }
};

// ShowMessageDialog: a message box through the UI seam, with the kind's title
// and the button captions translated.
Button ShowMessageDialog(Session& session, const std::string& text, MessageKind kind,
                         const std::vector<Button>& buttons, Button defaultButton);
// Shorthands for the common boxes.
void ShowWarning(Session& session, const std::string& text);
void ShowInformation(Session& session, const std::string& text);
bool AskYesNo(Session& session, const std::string& text, Button defaultButton = Button::Yes);
// A Yes/No offer after the command's work is done, Yes the default; declined
// where nobody can answer (see MessageRequest::offer).
bool OfferYesNo(Session& session, const std::string& text);

// Logs "Fatal error ..." text and throws myException with the message.
[[noreturn]] void Fail(Session& session, const std::string& logMessage, const std::string& shownMessage);

}  // namespace veltrun
