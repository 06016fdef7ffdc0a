// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace space {

// The decoding error: a name getter met a state code that its table does not name.
// It carries nothing but its message and is thrown by value.
class Exception {
  public:
    explicit Exception(std::string message) : message(std::move(message)) {}

    std::string message;
};

}  // namespace space
