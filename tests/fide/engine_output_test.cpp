// The engine's answer is untrusted: every way it can be wrong is refused
// with the file and line named; a sound answer gives the pairs in order.
#include <gtest/gtest.h>

#include "fide/engine_output.h"
#include "fide_fixture.h"

namespace veltrun {
namespace {

using namespace veltrun::testing;

class EngineOutputTest : public FideFixture {
protected:
    fs::path folder;
    void SetUp() override {
        FideFixture::SetUp();
        folder = WriteSmallTournament("Open 2024", 5);
        Open(folder);  // start numbers 1 to 4 active, 5 suspended
    }
    std::string Outcome(const std::string& content) {
        fs::path file = folder / "out.txt";
        WriteBytes(file, content);
        std::string pairs, error = ErrorOf([&] {
            for (const EnginePair& p : ReadEngineOutput(session, file))
                pairs += std::to_string(p.white) + "-" + std::to_string(p.black) + " ";
        });
        return error.empty() ? pairs : error;
    }
};

TEST_F(EngineOutputTest, SoundAnswersGiveThePairsAndEveryWrongOneIsRefused) {
    WriteTextLines(folder / "forbidden.txt", {"A1 A3 A5"});
    Open(folder);
    const std::string head = "Output of the pairing engine (out.txt)", notTwo = "does not hold two starting numbers.";
    auto at = [&head](int line, const std::string& text, const std::string& what) {
        return head + ", line " + std::to_string(line) + ": \"" + text + "\" " + what;
    };
    const struct { std::string content, message; } cases[] = {
        {"2\n1 4\n3 2\n", "1-4 3-2 "}, {"anything at all\r\n\r\n  4 1 \r\n2\t3\r\n\r\n", "4-1 2-3 "},
        {"", head + " is empty."}, {" \n\n", head + " is empty."}, {"2\n1 4\n", head + ": These players were not paired: 2, 3."},
        {"2\n1 4\n3 x\n", at(3, "3 x", notTwo)}, {"2\n1 4 2 3\n", at(2, "1 4 2 3", notTwo)}, {"2\n1 4\n3 -2\n", at(3, "3 -2", notTwo)},
        {"2\n0 0\n", at(2, "0 0", notTwo)}, {"2\n1 99999999999\n", at(2, "1 99999999999", notTwo)},
        {"2\n1 4\n3 9\n", at(3, "3 9", "names a starting number outside the field.")},
        {"2\n1 4\n3 1\n", at(3, "3 1", "pairs a player a second time.")}, {"2\n2 2\n", at(2, "2 2", "pairs a player a second time.")},
        {"2\n1 4\n2 5\n3 0\n", at(3, "2 5", "pairs a player who is absent from this round.")},
        {"2\n1 4\n2 0\n0 3\n", at(4, "0 3", "gives a second bye.")},
        {"2\n2 4\n3 1\n", at(3, "3 1", "pairs two players of a forbidden group.")},
    };
    for (const auto& c : cases) EXPECT_EQ(Outcome(c.content), c.message) << c.content;
    EXPECT_TRUE(Logged("Fatal error. Output of the pairing engine"));
}

}  // namespace
}  // namespace veltrun
