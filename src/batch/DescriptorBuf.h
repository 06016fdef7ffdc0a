// SPDX-License-Identifier: MIT
#pragma once

#include <streambuf>
#include <vector>

namespace batch {

// A buffered output stream buffer on a file descriptor that keeps the errno of the first
// failed write, so that a failure can be reported with its reason ("No space left on
// device"). The descriptor stays the owner's to close.
class DescriptorBuf : public std::streambuf {
  public:
    explicit DescriptorBuf(int descriptor);
    DescriptorBuf(const DescriptorBuf&) = delete;
    DescriptorBuf& operator=(const DescriptorBuf&) = delete;

    // 0 while every write succeeded.
    int error() const { return failure; }

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

  private:
    bool writeAll(const char* bytes, std::size_t count);
    bool drain();

    int descriptor;
    std::vector<char> buffer;
    int failure = 0;
};

}  // namespace batch
