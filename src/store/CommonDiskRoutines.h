#pragma once

#include "store/CrewdeskVariables.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rotaplan {

inline constexpr const char* AssigntoFile = "\\Assignto.txt";
inline constexpr const char* ProblemCodeFile = "\\ProblemCode.txt";
inline constexpr const char* SettingsFile = "\\Settings.txt";

// Program folder followed by a name such as "\Settings.txt", mapped to this platform.
std::filesystem::path ProgramPath(const CrewdeskVariables& v, std::string_view relativeName);

// True when the file is in the program folder, or was copied back from Backup.
bool RecoverFile(CrewdeskVariables& v, std::string_view relativeName);
void CheckSetupFiles(CrewdeskVariables& v);
// Reads the file; when it is damaged and its backup copy reads, the copy takes its place
// (the damaged file kept as <name>.damaged) and Notices says so. Otherwise throws the
// StoreError of the damaged file.
void ReadOrRestore(CrewdeskVariables& v, std::string_view relativeName,
                   const std::function<void(const std::filesystem::path&)>& read);
// Copies a damaged file to <name>.damaged beside it; returns that name.
std::string KeepDamaged(const std::filesystem::path& file);
// Closes every open file, then deletes the ordinary files matching the name or pattern.
void KillIfExists(CrewdeskVariables& v, std::string_view relativeName);

// The team and problem lists: a file damaged, with its backup copy, is rewritten with what
// could be read of it (kept as <name>.damaged), FilesMissing sends the operator to Setup, and
// Notices says so. Of more than two teams the first two are used; the file stays as it is.
void LoadAssignments(CrewdeskVariables& v);
// A file damaged, with its backup copy, gives the defaults in memory, a line in Notices, and
// stays as it is.
void LoadSettings(CrewdeskVariables& v);
void SaveSettings(CrewdeskVariables& v);
void LoadProblems(CrewdeskVariables& v);
// Rewrites a list file (team list, problem list) from the given entries.
void SaveTextList(CrewdeskVariables& v, std::string_view relativeName,
                  const std::vector<std::string>& entries);

// Start-up: makes Backup and an empty slip file when missing. A Backup that cannot be made
// is put into Notices.
void PrepareFolders(CrewdeskVariables& v);

} // namespace rotaplan
