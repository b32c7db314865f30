#pragma once
// The bitmap pixel formats, in a header of their own (no windows.h) so that pure image readers and
// converters name them too.

// pfDevice stores pixels as the screen would (32 bits here) and stays pfDevice until a format is
// chosen; pfCustom names layouts the class cannot make.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
