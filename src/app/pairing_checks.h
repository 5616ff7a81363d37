#pragma once
// Whether the next round may be paired: the checks of the Pairing button in
// their order, each refusal shown to the director.
namespace veltrun {

class Session;

enum class PairingMode { Pair, DryRun };

// False after the refusal was shown. Pair asks before round 1 and opens the
// tournament again on Yes; DryRun neither asks nor writes, the log included.
// A round file that names a player twice is an error (myException).
bool MayPairNextRound(Session& session, PairingMode mode);

}  // namespace veltrun
