#include "toolkit/rtl/FormatSettings.h"

TFormatSettings FormatSettings;
