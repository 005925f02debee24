#include "profile.h"

#include "ini_text.h"
#include "paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace platform {
namespace {

// Linux gives up after 40 links too.
constexpr int kMaxSymbolicLinks = 40;
// Enough unique temporary names even when stale ones from a crash lie around.
constexpr int kTemporaryNameAttempts = 100;
constexpr std::size_t kMinimumReadSize = 4096;

// Restores errno on scope exit, so cleanup never hides why an operation failed.
class ErrnoGuard {
public:
    ErrnoGuard() : m_saved(errno) {}
    ~ErrnoGuard() { errno = m_saved; }
    ErrnoGuard(const ErrnoGuard&) = delete;
    ErrnoGuard& operator=(const ErrnoGuard&) = delete;

private:
    int m_saved;
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

    // Closing can report a late write error, so callers that care ask for it.
    // On Linux the descriptor is gone even after EINTR, which is no failure.
    bool close()
    {
        const int result = ::close(std::exchange(m_fd, -1));
        return result == 0 || errno == EINTR;
    }

private:
    void reset()
    {
        if (m_fd >= 0) {
            const ErrnoGuard keepErrno;
            ::close(std::exchange(m_fd, -1));
        }
    }

    int m_fd;
};

struct LoadedFile {
    std::string content;
    struct stat status {};
};

std::string parentFolder(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileName(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> readAll(int fd, std::size_t expectedSize)
{
    // One extra byte lets the first read already see the end of the file.
    std::string content(std::max(expectedSize + 1, kMinimumReadSize), '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == content.size()) {
            content.resize(content.size() * 2);
        }
        const ssize_t count = ::read(fd, content.data() + used, content.size() - used);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (count == 0) {
            content.resize(used);
            return content;
        }
        used += static_cast<std::size_t>(count);
    }
}

// O_NONBLOCK keeps a FIFO at the path from stalling us before fstat rejects it.
std::optional<LoadedFile> loadRegularFile(const std::string& path)
{
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.isOpen()) {
        return std::nullopt;
    }
    LoadedFile file;
    if (::fstat(fd.get(), &file.status) != 0) {
        return std::nullopt;
    }
    if (!S_ISREG(file.status.st_mode)) {
        errno = S_ISDIR(file.status.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    auto content = readAll(fd.get(), static_cast<std::size_t>(file.status.st_size));
    if (!content) {
        return std::nullopt;
    }
    file.content = std::move(*content);
    return file;
}

std::string_view trimTrailingSpaces(std::string_view text)
{
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

std::int32_t copyToBuffer(std::string_view text, std::span<char> buffer)
{
    const std::size_t limit = std::min<std::size_t>(buffer.size() - 1, INT32_MAX);
    const std::size_t count = std::min(text.size(), limit);
    std::copy_n(text.begin(), count, buffer.begin());
    buffer[count] = '\0';
    return static_cast<std::int32_t>(count);
}

std::optional<std::string> readSymbolicLink(const std::string& path, std::size_t size)
{
    std::string target(std::max<std::size_t>(size, PATH_MAX) + 1, '\0');
    const ssize_t count = ::readlink(path.c_str(), target.data(), target.size());
    if (count < 0) {
        return std::nullopt;
    }
    target.resize(static_cast<std::size_t>(count));
    return target;
}

// Follows the link chain ourselves so the link stays a link and the new content
// lands in its final target, created when the link dangles.
std::optional<std::string> resolveSymbolicLinks(std::string path)
{
    for (int hops = 0;; ++hops) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) {
                return path;
            }
            return std::nullopt;
        }
        if (!S_ISLNK(status.st_mode)) {
            return path;
        }
        if (hops == kMaxSymbolicLinks) {
            errno = ELOOP;
            return std::nullopt;
        }
        const auto target = readSymbolicLink(path, static_cast<std::size_t>(status.st_size));
        if (!target) {
            return std::nullopt;
        }
        if (target->starts_with('/')) {
            path = *target;
        } else {
            const std::string folder = parentFolder(path);
            path = (folder == "/" ? "" : folder) + "/" + *target;
        }
    }
}

bool isFolder(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return false;
    }
    if (!S_ISDIR(status.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}

// No write bit at all is the read-only attribute, which binds root too. The
// access check keeps rename from replacing a file we could not write ourselves.
bool mayReplace(const std::string& path, const struct stat& status)
{
    if ((status.st_mode & 0222) == 0) {
        errno = EACCES;
        return false;
    }
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t count = ::write(fd, content.data(), content.size());
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (count == 0) {
            errno = EIO;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// A hidden file next to the target, removed again unless it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile(const std::string& folder, const std::string& targetName)
    {
        for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
            m_path = folder + "/." + targetName + "." + std::to_string(::getpid()) + "." +
                     std::to_string(attempt) + ".tmp";
            // 0666 lets the umask decide a new file's permissions.
            m_fd = FileDescriptor(::open(m_path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666));
            m_created = m_fd.isOpen();
            if (m_created || errno != EEXIST) {
                return;
            }
        }
    }
    ~TemporaryFile()
    {
        const ErrnoGuard keepErrno;
        m_fd = FileDescriptor();
        if (m_created && !m_renamed) {
            ::unlink(m_path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool isOpen() const { return m_fd.isOpen(); }
    int fd() const { return m_fd.get(); }
    bool close() { return m_fd.close(); }

    bool renameTo(const std::string& target)
    {
        m_renamed = ::rename(m_path.c_str(), target.c_str()) == 0;
        return m_renamed;
    }

private:
    std::string m_path;
    FileDescriptor m_fd;
    bool m_created = false;
    bool m_renamed = false;
};

void tryToKeepOwner(int fd, const struct stat& old)
{
    // Only root may hand a file to another owner; for anyone else the new file
    // simply stays ours, which is no reason to fail.
    [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
}

// Makes the rename itself survive a crash. By now the new content is in place,
// so a failing sync cannot be reported as a write that left the file untouched.
void syncFolder(const std::string& folder)
{
    const ErrnoGuard keepErrno;
    const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.isOpen()) {
        ::fsync(fd.get());
    }
}

bool replaceFile(const std::string& target, std::string_view content, const LoadedFile* old)
{
    const std::string folder = parentFolder(target);
    TemporaryFile temporary(folder, fileName(target));
    if (!temporary.isOpen() || !writeAll(temporary.fd(), content)) {
        return false;
    }
    if (old) {
        tryToKeepOwner(temporary.fd(), old->status);
        // After fchown, which may clear the set-user-ID bits.
        if (::fchmod(temporary.fd(), old->status.st_mode & 07777) != 0) {
            return false;
        }
    }
    if (::fsync(temporary.fd()) != 0 || !temporary.close() || !temporary.renameTo(target)) {
        return false;
    }
    syncFolder(folder);
    return true;
}

std::optional<std::string> editedText(std::string_view text, std::string_view section, const char* key,
                                      const char* value)
{
    if (!key) {
        return ini::withoutSection(text, section);
    }
    const std::string_view keyName = ini::trimSpaces(key);
    if (!value) {
        return ini::withoutKey(text, section, keyName);
    }
    return ini::withValue(text, section, keyName, value);
}

bool hasSafeArguments(const char* section, const char* key, const char* value, const char* path)
{
    return section && path && ini::isSafeSectionName(ini::trimSpaces(section)) &&
           (!key || ini::isSafeKeyName(ini::trimSpaces(key))) && (!value || ini::isSafeValue(value));
}

bool updateProfile(const std::string& path, const char* section, const char* key, const char* value)
{
    const auto target = resolveSymbolicLinks(path);
    if (!target) {
        return false;
    }
    const auto old = loadRegularFile(*target);
    if (!old && (errno != ENOENT || !isFolder(parentFolder(*target)))) {
        return false;
    }
    const auto newText = editedText(old ? std::string_view(old->content) : std::string_view{},
                                    ini::trimSpaces(section), key, value);
    if (!newText) {
        return true;
    }
    if (old && !mayReplace(*target, old->status)) {
        return false;
    }
    return replaceFile(*target, *newText, old ? &*old : nullptr);
}

}  // namespace

std::int32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                                      char* buffer, std::uint32_t capacity, const char* path)
{
    if (!buffer || capacity == 0) {
        return 0;
    }
    const std::span<char> output(buffer, capacity);
    if (!section || !key) {
        return copyToBuffer({}, output);
    }
    const std::string_view fallback = trimTrailingSpaces(defaultValue ? defaultValue : "");
    const auto file = path ? loadRegularFile(PosixPath(path)) : std::nullopt;
    if (!file) {
        return copyToBuffer(fallback, output);
    }
    const auto value = ini::findValue(file->content, ini::trimSpaces(section), ini::trimSpaces(key));
    return copyToBuffer(value.value_or(fallback), output);
}

std::int32_t WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                        const char* path)
{
    if (!hasSafeArguments(section, key, value, path)) {
        errno = EINVAL;
        return 0;
    }
    const std::string posixPath = PosixPath(path);
    if (posixPath.empty()) {
        errno = ENOENT;
        return 0;
    }
    return updateProfile(posixPath, section, key, value) ? 1 : 0;
}

}  // namespace platform
