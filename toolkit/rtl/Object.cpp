#include "toolkit/rtl/Classes.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

std::string TObject::ClassName() const {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(typeid(*this).name(), nullptr, nullptr, &status),
                                              std::free);
  std::string s = status == 0 && name ? name.get() : typeid(*this).name();
  const auto colon = s.rfind("::");
  return colon == std::string::npos ? s : s.substr(colon + 2);
}

void TObject::GetPublishedProperties(TPropList&) const {}
