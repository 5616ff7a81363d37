#pragma once
// Warnings about values of Veltrun.ini that were outside their range or form.

namespace veltrun {

class Session;
struct SettingProblem;

// One warning per value the settings reader replaced by its default, naming
// the section, the key, the value, what is allowed and what is used instead.
void WarnAboutSettings(Session& session);
// The same warning for one value found later (the keys read when used).
void WarnAboutSetting(Session& session, const SettingProblem& problem);

}  // namespace veltrun
