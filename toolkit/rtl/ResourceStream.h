#pragma once
// TResourceStream: a resource of a module read as a stream (RCDATA pictures and texts carried in
// the program file).
#include <windows.h>

#include <string>

#include "toolkit/rtl/Classes.h"

class TResourceStream : public TMemoryStream {
 public:
  // Copies the resource Name of type ResType out of Instance (0: the program); raises EResNotFound
  // when the module has no such resource.
  TResourceStream(HINSTANCE Instance, const std::string& Name, const char* ResType);
  std::string ClassName() const override { return "TResourceStream"; }
};
