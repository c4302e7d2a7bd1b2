#pragma once

#include <stdexcept>

namespace core {

// An index outside a list (the particle list, a stored sound list). Its text
// is the game's own: "List index out of bounds (N)".
class EListError : public std::out_of_range {
  public:
    using std::out_of_range::out_of_range;
};

}  // namespace core
