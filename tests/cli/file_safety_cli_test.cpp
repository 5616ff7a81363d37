// How files are opened, written and named, met as the director meets them: special files and links in the folder,
// write-protected files, report names from the settings, temporary files and signals, and old code pages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "store/ini_file.h"
#include "support/binary_run.h"
#include "support/cli_run.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using testing::BinaryProcess;
using testing::ReadBytes;
using testing::WriteBytes;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class FileSafety : public ::testing::Test {
protected:
    testing::TempFolder home, outside;

    void SetUp() override {
        ASSERT_EQ(Run({"new", "Cup", "--rounds", "3", "--colour", "W"}).code, 0);
        for (const char* name : {"Anna Alt", "Bert Berg", "Cleo Cruz", "Dora Dahl"})
            ASSERT_EQ(Run({"add-player", "Cup", "--name", name, "--elo", "2000"}).code, 0);
        ASSERT_EQ(Run({"pair", "Cup"}).code, 0);
    }
    testing::CliRun Run(std::vector<std::string> args) {
        args.insert(args.begin(), "--yes");
        return testing::RunCliIn(home, std::move(args));
    }
    fs::path Cup() const { return home.path() / "Tourn" / "Cup"; }
    // The id of the first game of round 1 that has no result yet.
    std::string OpenGame() const {
        std::string round = ReadBytes(Cup() / "round1.txt");
        auto at = round.find("|?-?|"), end = round.find('\r', at), start = round.rfind('|', end) + 1;
        return at == std::string::npos ? "" : round.substr(start, end - start);
    }
    void Set(const std::string& section, const std::string& key, const std::string& value) {
        IniWriteString(home.path() / "Veltrun.ini", section, key, value);
    }
    std::map<std::string, std::string> Snapshot() const { return testing::FolderFiles(Cup()); }
    static bool HasTemporary(const fs::path& folder) {
        for (const auto& entry : fs::directory_iterator(folder))
            if (Has(entry.path().filename().string(), ".tmp-")) return true;
        return false;
    }
};

// A pipe, a folder or a link where a file is read must neither hang nor be
// followed: a clear error naming the file, or for the log a warning.
TEST_F(FileSafety, SpecialFilesAndLinks) {
    WriteBytes(outside.path() / "bashrc", "");
    // The file is made a named pipe, or a link to a file outside.
    struct Case { std::string name, file; std::vector<std::string> args; int code; std::string message; };
    const std::string notRegular = "is not a regular file";
    const std::vector<Case> cases = {
        {"options.txt", "Tourn/Cup/options.txt", {"open", "Cup"}, 1, notRegular},
        {"players.txt", "Tourn/Cup/players.txt", {"players", "Cup"}, 1, notRegular},
        {"round file", "Tourn/Cup/round1.txt", {"games", "Cup"}, 1, notRegular},
        {"settings", "Veltrun.ini", {"info"}, 1, notRegular},
        {"language", "Language/Deutsch.txt", {"--lang", "Deutsch", "translate", "4"}, 1, notRegular},
        {"TRF", "in.trf", {"import-trf", (home.path() / "in.trf").string()}, 1, notRegular},
        {"XML list", "in.xml", {"convert-ratings", (home.path() / "in.xml").string()}, 1, notRegular},
        {"Elo/list.xml", "Elo/list.xml", {"--yes", "convert-ratings"}, 1, notRegular},
        {"log as a pipe", "Tourn/Cup/tournlog.log", {"open", "Cup"}, 0, "nothing is written to the log"},
        {"log as a link", "Tourn/Cup/tournlog.log", {"result", "Cup", OpenGame(), "1-0"}, 0,
         "nothing is written to the log"},
    };
    fs::create_directories(home.path() / "Elo");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto saved = Snapshot();
        std::string settings = ReadBytes(home.path() / "Veltrun.ini");
        fs::path special = home.path() / c.file;
        fs::remove(special);
        if (Has(c.name, "link")) fs::create_symlink(outside.path() / "bashrc", special);
        else mkfifo(special.c_str(), 0644);
        auto run = BinaryProcess(home.path(), c.args).Wait(std::chrono::seconds(20));
        EXPECT_FALSE(run.hung);
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_TRUE(Has(run.err, special.string()) && Has(run.err, c.message)) << run.err;
        fs::remove(special);
        for (const auto& [name, bytes] : saved) WriteBytes(Cup() / name, bytes);
        WriteBytes(home.path() / "Veltrun.ini", settings);
    }
    EXPECT_EQ(ReadBytes(outside.path() / "bashrc"), "");
}

