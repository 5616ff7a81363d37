#pragma once
// The application object: the last line of the error handler, for an
// exception that escapes an event handler no command wrapped.
#include <QApplication>
#include <exception>
#include <functional>
#include <string>

namespace veltrun::gui {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    std::function<void(const std::string&)> on_error;
    // The message of an escaped error, in our words (set once a session exists).
    std::function<std::string(const std::exception&)> describe_error;
};

}  // namespace veltrun::gui
