#pragma once

#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rotaplan {

inline constexpr const char* PurgedDateFile = "\\PurgedDate.txt";
// A sibling program installed with this one: past slips stay, the summary is hidden.
inline constexpr const char* SiblingProgramFile = "\\Tillvane.exe";
// Its file stands in the program folder or beside the executable.
bool SiblingProgramInstalled(const CrewdeskVariables& v);
// Present from the moment a move of past slips is decided until it is done: what moves, and
// the lengths the files had, so that a stopped move is made again from the start.
inline constexpr const char* MoveMarkerFile = "\\MovingSlips.txt";
// How far a long operation has got, for the window the operator waits in.
using Progress = std::function<void(std::int64_t done, std::int64_t total)>;

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
PurgeOutcome PurgePastDays(CrewdeskVariables& v, const Locale& locale,
                           const Progress& progress = nullptr);

// Moves the slips dated before CurrentYear / DayOfYear to the end of CompletedSlips.txt,
// appended there; both files keep their order. Returns the SA texts of slips whose Date does
// not read back. Stopped at any point, it leaves the slips either all where they were or all
// moved once FinishInterruptedMove has run (or the start-up check has, from the journal).
std::vector<std::string> MovePastSlips(CrewdeskVariables& v, const Locale& locale,
                                       const Progress& progress = nullptr);

// Makes a stopped move again from the old slip file, or clears the marker of one that only
// had that left; removes the scratch files of a move stopped before it was decided. Must run
// before anything uses Temp.txt after a start (PurgePastDays and MovePastSlips run it first).
void FinishInterruptedMove(CrewdeskVariables& v);

} // namespace rotaplan
