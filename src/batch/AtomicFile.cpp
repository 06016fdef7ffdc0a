// SPDX-License-Identifier: MIT
#include "batch/AtomicFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <vector>

#include "batch/Printable.h"
#include "batch/SignalCleanup.h"

namespace batch {
namespace {

constexpr int mostLinksFollowed = 40;  // as the kernel follows at most

mode_t usualFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path with every symbolic link followed by name, so that the new file takes the place
// of the file the link names and the link stays. A link to nowhere gives the path it names.
int followLinks(std::string& path) {
    for (int hops = 0; hops < mostLinksFollowed; ++hops) {
        struct stat found = {};
        if (lstat(path.c_str(), &found) != 0) {
            return errno == ENOENT ? 0 : errno;
        }
        if (!S_ISLNK(found.st_mode)) {
            return 0;
        }
        std::string destination(PATH_MAX, '\0');
        const ssize_t length = readlink(path.c_str(), destination.data(), destination.size());
        if (length < 0) {
            return errno;
        }
        destination.resize(static_cast<std::size_t>(length));
        if (destination.front() != '/') {
            destination.insert(0, folderOf(path) + "/");
        }
        path = destination;
    }
    return ELOOP;
}

// "NAME.XXXXXX" with six random letters or digits, with NAME cut short where the whole
// would pass the file-name length limit.
std::string temporaryNameFor(const std::string& name) {
    constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    constexpr std::size_t suffix = 7;
    unsigned char random[suffix - 1] = {};
    if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        // Without the kernel's randomness, names that differ from call to call still do:
        // a taken name only costs another try.
        static unsigned counter = 0;
        std::generate(std::begin(random), std::end(random), [] {
            return static_cast<unsigned char>(static_cast<unsigned>(getpid()) + counter++ * 7919);
        });
    }
    std::string temporary = name.substr(0, NAME_MAX - suffix) + ".";
    for (const unsigned char byte : random) {
        temporary += letters[byte % (sizeof letters - 1)];
    }
    return temporary;
}

// Holds SIGINT, SIGTERM and SIGHUP back while the new file takes the old one's place.
class SignalsHeld {
  public:
    SignalsHeld() { sigprocmask(SIG_BLOCK, &endingSignals(), &before); }
    ~SignalsHeld() { sigprocmask(SIG_SETMASK, &before, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t before = {};
};

}  // namespace

AtomicFile::AtomicFile(std::string target, Temporary kind) : target(std::move(target)) {
    struct stat found = {};
    existed = stat(this->target.c_str(), &found) == 0;
    if (!existed && errno != ENOENT) {
        fail("", errno);
        return;
    }
    if (existed && !S_ISREG(found.st_mode)) {
        openInPlace();
        return;
    }
    earlier = found;
    std::string path = this->target;
    if (const int failed = followLinks(path); failed != 0) {
        fail("", failed);
        return;
    }
    struct stat resolved = {};
    const bool followedToIt = stat(path.c_str(), &resolved) == 0 && sameFile(resolved, found);
    way = existed && (found.st_nlink > 1 || !followedToIt) ? Way::CopyInto : Way::Replace;
    if (openFolder(path) && createTemporary(kind)) {
        buffer = std::make_unique<DescriptorBuf>(descriptor);
        file.rdbuf(buffer.get());
    }
}

AtomicFile::~AtomicFile() {
    removeTemporary();
    close();
}

void AtomicFile::close() {
    file.rdbuf(nullptr);
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
    if (folder >= 0) {
        ::close(folder);
        folder = -1;
    }
}

bool AtomicFile::fail(const std::string& what, int error) {
    failure = what.empty() ? std::strerror(error) : what + ": " + std::strerror(error);
    return false;
}

bool AtomicFile::fail(const std::string& what) {
    failure = what;
    return false;
}

// A device or a FIFO is not replaced by a file: it gets the bytes as they come.
void AtomicFile::openInPlace() {
    way = Way::InPlace;
    descriptor = open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        fail("", errno);
        return;
    }
    buffer = std::make_unique<DescriptorBuf>(descriptor);
    file.rdbuf(buffer.get());
}

bool AtomicFile::openFolder(const std::string& path) {
    folderPath = folderOf(path);
    baseName = nameOf(path);
    if (baseName.empty() || baseName == "." || baseName == "..") {
        return fail("", EISDIR);
    }
    folder = open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return folder >= 0 || fail("", errno);
}

bool AtomicFile::createTemporary(Temporary kind) {
    if (kind == Temporary::Unnamed) {
        descriptor = openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (descriptor >= 0) {
            return true;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            return fail("", errno);
        }
    }
    return createNamedTemporary();
}

// For file systems without unnamed files: a new name beside the target, removed again when
// the run fails or a signal ends it.
bool AtomicFile::createNamedTemporary() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryNameFor(baseName);
        removeOnSignal(folder, name.c_str());
        descriptor =
            openat(folder, name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (descriptor >= 0) {
            named = name;
            return true;
        }
        removeOnSignal(-1, "");
        if (errno != EEXIST) {
            return fail("cannot create a file beside it", errno);
        }
    }
    return fail("cannot create a file beside it", EEXIST);
}

