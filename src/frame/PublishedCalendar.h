#pragma once

#include "platform/Date.h"
#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"

#include <filesystem>

namespace rotaplan {

// The folder, a synced one the crew's phones subscribe to, where every team's calendar is
// kept current: one per program folder, in Qt's settings of the user; empty when there is none.
std::filesystem::path PublishedFolder(const CrewdeskVariables& v);
void SetPublishedFolder(const CrewdeskVariables& v, const std::filesystem::path& folder);

// Rewrites each team's calendar in the published folder, one .ics named after the team: the
// next sixty days from today and the calls taken off in them.
void PublishCalendars(const CrewdeskVariables& v, const Locale& locale, const Date& today);

} // namespace rotaplan
