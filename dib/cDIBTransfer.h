#pragma once

#include <cstdint>

#include "dib/cDIBImage.h"

namespace dib {

// Lays n source pixels over n target pixels, left to right, with the rule and
// the opacity and key the transfer carries.
void TransferRow(const TTransfer& transfer, const uint32_t* src, uint32_t* dst, int n);

}  // namespace dib
