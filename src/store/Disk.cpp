#include "store/Disk.h"

#include "store/StoreError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace rotaplan::disk {
namespace {

FaultHook& Hook() {
    static FaultHook hook;
    return hook;
}

void Before(Operation op, const fs::path& file) {
    if (Hook())
        Hook()(op, file);
}

[[noreturn]] void Fail(const fs::path& file, const std::string& operation, int error) {
    throw StoreError(file, operation, std::strerror(error));
}

[[noreturn]] void Fail(const fs::path& file, const std::string& operation,
                       const std::error_code& ec) {
    throw StoreError(file, operation, ec.message());
}

constexpr const char* LinkLeftAlone = "it is a link to another place, so it was left alone";

bool LinkAt(const fs::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A scratch file left by a stopped run may go; anything else under its name is not ours.
void ClearScratch(const fs::path& scratch) {
    struct stat st {};
    if (::lstat(scratch.c_str(), &st) != 0)
        return;
    if (!S_ISREG(st.st_mode))
        throw StoreError(scratch, "create",
                         S_ISLNK(st.st_mode) ? LinkLeftAlone
                                             : "something else stands there, so it was left alone");
    Before(Operation::Remove, scratch);
    if (::unlink(scratch.c_str()) != 0 && errno != ENOENT)
        Fail(scratch, "delete", errno);
}

// Names, addresses and telephone numbers: what the program makes is the operator's alone.
constexpr mode_t FileMode = 0600;
constexpr mode_t FolderMode = 0700;

int OpenOrFail(const fs::path& file, int flags, const std::string& operation) {
    const int fd = ::open(file.c_str(), flags | O_CLOEXEC, FileMode);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP && (flags & O_NOFOLLOW) && LinkAt(file))
            throw StoreError(file, operation, LinkLeftAlone);
        Fail(file, operation, error);
    }
    return fd;
}

void WriteAllAt(int fd, const fs::path& file, std::uint64_t offset, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail(file, "write", errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += static_cast<std::uint64_t>(n);
    }
}

void SyncOrFail(int fd, const fs::path& file) {
    Before(Operation::Flush, file);
    if (::fsync(fd) != 0)
        Fail(file, "flush", errno);
}

// Makes a rename or removal in the folder itself durable.
// A folder we may change but not open, or a file system that cannot flush folders, leaves
// only the durability of the change unsure; a flush that fails says the disk is failing.
void SyncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0 && error != EINVAL && error != EROFS)
        Fail(folder, "flush the folder", error);
}

// Missing is an answer; a folder that cannot be searched is a failure to report.
fs::file_status StatusOrFail(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        Fail(path, "look for", ec);
    return status;
}

bool Matches(std::string_view pattern, std::string_view name) {
    if (pattern.empty())
        return name.empty();
    if (pattern[0] == '*') {
        for (std::size_t i = 0; i <= name.size(); ++i)
            if (Matches(pattern.substr(1), name.substr(i)))
                return true;
        return false;
    }
    if (name.empty())
        return false;
    const bool same = pattern[0] == '?' || pattern[0] == name[0];
    return same && Matches(pattern.substr(1), name.substr(1));
}

} // namespace

