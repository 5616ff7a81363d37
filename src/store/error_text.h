#pragma once
// Turns any error that ends a command into a message of ours: a file-system or
// system error names its file in our words, never in the library's raw text.
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

namespace veltrun {

class Session;
struct Translation;

// "The file or folder "X" could not be used: Permission denied."
std::string FileErrorText(const Session& session, const std::filesystem::path& file, const std::error_code& error);
// The translated message of an error: our own errors as they are, the
// library's translated and naming their file. The Translation form serves
// where no session exists yet (the program folder itself failed).
std::string ErrorText(const Translation& translation, const std::exception& error);
std::string ErrorText(const Session& session, const std::exception& error);
// The same for whatever is being handled in a catch block.
std::string CurrentErrorText(const Session& session);

}  // namespace veltrun
