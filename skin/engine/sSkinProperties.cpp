#include "skin/engine/sSkinProperties.h"

namespace {

const TPropInfo* SetInfo(const TObject* Obj, const std::string& Name) {
  const TPropInfo* Info = GetPropInfo(Obj, Name);
  return Info && Info->Kind == tkSet ? Info : nullptr;
}

bool IsOrdinal(const TPropInfo* Info) {
  return Info && (Info->Kind == tkInteger || Info->Kind == tkEnumeration || Info->Kind == tkSet);
}

// Deletes the first occurrence of Part; false when there is none.
bool DeleteFirst(std::string& Text, const std::string& Part) {
  const size_t At = Text.find(Part);
  if (At == std::string::npos) return false;
  Text.erase(At, Part.size());
  return true;
}

}  // namespace

bool HasProperty(const TObject* Obj, const std::string& Name) { return GetPropInfo(Obj, Name) != nullptr; }

TObject* GetObjectProperty(const TObject* Obj, const std::string& Name) {
  const TPropInfo* Info = GetPropInfo(Obj, Name);
  return Info && Info->Kind == tkClass ? Info->GetObj(Obj) : nullptr;
}

int GetIntProperty(const TObject* Obj, const std::string& Name) {
  const TPropInfo* Info = GetPropInfo(Obj, Name);
  return IsOrdinal(Info) ? int(Info->GetOrd(Obj)) : -1;
}

void SetIntProperty(TObject* Obj, const std::string& Name, int Value) {
  const TPropInfo* Info = GetPropInfo(Obj, Name);
  if (IsOrdinal(Info) && Info->SetOrd) Info->SetOrd(Obj, Value);
}

bool GetEnumPropertyName(const TObject* Obj, const std::string& Name, const std::string& Element) {
  const TPropInfo* Info = SetInfo(Obj, Name);
  if (!Info) return false;
  const uint64_t Value = uint64_t(Info->GetOrd(Obj));
  for (size_t I = 0; I < Info->EnumNames.size() && I < 32; ++I) {
    if (Info->EnumNames[I] == Element) return (Value >> I) & 1;
  }
  return false;
}

std::string SetToNames(const TPropInfo& PropInfo, uint32_t Value) {
  std::string Text;
  for (size_t I = 0; I < PropInfo.EnumNames.size() && I < 32; ++I) {
    if (!((Value >> I) & 1)) continue;
    if (!Text.empty()) Text += ',';
    Text += PropInfo.EnumNames[I];
  }
  return Text;
}

void SetSetPropertyElement(TObject* Obj, const std::string& Name, const std::string& Element, bool Add) {
  const TPropInfo* Info = SetInfo(Obj, Name);
  if (!Info) return;
  std::string Text = SetToNames(*Info, uint32_t(Info->GetOrd(Obj)));
  if (!Add) {
    DeleteFirst(Text, "," + Element) || DeleteFirst(Text, Element + ",") || DeleteFirst(Text, Element);
  } else if (Text.find(Element) == std::string::npos) {
    // An empty set takes the element alone: a trailing "," would name an empty element.
    Text = Text.empty() ? Element : Element + "," + Text;
  }
  SetSetProp(Obj, Name, Text);
}
