#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Every file-system call of the store goes through here, so that each one reports
// failure the same way and tests can make any single one of them fail.
namespace rotaplan::disk {

namespace fs = std::filesystem;

// Maps a program-relative name written with backslashes ("\Backup\Counter.txt")
// onto a path under the program folder.
fs::path Resolve(const fs::path& programFolder, std::string_view relativeName);

bool FileExists(const fs::path& file); // an ordinary file
bool FolderExists(const fs::path& folder);
std::uintmax_t FileLength(const fs::path& file);

std::string ReadWholeFile(const fs::path& file);

// Replaces the file's content all at once: scratch file in the same folder, flushed to
// disk, renamed over the target. A crash leaves the old or the new content.
void WriteFileAtomic(const fs::path& file, std::string_view bytes);
// Writes the file's new content front to back into a scratch file beside it, flushed, then
// renamed over it. Should `write` throw, the scratch file is removed and the file untouched.
class WriteHandle;
void WriteThroughScratch(const fs::path& file, const std::function<void(WriteHandle&)>& write);
// Hands the file's bytes from `from` on to `use` in large pieces, front to back; `pieceSize`
// lets a reader of fixed records have whole records in each piece.
void ForEachPiece(const fs::path& file, const std::function<void(std::string_view)>& use,
                  std::uint64_t from = 0, std::size_t pieceSize = 1u << 20);
// Copies through WriteFileAtomic, so a torn copy never replaces a good one.
void CopyFileAtomic(const fs::path& from, const fs::path& to);

// Makes `to`, which holds the first `length` bytes of `from`, a copy of it: what follows them
// is appended, flushed. Stopped half-way, `to` still begins with those bytes.
void AppendGrown(const fs::path& from, const fs::path& to, std::uint64_t length);

// Writes bytes at the offset, extending the file (creating it if needed), flushed to disk
// before it returns.
void WriteAt(const fs::path& file, std::uint64_t offset, std::string_view bytes);

// Cuts the file back to the length, flushed to disk before it returns.
void Truncate(const fs::path& file, std::uint64_t length);

// Renames a finished scratch file over the target; on failure the scratch file is removed.
void ReplaceWith(const fs::path& scratch, const fs::path& target);

void RemoveFile(const fs::path& file); // a missing file is not an error
void RenameFile(const fs::path& from, const fs::path& to);
void CreateFolder(const fs::path& folder); // an existing folder is not an error
void RemoveFolder(const fs::path& folder); // must be empty; a missing one is not an error
void RenameFolder(const fs::path& from, const fs::path& to);
// The ordinary files of a folder whose names match a pattern with * and ? wildcards.
std::vector<fs::path> MatchingFiles(const fs::path& folder, std::string_view pattern);
// The same, in the folder and every folder below it.
std::vector<fs::path> MatchingFilesBelow(const fs::path& folder, std::string_view pattern);
// The folders directly inside a folder; none when it is missing.
std::vector<fs::path> SubFolders(const fs::path& folder);

// Length, change time and identity of a file or folder as one text ("-" when missing): equal
// texts mean nothing wrote or replaced it in between.
std::string Stamp(const fs::path& path);
// A link where the program keeps its own files is never followed to change or remove what it
// points at: IsLink tells, and RefuseLinks throws for the first link on the way from the
// folder down to the path below it.
bool IsLink(const fs::path& path);
void RefuseLinks(const fs::path& folder, const fs::path& below);
// Gives the file a second name, replacing the target in one step; where the file system has
// no links, a copy through WriteFileAtomic.
void LinkOrCopy(const fs::path& from, const fs::path& to);

// A sequential or random reader that keeps one descriptor open.
class ReadHandle {
public:
    explicit ReadHandle(const fs::path& file);
    ~ReadHandle();
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;

    std::uint64_t Length() const;
    // Reads up to size bytes at offset; returns the count read (short only at end of file).
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const;
    const fs::path& File() const { return file_; }

private:
    fs::path file_;
    int fd_ = -1;
};

// A new file written front to back, flushed on Commit; removed again if never committed.
// A file of that name left from before is replaced; a link there is refused.
// Given a length, an existing file (made when missing) is cut to it and written on from
// there instead; never committed, it stays as far as it got.
class WriteHandle {
public:
    explicit WriteHandle(const fs::path& file);
    WriteHandle(const fs::path& file, std::uint64_t keep);
    ~WriteHandle();
    WriteHandle(const WriteHandle&) = delete;
    WriteHandle& operator=(const WriteHandle&) = delete;

    void Append(std::string_view bytes);
    void Commit(); // flushes buffers and the file to disk, then closes it
    const fs::path& File() const { return file_; }

private:
    static constexpr std::size_t BlockSize = 1u << 20;
    void Flush();
    void WriteOut(std::string_view bytes);
    fs::path file_;
    int fd_ = -1;
    bool scratch_ = true;
    std::string buffer_;
};

// Tests install a hook that sees every changing operation before it happens and may throw
// to fail it (or end the process to simulate a crash at exactly that point).
enum class Operation { Write, Flush, Rename, Remove, CreateFolder, RemoveFolder, Link };
using FaultHook = std::function<void(Operation, const fs::path&)>;
void SetFaultHook(FaultHook hook);

} // namespace rotaplan::disk
