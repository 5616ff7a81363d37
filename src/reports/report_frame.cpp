#include "reports/report_frame.h"

#include <system_error>

#include "reports/html_text.h"
#include "store/errors.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/tournament_file_names.h"

namespace veltrun {

std::string ReportCharset(const Translation& translation, const Settings& settings) {
    std::string charset = Trim(translation.HtmlCharset);
    if (charset.empty()) charset = Trim(settings.HtmlCharset);
    return charset.empty() ? "utf-8" : charset;
}

std::vector<std::string> PageHead(const std::string& charset) {
    return {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
            "<HTML>",
            "<HEAD>",
            "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; CHARSET=" + HtmlEscape(charset) + "\">",
            "<STYLE TYPE=\"Text/CSS\">",
            "<!--",
            ".blck{border:1px black solid;}",
            "-->",
            "</STYLE>",
            "<TITLE></TITLE>",
            "</HEAD>",
            "<BODY>"};
}

std::vector<std::string> PageFoot() { return {"</BODY>", "</HTML>"}; }

std::filesystem::path ReportFile(const Session& session, const std::string& fileName, const std::string& settingName) {
    // An empty name would make the folder itself the report.
    if (Trim(fileName).empty() || Trim(fileName) == ".")
        throw myException(session.tr(261, "No file name is set for this report in the [Reports] section of the file") +
                          " " + session.SettingsFile().string() + ".");
    std::string head = session.tr(290, "The file name") + " \"" + fileName + "\" (" + settingName + ") ";
    // A hidden name could be taken for a temporary file of ours and removed.
    if (!IsPlainFileName(fileName) || fileName.front() == '.')
        throw myException(head +
                          session.tr(291, "in the settings file must be a plain file name inside the tournament folder."));
    if (IsReservedForReports(session.settings, fileName))
        throw myException(head + session.tr(292, "in the settings file would overwrite a file of the tournament."));
    return std::filesystem::path(session.tournament.TournamentFolder) / fileName;
}

std::filesystem::path ReportPath(const Session& session, const std::string& baseName, const std::string& baseKey) {
    const std::string& suffix = session.settings.HtmlSuffix;
    if (Trim(suffix).empty() || Trim(baseName).empty()) return ReportFile(session, "", "[Reports] " + baseKey);
    if (!IsPlainFileName(suffix)) return ReportFile(session, suffix, "[Reports] HtmlSuffix");
    return ReportFile(session, baseName + "." + suffix, "[Reports] " + baseKey + ", HtmlSuffix");
}

namespace {

std::string JoinPage(const std::string& charset, const std::vector<std::string>& body) {
    std::string page;
    auto add = [&page](const std::string& line) {
        page += line;
        page += "\r\n";
    };
    for (const auto& line : PageHead(charset)) add(line);
    for (const auto& line : body) add(line);
    for (const auto& line : PageFoot()) add(line);
    return page;
}

}  // namespace

void WriteReportFile(Session& session, const std::filesystem::path& path, const std::vector<std::string>& body) {
    std::string charset = ReportCharset(session.translation, session.settings);
    std::string bytes;
    if (!EncodeForCharset(JoinPage(charset, body), charset, bytes)) {
        session.AppendToLog("Unknown HTML character set (" + charset + "); report " + path.string() +
                            " is written in utf-8.");
        charset = "utf-8";
        EncodeForCharset(JoinPage(charset, body), charset, bytes);
    }
    WriteFileAtomically(path, bytes);
    session.AppendToLog("Report " + path.string() + " was written.");
}

void OpenReportInBrowser(Session& session, const std::filesystem::path& report) {
    const std::string exePath = session.settings.Read("WebBrowser", "ExePath");
    if (Trim(exePath).empty()) {
        session.ui.OpenReport(report, "");
        return;
    }
    std::error_code ec;
    if (std::filesystem::is_regular_file(exePath, ec)) {
        session.ui.OpenReport(report, exePath);
        return;
    }
    // Line breaks are the platform's "\n".
    const std::string text = session.tr(129, "Could not find web browser") + ": " + "\n" + exePath + "\n\n" +
                             session.tr(130, "Correct the \"ExePath\" entry in the [WebBrowser] section of the file") +
                             " " + "\n" + session.SettingsFile().string() + "\n" +
                             session.tr(131, "and then try again.") + "\n\n" +
                             session.tr(132, "Or you can view the report by opening the file") + " " + "\n" +
                             report.string();
    ShowWarning(session, text);
}

ResultChars ResultCharsOf(const Settings& settings) {
    return {settings.EnhancedCharsAreUsed, settings.EnhancedCharForDraw, settings.EnhancedCharForWhiteColor,
            settings.EnhancedCharForBlackColor};
}

std::string SuspendedMark(std::string_view onOffText) { return onOffText == "0" ? "*" : ""; }

}  // namespace veltrun
