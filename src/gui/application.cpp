#include "gui/application.h"

#include <exception>

namespace veltrun::gui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Veltrun"));
    setApplicationDisplayName(QStringLiteral("Veltrun"));
    setApplicationVersion(QStringLiteral(VELTRUN_VERSION));
    setDesktopFileName(QStringLiteral("veltrun"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    std::string message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        message = describe_error ? describe_error(e) : e.what();
    } catch (...) {
        message = "Unknown error.";
    }
    if (on_error) on_error(message);
    return false;
}

}  // namespace veltrun::gui
