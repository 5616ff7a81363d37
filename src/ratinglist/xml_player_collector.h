#pragma once
// Turns the element events of FIDE's players list into lines of elo.txt. Both
// XML readers feed it, so they cannot disagree about what a player is.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "ratinglist/player_tags.h"
#include "store/file_limits.h"

namespace veltrun {

class XmlPlayerCollector {
public:
    // Receives each finished elo.txt line (without line end).
    using LineSink = std::function<void(std::string_view line)>;

    explicit XmlPlayerCollector(LineSink sink);

    void StartElement(std::string_view name);
    void EndElement();
    // Character data; may arrive in pieces.
    void Text(std::string_view text);

    long long PlayersWritten() const { return written_; }
    long long PlayersCut() const { return cut_players_; }

private:
    void StoreCapturedField();
    void WritePlayer();

    LineSink sink_;
    std::array<std::string, player_field::FieldCount> fields_;
    std::string captured_;
    std::string line_;
    int depth_ = 0;
    int player_depth_ = 0;   // depth of the open player element, 0 outside one
    int capture_depth_ = 0;  // depth of the open field element, 0 when none
    int capture_field_ = 0;
    long long written_ = 0;
    bool cut_ = false;  // a field of the open player was cut
    long long cut_players_ = 0;
};

// A value as elo.txt holds it: layout white space folded to one blank and
// trimmed, control characters and "|" dropped (and "," in names).
void AppendCleanValue(std::string_view value, bool dropCommas, std::string& out);
// The same, cut to the length the field may have anywhere (file_limits.h);
// true when something was cut.
bool AppendFieldValue(std::string_view value, int field, std::string& out);
// The most characters a field of elo.txt keeps (asked for every value of a list of millions).
inline int FieldChars(int field) { return field == player_field::Name ? MaxNameChars : MaxIdChars; }

}  // namespace veltrun
