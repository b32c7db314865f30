// Through XCB: its requests report their errors to the caller, where Xlib would call the one error
// handler of the process, which belongs to Wine.
#include "toolkit/ui/XScreenColormap.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace detail {

namespace {

struct TConnection {
  TConnection() {
    int number = 0;
    Connection = xcb_connect(nullptr, &number);
    if (xcb_connection_has_error(Connection)) return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(Connection));
    for (; it.rem && number > 0; --number) xcb_screen_next(&it);
    if (it.rem) Screen = it.data;
  }
  ~TConnection() { xcb_disconnect(Connection); }
  xcb_connection_t* Connection = nullptr;
  xcb_screen_t* Screen = nullptr;
};

}  // namespace

void UseDefaultColormap(std::uint32_t XWindow) {
  static const TConnection X;
  if (!X.Screen || !XWindow) return;
  const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
      xcb_get_window_attributes_reply(X.Connection, xcb_get_window_attributes(X.Connection, XWindow), nullptr),
      &std::free);
  if (!attributes || attributes->visual != X.Screen->root_visual ||
      attributes->colormap == X.Screen->default_colormap)
    return;
  const std::uint32_t colormap = X.Screen->default_colormap;
  std::free(xcb_request_check(X.Connection,
                              xcb_change_window_attributes_checked(X.Connection, XWindow, XCB_CW_COLORMAP, &colormap)));
}

}  // namespace detail
