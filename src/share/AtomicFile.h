// SPDX-License-Identifier: MIT
#pragma once

#include <fstream>
#include <string>

namespace share {

// A file that replaces its target only once it is complete: written to a new file beside
// the target and renamed over it by commit(). Until then, and if anything fails, the
// earlier file stays as it was.
class AtomicFile {
  public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Empty when the file could not be started; error() says why.
    std::ostream& stream() { return file; }
    bool isOpen() const { return !temporary.empty(); }

    // Makes the written bytes the target's. False on failure, with the reason in error().
    bool commit();
    const std::string& error() const { return failure; }

  private:
    bool fail(const std::string& what);

    std::string target;
    std::string temporary;
    std::ofstream file;
    std::string failure;
};

}  // namespace share
