#pragma once
// What every report shares: the page head and foot, the table style, the
// report file names, writing the file and opening it in the browser.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veltrun {

class Session;
struct Settings;
struct Translation;

inline constexpr std::string_view TableOpening = "<TABLE cellspacing=0 cellpadding=0  BORDER=1 CLASS=\"blck\">";

// The character set a report is written in: the language's HtmlCharset,
// "utf-8" when none is set.
std::string ReportCharset(const Translation& translation, const Settings& settings);
std::vector<std::string> PageHead(const std::string& charset);
std::vector<std::string> PageFoot();

// A report file in the tournament folder, named by the setting settingName
// ("[Section] Key"). Throws myException naming the settings file when the name
// is empty, and naming the setting when it is no plain file name or would hit
// a file of the tournament (its data, log, TRF or engine files).
std::filesystem::path ReportFile(const Session& session, const std::string& fileName, const std::string& settingName);
// baseName (from the [Reports] key baseKey) + "." + HtmlSuffix in the tournament folder.
std::filesystem::path ReportPath(const Session& session, const std::string& baseName, const std::string& baseKey);

// Writes head, body and foot in the report's character set, CR LF line ends,
// to a temporary file that is renamed over the report. An unknown character
// set is logged and the page is written (and declared) as utf-8.
void WriteReportFile(Session& session, const std::filesystem::path& path, const std::vector<std::string>& body);

// Opens a written report: in the desktop's default viewer when [WebBrowser]
// ExePath is empty, in that program when it exists, otherwise a warning
// naming both paths.
void OpenReportInBrowser(Session& session, const std::filesystem::path& report);

// The [Reports] characters that may stand for a draw and the two colours.
struct ResultChars {
    bool used = false;
    std::string draw, white, black;
};
ResultChars ResultCharsOf(const Settings& settings);

// "*" for a suspended player's on/off text "0".
std::string SuspendedMark(std::string_view onOffText);

}  // namespace veltrun
