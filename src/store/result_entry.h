#pragma once
// Result entry: the games of the current round still without a result, the
// checks of the result dialog's fields, and saving one result into its round
// file and into the model.
#include <string>
#include <string_view>
#include <vector>

#include "store/round_file.h"

namespace veltrun {

class Session;
struct Tournament;

// The games offered for entry: those of the current round with "?-?"
// (empty when no round is paired yet).
GameList GamesToEnter(const Session& session, const Tournament& t);

// One entry of the game list of the result dialog.
struct ResultGameItem {
    std::string Label;  // "[5] Alpha Ann - Beta Bob"
    std::string GameId;
    int Round = 0;
    int K = 0;
    // The dialog's item text: label, four blanks, "|" + game id + "|" + round + "|".
    std::string Text() const;
};
// FillGameList: the items for the games of the list; a side without a player
// shows its alias.
std::vector<ResultGameItem> FillGameList(const Tournament& t, const GameList& games);
// The result choices: "?-?" and then the valid result codes.
std::vector<std::string> ResultChoices(const Tournament& t);

// What the director filled into the result dialog.
struct ResultFields {
    std::string GameId;
    int Round = 0;
    std::string ResultCode;  // one of ResultChoices
    std::string GoalsWhite;  // Goals tournaments only
    std::string GoalsBlack;
};
// The dialog's checks; returns the goals text ("3:1", "0:0" in chess).
// Throws FieldError naming E_GOALS1, E_GOALS2 or CB_RESULT.
std::string CheckResultFields(const Session& session, const Tournament& t, const ResultFields& fields);
// Checks the fields, rewrites the game's line and applies the game to the
// open tournament. Nothing is written when a check fails.
void SaveResult(Session& session, const ResultFields& fields);
// Replaces the line of one game in round{round}.txt; every other line stays.
void RewriteResultLine(Session& session, const Tournament& t, std::string_view gameId, std::string_view resultCode,
                       std::string_view goalsText, int round);

// A typed result code as the round files read it: "1K-0K" -> "1k-0k", "0,5-0,5" -> "0.5-0.5".
std::string NormaliseResultCode(std::string_view code);

}  // namespace veltrun
