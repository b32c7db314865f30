#pragma once
// A map that cannot be computed from its data (a division by zero, a square root of a negative
// number, an angle out of range, rings out of order): raised instead of NaN or infinity in a grid.
#include "toolkit/rtl/Exceptions.h"

class EErroMapa : public Exception {
 public:
  using Exception::Exception;
};
