// SPDX-License-Identifier: MIT
#include "batch/DescriptorBuf.h"

#include <unistd.h>

#include <cerrno>

namespace batch {

DescriptorBuf::DescriptorBuf(int descriptor)
    : descriptor(descriptor), buffer(std::size_t{64} << 10) {
    setp(buffer.data(), buffer.data() + buffer.size());
}

bool DescriptorBuf::writeAll(const char* bytes, std::size_t count) {
    while (count > 0 && failure == 0) {
        const ssize_t written = ::write(descriptor, bytes, count);
        if (written < 0) {
            if (errno != EINTR) {
                failure = errno;
            }
            continue;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return failure == 0;
}

bool DescriptorBuf::drain() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer.data(), buffer.data() + buffer.size());
    return writeAll(buffer.data(), pending);
}

DescriptorBuf::int_type DescriptorBuf::overflow(int_type c) {
    if (!drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize DescriptorBuf::xsputn(const char* text, std::streamsize count) {
    if (count <= epptr() - pptr()) {
        traits_type::copy(pptr(), text, static_cast<std::size_t>(count));
        pbump(static_cast<int>(count));
        return count;
    }
    if (!drain() || !writeAll(text, static_cast<std::size_t>(count))) {
        return 0;
    }
    return count;
}

int DescriptorBuf::sync() {
    return drain() ? 0 : -1;
}

}  // namespace batch
