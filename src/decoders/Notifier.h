// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace decoders {

// How a decoder shows a message to the operator (an OK message box in the dialog).
class Notifier {
  public:
    virtual ~Notifier() = default;
    virtual void showMessage(const std::string& cp932Text) = 0;
};

}  // namespace decoders
