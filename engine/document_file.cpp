#include "document_file.h"

#include "text_rules.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cwchar>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <system_error>
#include <unistd.h>

namespace cellwright {

namespace fs = std::filesystem;

namespace {

// Temporary names this process has tried, so that no two saves try the same one.
std::atomic<unsigned long> temporarySerial { 0 };

// The system's messages come in the user's language, encoded for the locale: decoded as such,
// a byte that does not decode standing for U+FFFD.
std::u16string FromSystemText(std::string_view text)
{
    std::u16string out;
    std::mbstate_t shift {};
    while (!text.empty()) {
        wchar_t c = 0;
        const size_t used = std::mbrtowc(&c, text.data(), text.size(), &shift);
        if (used == static_cast<size_t>(-1) || used == static_cast<size_t>(-2)) {
            out += u'\uFFFD';
            shift = {};
            text.remove_prefix(1);
            continue;
        }
        text.remove_prefix(std::max<size_t>(used, 1));
        const auto code = static_cast<char32_t>(c);
        const bool valid = code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        AppendUtf16(valid ? code : U'\uFFFD', out);
    }
    return out;
}

ReadFailure FailureOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ReadFailure::NoSuchFile;
    case EACCES:
    case EPERM:
        return ReadFailure::PermissionDenied;
    case EISDIR:
        return ReadFailure::IsFolder;
    default:
        return ReadFailure::Other;
    }
}

FileBytes Failed(int error)
{
    return { {}, FailureOf(error), error };
}

// Reads n bytes into to, fewer at the end of the file; how many, or -1 after an error.
ssize_t ReadUpTo(int fd, char *to, size_t n)
{
    size_t got = 0;
    while (got < n) {
        const ssize_t part = ::read(fd, to + got, n - got);
        if (part < 0 && errno == EINTR)
            continue;
        if (part < 0)
            return -1;
        if (part == 0)
            break;
        got += static_cast<size_t>(part);
    }
    return static_cast<ssize_t>(got);
}

struct Descriptor {
    const int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

fs::path FolderOf(const fs::path &path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// A folder that everyone may write to and whose sticky bit is set, such as /tmp: anyone may put
// a name there, and only a name's owner (or the folder's) may remove or replace it.
bool IsSharedFolder(const struct stat &folder)
{
    return (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
}

struct Followed {
    fs::path path; // the file the links lead to
    std::u16string refusal; // why they are not followed, or empty
};

// The file a link leads to, through any chain of links, also when that file does not exist yet.
// The links are read here rather than by the system, so its rule for shared folders is applied
// here too: a link there is followed only when it is this user's or the folder owner's, so that
// a link another user planted cannot redirect the save onto a file of this user's.
Followed FollowLinks(fs::path path)
{
    for (int hops = 0;; ++hops) {
        struct stat link { };
        if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return { path, {} };
        // Past this many the system gives up too: a chain that loops.
        if (hops == 40)
            return { path, SystemReason(ELOOP) };
        struct stat folder { };
        if (::stat(FolderOf(path).c_str(), &folder) == 0 && IsSharedFolder(folder)
            && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid) {
            return { path,
                u"the link " + FromSystemText(path.native())
                    + u" belongs to another user in a folder that everyone may write to, so it is"
                      u" not followed" };
        }
        std::error_code ec;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            return { path, SystemReason(ec.value()) };
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

// A replaced file keeps its owner and group where this process may set them (root may set
// both, anyone a group of their own), and the extended attributes this process can read and
// set. Whatever cannot be kept is left as the new file has it: the save goes through.
void KeepOwnerAndAttributes(int fd, const fs::path &target, const struct stat &info)
{
    if (::fchown(fd, info.st_uid, info.st_gid) != 0 && ::fchown(fd, uid_t(-1), info.st_gid) != 0) {
        // Neither: the new file stays this user's and in this user's group.
    }
    ssize_t size = ::listxattr(target.c_str(), nullptr, 0);
    if (size <= 0)
        return;
    std::string names(static_cast<size_t>(size), '\0');
    size = ::listxattr(target.c_str(), names.data(), names.size());
    if (size <= 0)
        return;
    names.resize(static_cast<size_t>(size));
    std::string value;
    for (size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const char *name = names.c_str() + at;
        const ssize_t length = ::getxattr(target.c_str(), name, nullptr, 0);
        if (length < 0)
            continue;
        value.resize(static_cast<size_t>(length));
        const ssize_t got = ::getxattr(target.c_str(), name, value.data(), value.size());
        if (got >= 0)
            ::fsetxattr(fd, name, value.data(), static_cast<size_t>(got), 0);
    }
}

// Why a rename over target failed: in a shared folder only a file's owner (or the folder's) may
// replace it, although others may be allowed to write to it.
std::u16string RenameFailure(int error, const fs::path &target, const struct stat &info)
{
    struct stat folder { };
    if ((error == EPERM || error == EACCES) && ::stat(FolderOf(target).c_str(), &folder) == 0
        && (folder.st_mode & S_ISVTX) && info.st_uid != ::geteuid()) {
        return u"it belongs to another user, and replacing another user's file is not allowed in"
               u" this folder (its sticky bit is set)";
    }
    return SystemReason(error);
}

// A name for the temporary file beside target that no save of this process used before. It need
// not be unpredictable: the file is created exclusively, and a taken name is simply passed over.
fs::path TemporaryNameBeside(const fs::path &target, unsigned long serial)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Room for the tag within the usual 255-byte limit of a name.
    std::string name = target.filename().string().substr(0, 160);
    name.insert(name.begin(), '.');
    name += '.';
    name += std::to_string(getpid());
    name += '-';
    name += std::to_string(serial);
    name += '-';
    name += std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000);
    name += ".tmp";
    return folder / name;
}

// Flushes a folder's entries to the disk, so that a rename in it survives a power cut. File
// systems that cannot do so are no reason to call a finished save failed.
void SyncFolder(const fs::path &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A zip package (.docx, .odt and their kin) or an old binary Office file, by its first bytes.
bool IsWordProcessorPackage(const fs::path &path)
{
    const Descriptor in { ::open(path.c_str(), O_RDONLY | O_CLOEXEC) };
    char head[CompoundSignature.size()] = {};
    const ssize_t got = in.fd < 0 ? -1 : ReadUpTo(in.fd, head, sizeof head);
    return got > 0 && IsWordProcessorFile(std::string_view(head, size_t(got)));
}

std::u16string SaveInto(
    fs::path target, std::string_view bytes, const std::u16string &firstTemporaryName)
{
    // Saving over a link replaces the file it points to, not the link.
    Followed followed = FollowLinks(target);
    if (!followed.refusal.empty())
        return followed.refusal;
    target = std::move(followed.path);
    struct stat info { };
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT)
        return SystemReason(errno);
    if (exists && S_ISDIR(info.st_mode))
        return SystemReason(EISDIR);
    if (exists) {
        if (!S_ISREG(info.st_mode))
            return u"it is not a regular file";
        // Replacing by rename would get round a file's write protection: only a file that could
        // be written in place may be replaced. Opening to append changes nothing in it.
        const int fd = ::open(target.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0)
            return SystemReason(errno);
        ::close(fd);
    }
    if (exists && IsWordProcessorPackage(target))
        return u"it is a word-processor document, which a save never replaces; choose another name";

    // Write beside the target and rename over it only when every byte is on the disk, so a
    // failed save or a power cut leaves the existing file as it was and no partial file behind.
    // The temporary file is created anew, owner-only, and never through a link: in a folder that
    // others can write to, a link planted under its name would otherwise receive the document.
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = attempt == 0 && !firstTemporaryName.empty()
            ? target.parent_path() / fs::path(firstTemporaryName)
            : TemporaryNameBeside(target, ++temporarySerial);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return SystemReason(errno);
    }
    if (fd < 0)
        return SystemReason(EEXIST);

    // The target's permissions, or those of any new file; set last, as a change of owner clears
    // the set-user-ID and set-group-ID bits.
    mode_t mode = 0;
    if (exists) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int error = WriteAll(fd, bytes);
    if (!error && exists)
        KeepOwnerAndAttributes(fd, target, info);
    if (!error && ::fchmod(fd, mode) != 0)
        error = errno;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return exists ? RenameFailure(error, target, info) : SystemReason(error);
    }
    if (error) {
        ::unlink(temporary.c_str());
        return SystemReason(error);
    }
    SyncFolder(FolderOf(target));
    return {};
}

} // namespace

