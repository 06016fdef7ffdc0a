// SPDX-License-Identifier: MIT
#include "morse/HeardFrame.h"

namespace morse {

double HeardField::confidence() const {
    double product = 1;
    for (const HeardCharacter& character : characters) {
        product *= character.confidence;
    }
    return product;
}

double HeardFrame::confidence() const {
    double product = 1;
    for (const HeardField& field : fields) {
        product *= field.confidence();
    }
    return product;
}

}  // namespace morse
