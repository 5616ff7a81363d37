// The desktop program: program folder, session, main window, event loop.
#include "gui/gui_main.h"

#include <QMessageBox>
#include <filesystem>

#include "gui/application.h"
#include "gui/error_handler.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui/qt_ui.h"
#include "gui/svg_pictures.h"
#include "store/error_text.h"
#include "store/session.h"
#include "store/settings.h"
#include "store/translation.h"

namespace veltrun::gui {

int RunGui(int argc, char** argv, const cli::GlobalOptions& options) {
    Application app(argc, argv);
    app.setWindowIcon(SvgIcon("veltrun"));
    std::filesystem::path folder;
    try {
        folder = ResolveProgramFolder(options.home, CurrentExecutablePath());
        InstallDefaults(folder, CurrentExecutablePath());
    } catch (const std::exception& e) {
        // Without a program folder there is no settings file and no language.
        QMessageBox::critical(nullptr, QStringLiteral("Veltrun"), Q(ErrorText(Translation{}, e)));
        return 1;
    }
    QtUi ui;
    Session session(ui, folder);
    MainWindow window(session, ui);
    app.on_error = [&session](const std::string& message) { ShowErrorBox(session, message); };
    app.describe_error = [&session](const std::exception& e) { return ErrorText(session, e); };
    window.Start(options.lang);
    window.show();
    const int code = app.exec();
    session.log.Flush();
    return code;
}

}  // namespace veltrun::gui
