#pragma once

#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"

#include <string>
#include <vector>

namespace rotaplan {

inline constexpr const char* PurgedDateFile = "\\PurgedDate.txt";
// A sibling program installed with this one: past slips stay, the summary is hidden.
inline constexpr const char* SiblingProgramFile = "\\Tillvane.exe";
// Its file stands in the program folder or beside the executable.
bool SiblingProgramInstalled(const CrewdeskVariables& v);
// Present only while a move of past slips has its scratch files finished but not in place.
inline constexpr const char* MoveMarkerFile = "\\MovingSlips.txt";

// From day 121 on: last year's team folders and day files go. Whatever else that year's
// folder holds stays with it, and Notices says what stayed. Nothing goes while the slip file
// is distrusted, here and in PurgePastDays.
void PurgePreviousYear(CrewdeskVariables& v);

struct PurgeOutcome {
    bool completionsHidden = false;        // the sibling program is here: nothing was moved
    std::vector<std::string> undatedSlips; // SA texts left in Slips.txt: Date does not read back
};

// Start-up, after EnsureYearFolders: finishes an interrupted move, deletes every team's day
// files from the day after the last purge to yesterday, records yesterday in PurgedDate.txt,
// then moves past slips. Undated slips are also put into Notices, in one line.
PurgeOutcome PurgePastDays(CrewdeskVariables& v, const Locale& locale);

// Moves the slips dated before CurrentYear / DayOfYear to the end of CompletedSlips.txt;
// both files keep their order. Returns the SA texts of slips whose Date does not read back.
// Stopped at any point, it leaves the slips either all where they were or all moved once
// FinishInterruptedMove has run.
std::vector<std::string> MovePastSlips(CrewdeskVariables& v, const Locale& locale);

// Puts the finished scratch files of a stopped move in place, or removes those of a move
// stopped before they were finished. Must run before anything uses Temp.txt or
// TemporaryFile.txt after a start (PurgePastDays and MovePastSlips run it first).
void FinishInterruptedMove(CrewdeskVariables& v);

} // namespace rotaplan
