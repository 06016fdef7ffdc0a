// SPDX-License-Identifier: MIT
// A build without libcurl: veskar-decode can only show the requests (--send --dry-run).
#include "share/Transport.h"

namespace share {

std::unique_ptr<Transport> makeHttpTransport(int /*timeoutSeconds*/) {
    return nullptr;
}

}  // namespace share
