#include "gui/error_handler.h"

#include <QWidget>
#include <exception>

#include "gui/qt_text.h"
#include "store/error_text.h"
#include "store/field_error.h"
#include "store/session.h"

namespace veltrun::gui {

void ShowErrorBox(Session& session, const std::string& message) {
    ShowMessageDialog(session, message, MessageKind::Error, {Button::Ok}, Button::Ok);
}

bool GuardedFieldCall(Session& session, QWidget* dialog, const std::function<void()>& work) {
    std::string message;
    try {
        work();
        return true;
    } catch (const FieldError& e) {
        if (QWidget* field = dialog ? dialog->findChild<QWidget*>(Q(e.Field())) : nullptr) field->setFocus();
        message = e.what();
    } catch (...) {
        message = CurrentErrorText(session);
    }
    // Whatever the command logged before it failed belongs in the log.
    session.log.Flush();
    ShowErrorBox(session, message);
    return false;
}

bool GuardedCall(Session& session, const std::function<void()>& work) {
    return GuardedFieldCall(session, nullptr, work);
}

}  // namespace veltrun::gui