// A file the director write-protected is refused by name and left alone.
TEST_F(FileSafety, ReadOnlyTargets) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"round1.txt", {"result", "Cup", OpenGame(), "1-0"}},
        {"players.txt", {"add-player", "Cup", "--name", "Emil Ernst", "--elo", "1900"}},
        {"players.txt", {"delete-player", "Cup", "AAnna"}},
    };
    for (const auto& [file, args] : cases) {
        SCOPED_TRACE(file + " " + args[0]);
        fs::permissions(Cup() / file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        auto before = Snapshot();
        auto run = Run(args);
        EXPECT_EQ(run.code, 1);
        EXPECT_TRUE(Has(run.err, (Cup() / file).string()) && Has(run.err, "write-protected")) << run.err;
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(fs::status(Cup() / file).permissions() & fs::perms::owner_write, fs::perms::none);
        fs::permissions(Cup() / file, fs::perms::owner_write, fs::perm_options::add);
    }
    EXPECT_FALSE(HasTemporary(Cup()));
}

// A report name from the settings is a plain name in the folder and none of
// the tournament's own files; anything else names the setting.
TEST_F(FileSafety, ReportNamesFromSettings) {
    struct Case { std::map<std::string, std::string> settings; std::vector<std::string> args; std::string setting; };
    const std::vector<Case> cases = {
        {{{"HtmlSuffix", "txt"}}, {"round-report", "Cup", "1"}, "[Reports] RoundListName, HtmlSuffix"},
        {{{"HtmlSuffix", "txt"}, {"StartListName", "players"}}, {"start-list", "Cup"}, "[Reports] StartListName, HtmlSuffix"},
        {{{"HtmlSuffix", "txt"}, {"StandingsListName", "options"}}, {"standings", "Cup"}, "[Reports] StandingsListName"},
        {{{"HtmlSuffix", "log"}, {"StartListName", "tournlog"}}, {"start-list", "Cup"}, "[Reports] StartListName"},
        {{{"HtmlSuffix", "txt"}, {"RoundListName", "bak_round"}}, {"round-report", "Cup", "1"}, "[Reports] RoundListName"},
        {{{"HtmlSuffix", "trf"}, {"StartListName", "tournament"}}, {"start-list", "Cup"}, "[Reports] StartListName"},
        {{{"TeamReport_ShortFileName", "javafo_out.txt"}}, {"team-report", "Cup"}, "[Reports] TeamReport_ShortFileName"},
        {{{"StartListName", "../escaped"}}, {"start-list", "Cup"}, "[Reports] StartListName"},
        {{{"StartListName", "OUTSIDE"}}, {"start-list", "Cup"}, "[Reports] StartListName"},
        {{{"StartListName", ""}}, {"start-list", "Cup"}, "No file name is set for this report in the [Reports] section"},
        {{{"HtmlSuffix", "html/../../x"}}, {"start-list", "Cup"}, "[Reports] HtmlSuffix"},
    };
    while (!OpenGame().empty()) ASSERT_EQ(Run({"result", "Cup", OpenGame(), "1-0"}).code, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.setting);
        fs::copy_file(home.path() / "Veltrun.ini", home.path() / "saved.ini", fs::copy_options::overwrite_existing);
        for (auto [key, value] : c.settings) Set("Reports", key, value == "OUTSIDE" ? (outside.path() / "x").string() : value);
        auto before = Snapshot();
        auto run = Run(c.args);
        EXPECT_EQ(run.code, 1);
        EXPECT_TRUE(Has(run.err, c.setting)) << run.err;
        EXPECT_EQ(Snapshot(), before);
        fs::rename(home.path() / "saved.ini", home.path() / "Veltrun.ini");
    }
    EXPECT_TRUE(fs::is_empty(outside.path()));
    EXPECT_FALSE(fs::exists(Cup().parent_path() / "escaped.html"));
    EXPECT_EQ(Run({"open", "Cup"}).code, 0);
}

