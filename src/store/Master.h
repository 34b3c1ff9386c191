#pragma once

#include "store/CrewdeskVariables.h"

#include <array>
#include <filesystem>

namespace rotaplan {

// The six central files, always copied in this order.
inline constexpr std::array<const char*, 6> CentralFiles = {"Assignto.txt",    "Counter.txt",
                                                            "ProblemCode.txt", "PurgedDate.txt",
                                                            "Slips.txt",       "Settings.txt"};

// Copies those of the six files the source holds; each copy replaces its target in one step.
// Tries every file, then throws the first StoreError met.
void CopyFileList(CrewdeskVariables& v, const std::filesystem::path& source,
                  const std::filesystem::path& destination);
// Inside Backup: the copies each backup replaced, one generation back.
inline constexpr const char* PreviousFolder = "Previous";

// The six files into Backup, each former copy kept in Backup\Previous first. A slip file
// that is distrusted, damaged or shorter than this run explains does not replace its copy.
void BackupFiles(CrewdeskVariables& v);
void RestoreFiles(CrewdeskVariables& v);

} // namespace rotaplan
