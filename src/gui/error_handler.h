#pragma once
// Every error a command raises and does not handle itself ends the command
// and is shown in one error box; the windows stay usable.
#include <functional>
#include <string>

class QWidget;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

// Runs work; an exception becomes the error box. True when work ran through.
bool GuardedCall(Session& session, const std::function<void()>& work);
// The same for a dialog's button: a refused field (FieldError) gets the focus
// in dialog before its message is shown.
bool GuardedFieldCall(Session& session, QWidget* dialog, const std::function<void()>& work);
// The error box for a message that is already translated.
void ShowErrorBox(Session& session, const std::string& message);

}  // namespace veltrun::gui
