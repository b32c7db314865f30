#pragma once
// The runtime's general routines in one include: exceptions, text, numbers, dates, format settings,
// path text and files. The file and clock routines and GetFormatSettings are Win32 (library toolkit_rtl);
// everything else is pure (toolkit_rtl_pure).
#include "toolkit/rtl/AnsiText.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FilePaths.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/rtl/StringUtils.h"

// Refills the global FormatSettings from the user's Windows locale (call at start-up and whenever the
// regional settings change; nothing reads the locale behind the program's back).
void GetFormatSettings();
// The same values for any locale id, for callers that keep their own record.
TFormatSettings LocaleFormatSettings(unsigned long localeId);
namespace detail {
// Puts the values found under HKEY_CURRENT_USER\keyPath (sDecimal, sShortDate, sTimeFormat, ...) into fs.
void ApplyRegionalOverrides(TFormatSettings& fs, const std::string& keyPath);
}  // namespace detail

// The system's text for an error code, and EOSError for the calling thread's last error.
std::string SysErrorMessage(unsigned long errorCode);
[[noreturn]] void RaiseLastOSError();

// Free bytes on a drive (0 the current one, 1 A:, 2 B:, 3 C: ...), -1 when it cannot be read.
int64_t DiskFree(uint8_t drive);
// Size in bytes of a drive, numbered as for DiskFree; -1 when it cannot be read (no medium, no drive).
int64_t DiskSize(uint8_t drive);
