#pragma once
// The desktop program lives in a module of its own (veltrun-window.so), which
// the program loads only to open the window, so that its commands start
// without loading Qt. This is the module's one entry.

extern "C" {
// Opens the window; argc and argv as main's, global options included.
__attribute__((visibility("default"))) int veltrun_run_window(int argc, char** argv);
}

namespace veltrun {
using WindowEntry = int (*)(int argc, char** argv);
inline constexpr const char* kWindowEntry = "veltrun_run_window";
}  // namespace veltrun
