#pragma once
// How numbers appear in reports. Every text uses "." as decimal separator,
// whatever the locale, so reports and --print output are the same everywhere.
#include <string>

namespace veltrun {

struct Tournament;

// Shortest text with up to 15 significant digits: 4.5, 9, 2.25.
std::string DefaultNumberText(double value);
// Exactly `decimals` decimals; a half is rounded away from zero (2000.5 with
// none gives 2001, -0.25 with one gives -0.3), judged on the number's
// shortest decimal form, so 1.005 with two decimals gives 1.01.
std::string FixedText(double value, int decimals);
// Points as the standings show them: the default text under "3-1-0", one
// decimal otherwise.
std::string PointsText(const Tournament& t, double points);

}  // namespace veltrun