// Temporary files go with the process that made them: on SIGINT, SIGTERM and SIGHUP at once, after a crash at the
// next opening; a file-size limit is a write error, not the end of the program.
TEST_F(FileSafety, TemporaryFilesAndSignals) {
    pid_t dead = fork();
    if (dead == 0) _exit(0);
    waitpid(dead, nullptr, 0);
    const std::string stale = ".round1.txt.tmp-" + std::to_string(dead);
    const std::vector<std::string> kept = {".players.txt.tmp-" + std::to_string(getpid()), ".notes.tmp-x1",
                                           "round2.txt.tmp-" + std::to_string(dead)};
    for (const auto& name : kept) WriteBytes(Cup() / name, "x");
    WriteBytes(Cup() / stale, "half a round");
    EXPECT_EQ(BinaryProcess(home.path(), {"open", "Cup"}).Wait().code, 0);
    EXPECT_FALSE(fs::exists(Cup() / stale));
    for (const auto& name : kept) EXPECT_TRUE(fs::remove(Cup() / name)) << name;

    // A list big enough that the conversion is still writing when the signal comes.
    std::string xml = "<?xml version=\"1.0\"?>\n<playerslist>\n";
    for (int i = 1; i <= 150000; ++i)
        xml += "<player><fideid>" + std::to_string(i) + "</fideid><name>Player, Number" + std::to_string(i) +
               "</name><country>CZE</country><rating>2000</rating></player>\n";
    xml += "</playerslist>\n";
    WriteBytes(home.path() / "big.xml", xml);
    fs::create_directories(home.path() / "Elo");
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal_number);
        BinaryProcess convert(home.path(), {"convert-ratings", (home.path() / "big.xml").string()});
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!HasTemporary(home.path() / "Elo") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        ASSERT_TRUE(HasTemporary(home.path() / "Elo"));
        kill(convert.Pid(), signal_number);
        auto run = convert.Wait();
        EXPECT_EQ(run.signal, signal_number) << run.err;
        EXPECT_FALSE(HasTemporary(home.path() / "Elo"));
        EXPECT_FALSE(fs::exists(home.path() / "Elo" / "elo.txt"));
    }

    // The log is far longer than the limit, the round file well under it.
    WriteBytes(Cup() / "tournlog.log", std::string(20000, 'x') + "\r\n");
    auto before = Snapshot();
    auto run = BinaryProcess(home.path(), {"result", "Cup", OpenGame(), "1-0"}, 4096).Wait();
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(Has(ReadBytes(Cup() / "round1.txt"), "|1-0|")) << ReadBytes(Cup() / "round1.txt");
    EXPECT_EQ(Snapshot().size(), before.size());
    EXPECT_EQ(Run({"open", "Cup"}).code, 0);
}

// Lines that are not UTF-8 are read in the code page of the settings, with
// one warning per file naming it and the code page.
TEST_F(FileSafety, CodePagesOfOldFiles) {
    // The setting (empty keeps the shipped default), a player's name in that
    // code page, the name as Veltrun must show it, the warning.
    struct Case { std::string codePage, bytes, name, warning; };
    const std::vector<Case> cases = {
        {"windows-1252", "Mu\xF1oz Ren\xE9" "e", "Muñoz Renée", "read in the code page windows-1252"},
        {"windows-1252", "M\xFCller \xC8ve", "Müller Ève", "read in the code page windows-1252"},
        {"", "Dvo\xF8\xE1k \x8A" "af\xE1\xF8", "Dvořák Šafář", "read in the code page windows-1250"},
        {"ISO-8859-2", "\xA3ukasz \xA9imek", "Łukasz Šimek", "read in the code page ISO-8859-2"},
        {"klingon-42", "Dvo\xF8\xE1k", "Dvořák", "[Options] NonUtf8CodePage=\"klingon-42\" is not a single-byte"},
        {"UTF-16", "Dvo\xF8\xE1k", "Dvořák", "[Options] NonUtf8CodePage=\"UTF-16\" is not a single-byte"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Set("Options", "NonUtf8CodePage", c.codePage);
        ASSERT_EQ(Run({"new", "Old", "--rounds", "3"}).code, 0);
        WriteBytes(home.path() / "Tourn" / "Old" / "players.txt", "1|AOld|" + c.bytes + "|2000|||\r\n");
        auto run = Run({"players", "Old"});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_TRUE(Has(run.out, c.name)) << run.out;
        EXPECT_TRUE(Has(run.err, c.warning)) << run.err;
        const std::string once = "holds lines that are not UTF-8";
        EXPECT_EQ(run.err.find(once), run.err.rfind(once)) << run.err;
        fs::remove_all(home.path() / "Tourn" / "Old");
    }
    // A language file of an older tool, in Western Europe.
    Set("Options", "NonUtf8CodePage", "windows-1252");
    WriteBytes(home.path() / "Language" / "Francais.txt", "4|Probl\xE8me\r\n");
    auto run = Run({"--lang", "Francais.txt", "translate", "4"});
    EXPECT_EQ(run.out, "Problème\n");
    EXPECT_TRUE(Has(run.err, "Francais.txt\" holds lines that are not UTF-8")) << run.err;
}

}  // namespace
}  // namespace veltrun
