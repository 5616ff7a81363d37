#pragma once
// What the application-wide error handler does for one command: an error the
// command raises ends it and is shown in an error box.
#include <functional>

namespace veltrun {

class Session;

// Runs action; returns false after showing its error (myException or any
// other run-time error) through the UI seam.
bool CatchAndShowError(Session& session, const std::function<void()>& action);

}  // namespace veltrun
