// SPDX-License-Identifier: MIT
#include "share/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace share {
namespace {

mode_t usualFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : target(std::move(target)) {
    std::vector<char> name(this->target.begin(), this->target.end());
    const std::string suffix = ".XXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        fail("cannot create a file beside it");
        return;
    }
    fchmod(descriptor, usualFileMode());
    close(descriptor);
    temporary = name.data();
    file.open(temporary, std::ios::binary | std::ios::trunc);
    if (!file) {
        fail("cannot write a file beside it");
    }
}

AtomicFile::~AtomicFile() {
    if (!temporary.empty()) {
        file.close();
        std::remove(temporary.c_str());
    }
}

bool AtomicFile::fail(const std::string& what) {
    failure = what + ": " + std::strerror(errno);
    return false;
}

bool AtomicFile::commit() {
    if (temporary.empty()) {
        return false;
    }
    file.flush();
    if (!file) {
        return fail("writing failed");
    }
    file.close();
    const int descriptor = open(temporary.c_str(), O_RDONLY);
    const bool synced = descriptor >= 0 && fsync(descriptor) == 0;
    if (descriptor >= 0) {
        close(descriptor);
    }
    if (!synced) {
        return fail("writing to disk failed");
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        return fail("cannot replace it");
    }
    temporary.clear();
    return true;
}

}  // namespace share