bool AtomicFile::temporaryStillOurs() const {
    struct stat ours = {};
    struct stat there = {};
    return !named.empty() && fstat(descriptor, &ours) == 0 &&
           fstatat(folder, named.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
           sameFile(ours, there);
}

void AtomicFile::removeTemporary() {
    if (temporaryStillOurs()) {
        unlinkat(folder, named.c_str(), 0);
    }
    if (!named.empty()) {
        named.clear();
        removeOnSignal(-1, "");
    }
}

bool AtomicFile::commit() {
    if (!isOpen()) {
        return false;
    }
    file.flush();
    if (buffer->error() != 0) {
        return fail("", buffer->error());
    }
    bool done = false;
    if (way == Way::InPlace) {
        // A device or FIFO may not sync (EINVAL); what it took is all there is to know.
        done = fsync(descriptor) == 0 || errno == EINVAL || errno == EROFS ||
               fail("writing to disk failed", errno);
    } else if (fsync(descriptor) != 0) {
        fail("writing to disk failed", errno);
    } else {
        done = way == Way::CopyInto ? copyIntoTarget() : replaceTarget();
    }
    if (!done) {
        removeTemporary();
    }
    close();
    return done;
}

// Only root gives a file away; an ordinary user may still keep its group, and otherwise
// the new file is the user's own, as any file the user writes.
bool AtomicFile::keepOwner() const {
    if (earlier.st_uid == geteuid() && earlier.st_gid == getegid()) {
        return true;
    }
    return fchown(descriptor, earlier.st_uid, earlier.st_gid) == 0 ||
           fchown(descriptor, static_cast<uid_t>(-1), earlier.st_gid) == 0;
}

bool AtomicFile::keepOwnerAndMode() {
    if (existed) {
        keepOwner();
    }
    const mode_t mode = existed ? earlier.st_mode & 07777 : usualFileMode();
    return fchmod(descriptor, mode) == 0 || fail("cannot set its mode", errno);
}

bool AtomicFile::folderStillThere() {
    struct stat opened = {};
    struct stat now = {};
    if (fstat(folder, &opened) != 0 || opened.st_nlink == 0) {
        return fail("its folder " + printable(folderPath) + " was removed during the run");
    }
    if (stat(folderPath.c_str(), &now) != 0 || !sameFile(opened, now)) {
        return fail("its folder " + printable(folderPath) +
                    " was renamed or replaced during the run");
    }
    return true;
}

// Gives the unnamed file a name beside the target; without the capability to link by
// descriptor, through its /proc entry.
bool AtomicFile::linkTemporary() {
    const std::string byProc = "/proc/self/fd/" + std::to_string(descriptor);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryNameFor(baseName);
        int linked = linkat(descriptor, "", folder, name.c_str(), AT_EMPTY_PATH);
        if (linked != 0 && (errno == ENOENT || errno == EPERM)) {
            linked = linkat(AT_FDCWD, byProc.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW);
        }
        if (linked == 0) {
            named = name;
            removeOnSignal(folder, name.c_str());
            return true;
        }
        if (errno != EEXIST) {
            return fail("cannot put the new file in its folder", errno);
        }
    }
    return fail("cannot put the new file in its folder", EEXIST);
}

bool AtomicFile::replaceTarget() {
    if (!keepOwnerAndMode()) {
        return false;
    }
    const SignalsHeld held;
    if (!folderStillThere() || (named.empty() && !linkTemporary())) {
        return false;
    }
    if (!temporaryStillOurs()) {
        const std::string swapped = printable(folderPath + "/" + named);
        named.clear();  // not ours to remove
        removeOnSignal(-1, "");
        return fail("the new file " + swapped + " was replaced by another program");
    }
    if (endingSignalPending()) {
        return fail("interrupted");
    }
    if (renameat(folder, named.c_str(), folder, baseName.c_str()) != 0) {
        return fail("cannot replace it", errno);
    }
    named.clear();
    removeOnSignal(-1, "");
    fsync(folder);  // the new name on disk too; the file's bytes already are
    return true;
}

// The new bytes written over the old ones of a file with several hard links.
bool AtomicFile::copyIntoTarget() {
    const int into = open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (into < 0) {
        return fail("", errno);
    }
    const SignalsHeld held;
    std::vector<char> block(std::size_t{64} << 10);
    off_t total = 0;
    bool copied = lseek(descriptor, 0, SEEK_SET) == 0;
    for (ssize_t got = 1; copied && got > 0;) {
        got = read(descriptor, block.data(), block.size());
        for (ssize_t at = 0; copied && at < got;) {
            const ssize_t written =
                pwrite(into, block.data() + at, static_cast<std::size_t>(got - at), total + at);
            copied = written > 0;
            at += written;
        }
        copied = copied && got >= 0;
        total += got > 0 ? got : 0;
    }
    copied = copied && ftruncate(into, total) == 0 && fsync(into) == 0;
    if (!copied) {
        fail("writing it failed, it may be incomplete", errno);
    }
    ::close(into);
    return copied;
}

}  // namespace batch
