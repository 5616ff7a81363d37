#include "app/show_errors.h"

#include <exception>

#include "store/error_text.h"
#include "store/session.h"

namespace veltrun {

bool CatchAndShowError(Session& session, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        session.log.Flush();
        ShowMessageDialog(session, ErrorText(session, e), MessageKind::Error, {Button::Ok}, Button::Ok);
        return false;
    }
}

}  // namespace veltrun
