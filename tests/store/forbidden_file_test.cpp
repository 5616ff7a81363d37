// forbidden.txt as a director meets it: written by the program, edited by
// hand in any editor, or damaged; a bad file stops the opening, names its
// line and leaves every file as it was.
#include <gtest/gtest.h>

#include "store/errors.h"
#include "store/open_tournament.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

using testing::ReadBytes;
using testing::StoreFixture;
using testing::WriteBytes;
namespace fs = std::filesystem;

std::string GroupsText(const Tournament& t) {
    std::string text;
    for (const auto& group : t.ForbiddenGroups) {
        for (const auto& alias : group) text += alias + " ";
        text += "/";
    }
    return text;
}

TEST(ForbiddenFile, GoodDamagedAndHandEditedFiles) {
    struct Case {
        const char* what;
        std::string bytes;   // "<none>", "<link>" (to players.txt) and "<dir>" stand for no file
        std::string groups;  // expected groups, or the part of the error
        bool fails = false;
    };
    const std::vector<Case> cases{
        {"missing", "<none>", ""},
        {"as written", "# Players who must not meet\r\nA1 B2\r\nC3 Žó4 A1\r\n", "A1 B2 /C3 Žó4 A1 /"},
        {"hand-edited", "\xEF\xBB\xBF# kids\n\n  B2\t A1   \nC3 C3 B2\n   # end", "B2 A1 /C3 B2 /"},
        {"cp1250 line", "A1 \x8E\xF3" "4\r\n", "A1 Žó4 /"},
        {"unknown alias", "A1 B2\r\nA1 Q9\r\n", "A forbidden group names a player who is not in the tournament (Q9) (in file", true},
        {"case differs", "a1 B2\r\n", "(a1) (in file", true},
        {"one alias", "A1 B2\r\n\r\nC3\r\n", "needs at least two different players (in file", true},
        {"alias twice", "B2 B2\r\n", ", line 1).", true},
        {"a link", "<link>", "is not a plain file of a sane size.", true},
        {"a folder", "<dir>", "is not a plain file of a sane size.", true},
        {"huge", std::string(5 * 1024 * 1024, '#'), "is not a plain file of a sane size.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreFixture f;
        auto folder = f.Folder();
        StoreFixture::WriteOptions(folder, 3);
        // Out of rating order: a successful opening rewrites players.txt, a failed one must not.
        std::string players = "1|C3|Cid|1000|||\n1|A1|Ann|2000|||\n1|B2|Ben|1500|||\n1|Žó4|Zoe|900|||\n";
        WriteBytes(folder / "players.txt", players);
        auto file = folder / "forbidden.txt";
        if (c.bytes == "<link>")
            fs::create_symlink(folder / "players.txt", file);
        else if (c.bytes == "<dir>")
            fs::create_directory(file);
        else if (c.bytes != "<none>")
            WriteBytes(file, c.bytes);
        try {
            OpenTournament(f.session, folder);
            EXPECT_FALSE(c.fails);
            EXPECT_EQ(GroupsText(f.session.tournament), c.groups);
        } catch (const myException& e) {
            EXPECT_TRUE(c.fails) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.groups), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
            EXPECT_EQ(ReadBytes(folder / "players.txt"), players);
            EXPECT_FALSE(f.session.HasTournament());
        }
    }
}

}  // namespace
}  // namespace veltrun
