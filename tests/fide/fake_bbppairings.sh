#!/bin/sh
# Stands in for bbpPairings: refuses a round-1 file without XXC, an absent player without "240 Z", and a
# score the results do not give under BBW/BBD/BBU. FAKE_MODE=none: no pairing (exit 1, empty answer).
{ [ "$1" = --dutch ] || [ "$1" = --burstein ]; } && [ "$3" = -p ] && [ "$#" -eq 4 ] || { echo "usage: $*" >&2; exit 2; }
[ -z "$FAKE_SEEN" ] || cp "$2" "$FAKE_SEEN"
problem=$(tr -d '\r' <"$2" | awk 'BEGIN { w = 1; d = 0.5; u = -1 }
  /^BBW/ { w = substr($0, 5) + 0 } /^BBD/ { d = substr($0, 5) + 0 } /^BBU/ { u = substr($0, 5) + 0 }
  /^XXC (white|black)1$/ { xxc = 1 } /^XXZ/ { absent[substr($0, 5) + 0] = 1 }
  /^240 Z/ { z[(substr($0, 7, 3) + 0) " " (substr($0, 11, 4) + 0)] = 1 }
  /^001/ { line[++n] = $0; if (length($0) > 91) rounds = int((length($0) - 82) / 10) }
  END { if (u < 0) u = w
    if (rounds == 0 && !xxc) { print "round 1 needs XXC"; exit }
    for (s in absent) { key = (rounds + 1) " " s; if (!(key in z)) { print "player " s " is absent without 240 Z"; exit } }
    for (i = 1; i <= n; ++i) {
      score = 0; for (k = 99; k <= length(line[i]); k += 10) { r = substr(line[i], k, 1); score += r ~ /[1+]/ ? w : r == "=" ? d : r == "U" ? u : 0 }
      if ((score - substr(line[i], 81, 4)) ^ 2 > 0.0001) { print "score of player " (substr(line[i], 5, 4) + 0) " does not match the results"; exit }
    } }') || { echo "the stand-in itself failed" >&2; exit 4; }
[ -z "$problem" ] || { echo "$problem" >&2; exit 3; }
[ "$FAKE_MODE" != none ] || { : >"$4"; echo "No valid pairing exists" >&2; exit 1; }
cp "$FAKE_ANSWER" "$4"
