#pragma once
// Errors of pictures, in a header of their own (no windows.h) so that pure image readers raise them.
#include "toolkit/rtl/Exceptions.h"

// A picture's data is damaged or of a kind the class cannot read.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};
