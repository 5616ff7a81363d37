#include "app/show_errors.h"

#include <exception>

#include "store/session.h"

namespace veltrun {

bool CatchAndShowError(Session& session, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        session.log.Flush();
        ShowMessageDialog(session, e.what(), MessageKind::Error, {Button::Ok}, Button::Ok);
        return false;
    }
}

}  // namespace veltrun
