#pragma once
// TMethod<R(A...)>: an object and one of its member functions, called like a function and, unlike a
// std::function, comparable by identity. Window procedures (TWndMethod) and application hooks are
// kept this way so that a subclassing object can tell whether its own method is still the one in
// place before it restores what it replaced.
#include <cstring>
#include <type_traits>

template <class Sig>
class TMethod;

template <class R, class... A>
class TMethod<R(A...)> {
 public:
  TMethod() = default;

  template <class C>
  TMethod(C* obj, R (C::*fn)(A...)) : obj_(obj), call_(&Call<C>) {
    static_assert(sizeof(fn) <= sizeof(code_), "member function pointer too large");
    std::memcpy(code_, &fn, sizeof(fn));
  }

  R operator()(A... args) const { return call_(obj_, code_, static_cast<A&&>(args)...); }

  explicit operator bool() const { return call_ != nullptr; }
  void* Data() const { return obj_; }

  friend bool operator==(const TMethod& a, const TMethod& b) {
    return a.obj_ == b.obj_ && a.call_ == b.call_ && std::memcmp(a.code_, b.code_, sizeof(a.code_)) == 0;
  }

 private:
  using Code = unsigned char[2 * sizeof(void*)];

  template <class C>
  static R Call(void* obj, const Code& code, A... args) {
    R (C::*fn)(A...);
    std::memcpy(&fn, code, sizeof(fn));
    return (static_cast<C*>(obj)->*fn)(static_cast<A&&>(args)...);
  }

  void* obj_ = nullptr;
  R (*call_)(void*, const Code&, A...) = nullptr;
  alignas(void*) Code code_{};
};