fs::path Resolve(const fs::path& programFolder, std::string_view relativeName) {
    fs::path result = programFolder;
    std::size_t start = 0;
    while (start <= relativeName.size()) {
        const std::size_t end = std::min(relativeName.find('\\', start), relativeName.size());
        if (end > start)
            result /= std::string(relativeName.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

bool FileExists(const fs::path& file) {
    return fs::is_regular_file(StatusOrFail(file));
}

bool FolderExists(const fs::path& folder) {
    return fs::is_directory(StatusOrFail(folder));
}

std::uintmax_t FileLength(const fs::path& file) {
    std::error_code ec;
    const auto length = fs::file_size(file, ec);
    if (ec)
        Fail(file, "read the length of", ec);
    return length;
}

std::string ReadWholeFile(const fs::path& file) {
    ReadHandle handle(file);
    std::string bytes(handle.Length(), '\0');
    bytes.resize(handle.ReadAt(0, bytes.data(), bytes.size()));
    return bytes;
}

void WriteThroughScratch(const fs::path& file, const std::function<void(WriteHandle&)>& write) {
    const fs::path scratch = fs::path(file).concat(".new");
    {
        WriteHandle out(scratch);
        write(out);
        out.Commit();
    }
    ReplaceWith(scratch, file);
}

void WriteFileAtomic(const fs::path& file, std::string_view bytes) {
    WriteThroughScratch(file, [&](WriteHandle& out) { out.Append(bytes); });
}

void ReplaceWith(const fs::path& scratch, const fs::path& target) {
    try {
        RenameFile(scratch, target);
    } catch (...) {
        ::unlink(scratch.c_str());
        throw;
    }
}

// In pieces: a slip file of a million records is copied at every exit. The buffer starts on
// a page: reads into the odd offset a large allocation gets cost several times the CPU.
void ForEachPiece(const fs::path& file, const std::function<void(std::string_view)>& use,
                  std::uint64_t from, std::size_t pieceSize) {
    const ReadHandle in(file);
    constexpr std::align_val_t Page{4096};
    const std::unique_ptr<char[], void (*)(char*)> piece(
        static_cast<char*>(::operator new[](pieceSize, Page)),
        [](char* p) { ::operator delete[](p, Page); });
    for (std::uint64_t at = from;;) {
        const std::size_t read = in.ReadAt(at, piece.get(), pieceSize);
        if (read == 0)
            return;
        use(std::string_view(piece.get(), read));
        at += read;
    }
}

void CopyFileAtomic(const fs::path& from, const fs::path& to) {
    WriteThroughScratch(to, [&](WriteHandle& out) {
        ForEachPiece(from, [&](std::string_view piece) { out.Append(piece); });
    });
}

void AppendGrown(const fs::path& from, const fs::path& to, std::uint64_t length) {
    WriteHandle out(to, length);
    ForEachPiece(
        from, [&](std::string_view piece) { out.Append(piece); }, length);
    out.Commit();
}

void WriteAt(const fs::path& file, std::uint64_t offset, std::string_view bytes) {
    Before(Operation::Write, file);
    const int fd = OpenOrFail(file, O_WRONLY | O_CREAT | O_NOFOLLOW, "open for writing");
    try {
        WriteAllAt(fd, file, offset, bytes);
        SyncOrFail(fd, file);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0)
        Fail(file, "close", errno);
}

void Truncate(const fs::path& file, std::uint64_t length) {
    Before(Operation::Write, file);
    const int fd = OpenOrFail(file, O_WRONLY | O_NOFOLLOW, "open for writing");
    try {
        if (::ftruncate(fd, static_cast<off_t>(length)) != 0)
            Fail(file, "shorten", errno);
        SyncOrFail(fd, file);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
}

// Deleting a link harms nothing, but a link where the program keeps its own file is a
// question for the operator, not for the program.
void RemoveFile(const fs::path& file) {
    if (LinkAt(file))
        throw StoreError(file, "delete", LinkLeftAlone);
    Before(Operation::Remove, file);
    if (::unlink(file.c_str()) != 0 && errno != ENOENT)
        Fail(file, "delete", errno);
}

void RenameFile(const fs::path& from, const fs::path& to) {
    Before(Operation::Rename, to);
    // A file that is rewritten keeps the mode it was given; should that fail, the new
    // content stands all the same, only the stricter mode with it. A second name of another
    // file keeps that file's mode.
    struct stat target {
    }, scratch{};
    if (::lstat(to.c_str(), &target) == 0 && S_ISREG(target.st_mode) &&
        ::lstat(from.c_str(), &scratch) == 0 && scratch.st_nlink == 1)
        (void)::chmod(from.c_str(), target.st_mode & 07777);
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw StoreError(to, "rename " + from.filename().string() + " to", std::strerror(errno));
    SyncFolder(to.parent_path());
}

void CreateFolder(const fs::path& folder) {
    if (FolderExists(folder))
        return;
    Before(Operation::CreateFolder, folder);
    if (::mkdir(folder.c_str(), FolderMode) == 0)
        return;
    const int error = errno;
    if (error == EEXIST || error == ENOTDIR) {
        // The system names only the folder it was asked for, not what stands in the way.
        for (fs::path at = folder; at.has_relative_path(); at = at.parent_path()) {
            std::error_code ec;
            const fs::file_status status = fs::status(at, ec);
            if (!ec && fs::exists(status) && !fs::is_directory(status))
                throw StoreError(at, "create the folder", "it is a file, not a folder");
        }
        if (error == EEXIST)
            return; // made meanwhile
    }
    Fail(folder, "create the folder", error);
}

void RemoveFolder(const fs::path& folder) {
    if (LinkAt(folder))
        throw StoreError(folder, "remove the folder", LinkLeftAlone);
    if (!FolderExists(folder))
        return;
    Before(Operation::RemoveFolder, folder);
    if (::rmdir(folder.c_str()) != 0)
        Fail(folder, "remove the folder", errno);
}

void RenameFolder(const fs::path& from, const fs::path& to) {
    Before(Operation::Rename, to);
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw StoreError(to, "rename the folder " + from.filename().string() + " to",
                         std::strerror(errno));
}

namespace {

template <class Iterator>
std::vector<fs::path> Matching(const fs::path& folder, std::string_view pattern) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (Iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && Matches(pattern, it->path().filename().string()))
            found.push_back(it->path());
    }
    if (ec && ec != std::errc::no_such_file_or_directory)
        Fail(folder, "list", ec);
    return found;
}

} // namespace

std::vector<fs::path> MatchingFiles(const fs::path& folder, std::string_view pattern) {
    return Matching<fs::directory_iterator>(folder, pattern);
}

std::vector<fs::path> MatchingFilesBelow(const fs::path& folder, std::string_view pattern) {
    return Matching<fs::recursive_directory_iterator>(folder, pattern);
}

std::vector<fs::path> SubFolders(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            found.push_back(it->path());
    }
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        Fail(folder, "list", ec);
    std::sort(found.begin(), found.end());
    return found;
}

std::string Stamp(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return "-";
        Fail(path, "look for", errno);
    }
    return std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
           std::to_string(st.st_mtim.tv_nsec) + " " + std::to_string(st.st_ino);
}

