#pragma once
// Owners of GDI handles: every font, pen, brush, bitmap, palette, icon and memory DC the
// graphics classes make is released by one of these.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace detail {

struct GdiObjectDeleter {
  void operator()(void* h) const { DeleteObject(static_cast<HGDIOBJ>(h)); }
};
struct DcDeleter {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct IconDeleter {
  void operator()(HICON h) const { DestroyIcon(h); }
};

template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using MemoryDc = std::unique_ptr<HDC__, DcDeleter>;
using IconHandle = std::unique_ptr<HICON__, IconDeleter>;

// A handle shared between its graphics object and the canvases that have it selected, so that
// a handle replaced while selected is deleted only after the canvas lets go of it.
template <class Handle>
using SharedGdiObject = std::shared_ptr<std::remove_pointer_t<Handle>>;

template <class Handle>
SharedGdiObject<Handle> ShareGdiObject(Handle h) {
  return h ? SharedGdiObject<Handle>(h, GdiObjectDeleter{}) : SharedGdiObject<Handle>();
}

}  // namespace detail
