// What the main window does while it is created, shared with the command line.
#include "app/startup.h"

#include "app/language_file.h"
#include "app/setting_warnings.h"
#include "store/session.h"

namespace veltrun {

void StartSession(Session& session) {
    session.ReloadSettings();
    LoadStartLanguage(session);
    // After the language, so the warnings are translated.
    WarnAboutSettings(session);
}

}  // namespace veltrun
