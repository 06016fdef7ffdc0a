// SPDX-License-Identifier: MIT
#pragma once

#include <sys/stat.h>

#include <memory>
#include <ostream>
#include <string>

#include "batch/DescriptorBuf.h"

namespace batch {

// A file that replaces its target only once it is complete, as the dialog's Save does:
// written to a new file in the target's folder and put in its place by commit(). Until
// then, and if anything fails, the earlier file stays as it was. The new file keeps the
// earlier one's mode (and owner and group, where the runner may); a symbolic link is
// followed to the file it names.
//
// A target that is not a regular file (a device, a FIFO) is written in place, and a file
// with several hard links gets the new bytes copied into it at commit(), so that its links
// stay one file.
class AtomicFile {
  public:
    // Unnamed: a file without a name (O_TMPFILE) until commit(), where the file system has
    // them; Named: always a named one beside the target (TARGET.XXXXXX).
    enum class Temporary { Unnamed, Named };

    explicit AtomicFile(std::string target, Temporary kind = Temporary::Unnamed);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Empty when the file could not be started; error() says why.
    std::ostream& stream() { return file; }
    bool isOpen() const { return descriptor >= 0; }

    // Makes the written bytes the target's. False on failure, with the reason in error().
    bool commit();
    const std::string& error() const { return failure; }

    // The temporary file's name in the target's folder while it has one, else empty.
    const std::string& temporaryName() const { return named; }

  private:
    enum class Way { Replace, CopyInto, InPlace };

    void openInPlace();
    bool openFolder(const std::string& path);
    bool createTemporary(Temporary kind);
    bool createNamedTemporary();
    bool replaceTarget();
    bool copyIntoTarget();
    bool keepOwner() const;
    bool keepOwnerAndMode();
    bool folderStillThere();
    bool linkTemporary();
    bool temporaryStillOurs() const;
    void removeTemporary();
    bool fail(const std::string& what, int error);
    bool fail(const std::string& what);
    void close();

    std::string target;
    std::string folderPath, baseName;
    Way way = Way::Replace;
    bool existed = false;
    struct stat earlier = {};
    int folder = -1;
    int descriptor = -1;
    std::string named;
    std::unique_ptr<DescriptorBuf> buffer;
    std::ostream file{nullptr};
    std::string failure;
};

}  // namespace batch