FileBytes ReadFileBytes(const fs::path &path)
{
    // With the system's own calls: the stream or stdio buffers would only copy the text once more.
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return Failed(errno);
    if (S_ISDIR(info.st_mode))
        return Failed(EISDIR);
    if (!S_ISREG(info.st_mode))
        return { {}, ReadFailure::NotRegularFile, 0 };
    if (static_cast<std::uintmax_t>(info.st_size) > MaxDocumentBytes)
        return { {}, ReadFailure::TooLarge, 0 };
    const Descriptor in { ::open(path.c_str(), O_RDONLY | O_CLOEXEC) };
    if (in.fd < 0)
        return Failed(errno);
    // In blocks, and no further than the limit, also when the file grows while it is read.
    FileBytes file;
    std::string &bytes = file.Bytes;
    size_t used = 0;
    for (size_t block = static_cast<size_t>(info.st_size) + 1; used <= MaxDocumentBytes;
         block = 64 << 10) {
        bytes.resize(used + block);
        const ssize_t got = ReadUpTo(in.fd, bytes.data() + used, block);
        if (got < 0)
            return Failed(errno);
        used += static_cast<size_t>(got);
        if (static_cast<size_t>(got) < block)
            break;
    }
    if (used > MaxDocumentBytes)
        return { {}, ReadFailure::TooLarge, 0 };
    bytes.resize(used);
    return file;
}

int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno ? errno : EIO;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

std::u16string SystemReason(int error)
{
    if (error == 0)
        return u"the system reported no reason";
    return FromSystemText(std::generic_category().message(error));
}

std::u16string SaveFileAtomically(
    const fs::path &path, std::string_view bytes, const std::u16string &firstTemporaryName)
{
    // Names that cannot be turned into a path, or a failure to allocate, are failures to save
    // like any other: nothing has been written when they are thrown.
    try {
        if (path.empty())
            return u"no file name was given";
        return SaveInto(path, bytes, firstTemporaryName);
    } catch (const fs::filesystem_error &error) {
        return FromSystemText(error.code().message());
    } catch (const std::exception &) {
        return SystemReason(ENOMEM);
    }
}

} // namespace cellwright
