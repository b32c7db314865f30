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

std::string GetSetProp(const TObject* Instance, const std::string& PropName) {
  const TPropInfo& p = Need(Instance, PropName, false, tkSet);
  const std::int64_t v = p.GetOrd(Instance);
  std::string s;
  for (size_t i = 0; i < p.EnumNames.size() && i < 64; ++i) {
    if (!(v & (std::int64_t{1} << i))) continue;
    if (!s.empty()) s += ',';
    s += p.EnumNames[i];
  }
  return s;
}

void SetSetProp(TObject* Instance, const std::string& PropName, const std::string& Value) {
  const TPropInfo& p = Need(Instance, PropName, false, tkSet);
  std::string text = Value;
  const size_t first = text.find_first_not_of(" \t[");
  const size_t last = text.find_last_not_of(" \t]");
  text = first == std::string::npos ? "" : text.substr(first, last - first + 1);
  std::int64_t v = 0;
  size_t start = 0;
  while (start <= text.size() && !text.empty()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    std::string name = text.substr(start, end - start);
    name.erase(0, name.find_first_not_of(" \t"));
    name.erase(name.find_last_not_of(" \t") + 1);
    size_t i = 0;
    while (i < p.EnumNames.size() && !AnsiSameText(p.EnumNames[i], name)) ++i;
    if (i == p.EnumNames.size()) throw EPropertyError("Invalid property element: " + name);
    v |= std::int64_t{1} << i;
    start = end + 1;
  }
  NeedWritable(p, bool(p.SetOrd)).SetOrd(Instance, v);
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
