#include "toolkit/rtl/ResourceStream.h"

#include "toolkit/rtl/Exceptions.h"

TResourceStream::TResourceStream(HINSTANCE Instance, const std::string& Name, const char* ResType) {
  if (!Instance) Instance = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(Instance, Name.c_str(), ResType);
  HGLOBAL data = info ? LoadResource(Instance, info) : nullptr;
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) throw EResNotFound("Resource " + Name + " not found");
  Write(bytes, SizeofResource(Instance, info));
  SetPosition(0);
}
