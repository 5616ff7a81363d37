#pragma once
#include <filesystem>
#include <string>

namespace veltrun {

class Session;

// What the main window does while it is created: settings and language.
// Runs the same way for the CLI.
void StartSession(Session& session);

}  // namespace veltrun