void RefuseLinks(const fs::path& folder, const fs::path& below) {
    fs::path at = folder;
    for (const fs::path& part : below.lexically_relative(folder))
        if (LinkAt(at /= part))
            throw StoreError(at, "work in", LinkLeftAlone);
}

bool IsLink(const fs::path& path) {
    return LinkAt(path);
}

void LinkOrCopy(const fs::path& from, const fs::path& to) {
    const fs::path scratch = fs::path(to).concat(".new");
    ClearScratch(scratch);
    Before(Operation::Link, scratch);
    if (::link(from.c_str(), scratch.c_str()) != 0) {
        if (errno != EPERM && errno != EXDEV && errno != EMLINK && errno != ENOTSUP)
            Fail(scratch, "link " + from.string() + " as", errno);
        CopyFileAtomic(from, to);
        return;
    }
    ReplaceWith(scratch, to);
}

ReadHandle::ReadHandle(const fs::path& file)
    : file_(file), fd_(OpenOrFail(file, O_RDONLY, "open for reading")) {}

ReadHandle::~ReadHandle() {
    ::close(fd_);
}

std::uint64_t ReadHandle::Length() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        Fail(file_, "read the length of", errno);
    return static_cast<std::uint64_t>(st.st_size);
}

std::size_t ReadHandle::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::pread(fd_, buffer + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail(file_, "read", errno);
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

WriteHandle::WriteHandle(const fs::path& file) : file_(file) {
    Before(Operation::Write, file);
    ClearScratch(file);
    // Made new, never opened through a link planted under its name.
    fd_ = OpenOrFail(file, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, "create");
}

WriteHandle::WriteHandle(const fs::path& file, std::uint64_t keep) : file_(file), scratch_(false) {
    Before(Operation::Write, file);
    fd_ = OpenOrFail(file, O_WRONLY | O_CREAT | O_NOFOLLOW, "open for writing");
    if (::ftruncate(fd_, static_cast<off_t>(keep)) != 0) {
        const int error = errno;
        ::close(fd_);
        Fail(file, "shorten", error);
    }
}

WriteHandle::~WriteHandle() {
    if (fd_ >= 0) {
        ::close(fd_);
        if (scratch_)
            ::unlink(file_.c_str());
    }
}

void WriteHandle::Append(std::string_view bytes) {
    // A caller that gathers its own large blocks has them written as they are, not copied.
    if (buffer_.empty() && bytes.size() >= BlockSize)
        return WriteOut(bytes);
    buffer_.append(bytes);
    if (buffer_.size() >= BlockSize)
        Flush();
}

void WriteHandle::Flush() {
    if (buffer_.empty())
        return;
    WriteOut(buffer_);
    buffer_.clear();
}

void WriteHandle::WriteOut(std::string_view bytes) {
    Before(Operation::Write, file_);
    const off_t end = ::lseek(fd_, 0, SEEK_END);
    if (end < 0)
        Fail(file_, "write", errno);
    WriteAllAt(fd_, file_, static_cast<std::uint64_t>(end), bytes);
#ifdef __linux__
    // Starts writing this part to disk now, while the caller goes on: the flush at Commit
    // then waits for the rest only. A hint; Commit still syncs everything.
    ::sync_file_range(fd_, end, static_cast<off_t>(bytes.size()), SYNC_FILE_RANGE_WRITE);
#endif
}

void WriteHandle::Commit() {
    Flush();
    SyncOrFail(fd_, file_);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        if (scratch_)
            ::unlink(file_.c_str());
        Fail(file_, "close", error);
    }
}

void SetFaultHook(FaultHook hook) {
    Hook() = std::move(hook);
}

} // namespace rotaplan::disk
