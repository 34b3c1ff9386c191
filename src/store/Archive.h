#pragma once

#include "store/CrewdeskVariables.h"

#include <filesystem>
#include <string>

namespace rotaplan {

// The archive's sub-folder by the executable's name: "\PlanoraFiles", "\FundsFiles", or empty
// for a name the program does not know (the files then go straight into Archive).
std::string ProductFolder(const std::filesystem::path& executable);
// <drive root>/Archive<product folder>
std::filesystem::path ArchiveFolder(const std::filesystem::path& driveRoot,
                                    const std::filesystem::path& executable);

// Copies the six central files into the archive folder, making the folders it lacks.
// A drive that is not there throws StoreError naming it.
void Archive(CrewdeskVariables& v, const std::filesystem::path& driveRoot,
             const std::filesystem::path& executable);
// Copies the archived files back; returns how many there were (0: no archive on that drive).
// All are read off the drive before the first one replaces its file in the program folder,
// so a drive that fails half-way changes nothing there.
int Reinstall(CrewdeskVariables& v, const std::filesystem::path& driveRoot,
              const std::filesystem::path& executable);

inline constexpr const char* ReinstallFolder = "\\Reinstall";
// The folder a reinstall gathers the drive's files in; one left by a stopped reinstall goes.
void RemoveReinstallFolder(CrewdeskVariables& v);

} // namespace rotaplan
