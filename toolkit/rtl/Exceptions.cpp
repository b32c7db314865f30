#include "toolkit/rtl/Exceptions.h"

void Abort() { throw EAbort(); }
