#include "gui/error_handler.h"

#include <exception>
#include <string>

#include "store/session.h"

namespace veltrun::gui {

void ShowErrorBox(Session& session, const std::string& message) {
    ShowMessageDialog(session, message, MessageKind::Error, {Button::Ok}, Button::Ok);
}

bool GuardedCall(Session& session, const std::function<void()>& work) {
    std::string message;
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Unknown error.";
    }
    // Whatever the command logged before it failed belongs in the log.
    session.log.Flush();
    ShowErrorBox(session, message);
    return false;
}

}  // namespace veltrun::gui
