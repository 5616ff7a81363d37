#pragma once
// Finds and loads the window module: beside the program (a build tree) or in
// lib/veltrun beside its bin folder (an installation).
#include <filesystem>
#include <string>

#include "window_module.h"

namespace veltrun {

struct WindowLoad {
    WindowEntry entry = nullptr;  // null when the module could not be loaded
    std::string error;            // then why: each file tried, with the loader's words
};

// The module stays loaded for the rest of the process: Qt's exit handlers live in it.
WindowLoad LoadWindowModule(const std::filesystem::path& executable);

}  // namespace veltrun
