#include "toolkit/rtl/TypInfo.h"

#include "toolkit/rtl/AnsiText.h"

namespace {

const TPropInfo& Need(const TObject* Instance, const std::string& PropName, bool ordinal, TTypeKind kind) {
  const TPropInfo* p = GetPropInfo(Instance, PropName);
  if (!p) throw EPropertyError("Property " + PropName + " does not exist");
  const bool isOrd = p->Kind == tkInteger || p->Kind == tkEnumeration || p->Kind == tkSet;
  if (ordinal ? !isOrd : p->Kind != kind) throw EPropertyError("Invalid property type: " + PropName);
  return *p;
}

const TPropInfo& NeedWritable(const TPropInfo& p, bool writable) {
  if (!writable) throw EPropertyError("Property " + p.Name + " is read-only");
  return p;
}

}  // namespace

const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& PropName) {
  if (!Instance) return nullptr;
  TPropList list;
  Instance->GetPublishedProperties(list);
  // A derived class's entry of the same name comes later and wins.
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if (AnsiSameText((*it)->Name, PropName)) return *it;
  }
  return nullptr;
}

bool IsPublishedProp(const TObject* Instance, const std::string& PropName) {
  return GetPropInfo(Instance, PropName) != nullptr;
}

std::int64_t GetOrdProp(const TObject* Instance, const std::string& PropName) {
  return Need(Instance, PropName, true, tkInteger).GetOrd(Instance);
}

void SetOrdProp(TObject* Instance, const std::string& PropName, std::int64_t Value) {
  const TPropInfo& p = Need(Instance, PropName, true, tkInteger);
  NeedWritable(p, bool(p.SetOrd)).SetOrd(Instance, Value);
}

std::string GetEnumProp(const TObject* Instance, const std::string& PropName) {
  const TPropInfo& p = Need(Instance, PropName, false, tkEnumeration);
  const std::int64_t v = p.GetOrd(Instance);
  return v >= 0 && v < static_cast<std::int64_t>(p.EnumNames.size()) ? p.EnumNames[v] : std::to_string(v);
}

void SetEnumProp(TObject* Instance, const std::string& PropName, const std::string& Value) {
  const TPropInfo& p = Need(Instance, PropName, false, tkEnumeration);
  for (size_t i = 0; i < p.EnumNames.size(); ++i) {
    if (AnsiSameText(p.EnumNames[i], Value)) {
      NeedWritable(p, bool(p.SetOrd)).SetOrd(Instance, static_cast<std::int64_t>(i));
      return;
    }
  }
  throw EPropertyError("Invalid property value " + Value + " for " + PropName);
}

std::string GetStrProp(const TObject* Instance, const std::string& PropName) {
  return Need(Instance, PropName, false, tkString).GetStr(Instance);
}

void SetStrProp(TObject* Instance, const std::string& PropName, const std::string& Value) {
  const TPropInfo& p = Need(Instance, PropName, false, tkString);
  NeedWritable(p, bool(p.SetStr)).SetStr(Instance, Value);
}

TObject* GetObjectProp(const TObject* Instance, const std::string& PropName) {
  return Need(Instance, PropName, false, tkClass).GetObj(Instance);
}

void SetObjectProp(TObject* Instance, const std::string& PropName, TObject* Value) {
  const TPropInfo& p = Need(Instance, PropName, false, tkClass);
  NeedWritable(p, bool(p.SetObj)).SetObj(Instance, Value);
}
