// The session: settings reload and the message boxes with translated
// titles and button captions.
#include "store/session.h"

#include <chrono>

#include "store/code_page.h"
#include "store/errors.h"
#include "store/file_notices.h"

namespace veltrun {

Session::Session(Ui& userInterface, std::filesystem::path programFolder)
    : ui(userInterface),
      ProgramFolder(std::move(programFolder)),
      random(static_cast<std::mt19937::result_type>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {
    settings.file = SettingsFile();
    LendFileNotices(this, &translation, [this](const std::string& text) { ShowWarning(*this, text); });
}

Session::~Session() { EndFileNotices(this); }

void Session::ReloadSettings() {
    settings = LoadSettings(SettingsFile());
    log.SetEnabled(settings.IsWriteAllowedToLogFile);
    if (!UseCodePageForNonUtf8(settings.NonUtf8CodePage))
        ShowWarning(*this, tr(427, "The setting") + " [Options] NonUtf8CodePage=\"" + settings.NonUtf8CodePage + "\" " +
                               tr(428, "is not a single-byte code page known to this system; the default is used:") +
                               " " + std::string(DefaultNonUtf8CodePage) + ".");
}

namespace {

std::string KindTitle(const Session& session, MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return session.tr(84, "Warning");
        case MessageKind::Error: return session.tr(85, "Error");
        case MessageKind::Information: return session.tr(86, "Information");
        case MessageKind::Confirmation: return session.tr(87, "Confirm");
    }
    return {};
}

std::string ButtonCaption(const Session& session, Button button) {
    switch (button) {
        case Button::Yes: return session.tr(75, "Yes");
        case Button::No: return session.tr(76, "No");
        case Button::Ok: return session.tr(77, "Ok");
        case Button::Cancel: return session.tr(78, "Cancel");
        case Button::Help: return session.tr(79, "Help");
        case Button::Abort: return session.tr(80, "Abort");
        case Button::Retry: return session.tr(81, "Retry");
        case Button::Ignore: return session.tr(82, "Ignore");
        case Button::All: return session.tr(83, "All");
    }
    return {};
}

MessageRequest MessageOf(Session& session, const std::string& text, MessageKind kind,
                         const std::vector<Button>& buttons, Button defaultButton) {
    MessageRequest request;
    request.kind = kind;
    request.title = KindTitle(session, kind);
    request.text = text;
    request.buttons = buttons;
    for (Button button : buttons) request.captions.push_back(ButtonCaption(session, button));
    request.default_button = defaultButton;
    return request;
}

}  // namespace

Button ShowMessageDialog(Session& session, const std::string& text, MessageKind kind,
                         const std::vector<Button>& buttons, Button defaultButton) {
    return session.ui.ShowMessage(MessageOf(session, text, kind, buttons, defaultButton));
}

void ShowWarning(Session& session, const std::string& text) {
    // The log keeps every warning in full, as the director saw it.
    session.AppendToLog("Warning: " + text);
    ShowMessageDialog(session, text, MessageKind::Warning, {Button::Ok}, Button::Ok);
}

void ShowInformation(Session& session, const std::string& text) {
    ShowMessageDialog(session, text, MessageKind::Information, {Button::Ok}, Button::Ok);
}

bool AskYesNo(Session& session, const std::string& text, Button defaultButton) {
    return ShowMessageDialog(session, text, MessageKind::Confirmation, {Button::Yes, Button::No}, defaultButton) ==
           Button::Yes;
}

bool OfferYesNo(Session& session, const std::string& text) {
    MessageRequest request = MessageOf(session, text, MessageKind::Confirmation, {Button::Yes, Button::No}, Button::Yes);
    request.offer = true;
    return session.ui.ShowMessage(request) == Button::Yes;
}

void Fail(Session& session, const std::string& logMessage, const std::string& shownMessage) {
    session.AppendToLog(logMessage);
    // A fatal error may end the program before the command's own flush.
    session.log.Flush();
    throw myException(shownMessage);
}

}  // namespace veltrun
