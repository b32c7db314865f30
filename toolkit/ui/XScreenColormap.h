#pragma once
// The X side of TScreenColormap, apart from windows.h (Xlib's and Win32's names clash).
#include <cstdint>

namespace detail {

// Gives the X window the default colormap of its screen when it has the screen's default visual;
// nothing without an X display, or when the window is gone.
void UseDefaultColormap(std::uint32_t XWindow);

}  // namespace detail
