#pragma once
// Published properties by name: each class lists its published properties in a small explicit
// table (GetPublishedProperties); these routines find one by name and read or write it.
#include <cstdint>
#include <functional>
#include <type_traits>
#include <string>
#include <vector>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/Classes.h"

// A property that does not exist, is of another kind, or cannot be written.
class EPropertyError : public Exception {
 public:
  using Exception::Exception;
};

enum TTypeKind { tkInteger, tkEnumeration, tkSet, tkString, tkClass };

struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkInteger;
  // Integers, enumerations (Booleans too) and sets.
  std::function<std::int64_t(const TObject*)> GetOrd;
  std::function<void(TObject*, std::int64_t)> SetOrd;
  std::function<std::string(const TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<TObject*(const TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;
  // Names of an enumeration's values, in order; of a set's elements, bit by bit.
  std::vector<std::string> EnumNames;
};

inline TPropInfo NewPropInfo(const char* Name, TTypeKind Kind) {
  TPropInfo p;
  p.Name = Name;
  p.Kind = Kind;
  return p;
}


// Table entries for a class C, from its getter and setter (the setter may be nullptr: read-only).
template <class C, class Get, class Set>
TPropInfo OrdProperty(const char* Name, Get get, Set set, std::vector<std::string> EnumNames = {}) {
  TPropInfo p = NewPropInfo(Name, EnumNames.empty() ? tkInteger : tkEnumeration);
  p.GetOrd = [get](const TObject* o) { return static_cast<std::int64_t>((static_cast<const C*>(o)->*get)()); };
  if constexpr (!std::is_null_pointer_v<Set>) {
    p.SetOrd = [set](TObject* o, std::int64_t v) {
      using Arg = std::decay_t<decltype((static_cast<const C*>(o)->*std::declval<Get>())())>;
      (static_cast<C*>(o)->*set)(static_cast<Arg>(v));
    };
  }
  p.EnumNames = std::move(EnumNames);
  return p;
}

template <class C, class Get, class Set>
TPropInfo BoolProperty(const char* Name, Get get, Set set) {
  return OrdProperty<C>(Name, get, set, {"False", "True"});
}

// A set held as bits (element i is bit i), with its elements' names.
template <class C, class Get, class Set>
TPropInfo SetProperty(const char* Name, Get get, Set set, std::vector<std::string> ElementNames) {
  TPropInfo p = OrdProperty<C>(Name, get, set, std::move(ElementNames));
  p.Kind = tkSet;
  return p;
}

template <class C, class Get, class Set>
TPropInfo StrProperty(const char* Name, Get get, Set set) {
  TPropInfo p = NewPropInfo(Name, tkString);
  p.GetStr = [get](const TObject* o) { return std::string((static_cast<const C*>(o)->*get)()); };
  if constexpr (!std::is_null_pointer_v<Set>) {
    p.SetStr = [set](TObject* o, const std::string& v) { (static_cast<C*>(o)->*set)(v); };
  }
  return p;
}

// An object property: the getter returns a pointer to the object; the setter (Assign-style or a
// reference to another component) may be nullptr.
template <class C, class Get, class Set>
TPropInfo ObjProperty(const char* Name, Get get, Set set) {
  TPropInfo p = NewPropInfo(Name, tkClass);
  p.GetObj = [get](const TObject* o) -> TObject* { return (static_cast<const C*>(o)->*get)(); };
  if constexpr (!std::is_null_pointer_v<Set>) {
    p.SetObj = [set](TObject* o, TObject* v) {
      using Ptr = decltype((static_cast<const C*>(o)->*std::declval<Get>())());
      (static_cast<C*>(o)->*set)(dynamic_cast<Ptr>(v));
    };
  }
  return p;
}

// The published property of that name (case-insensitive), or nullptr.
const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& PropName);
bool IsPublishedProp(const TObject* Instance, const std::string& PropName);

// Readers and writers by name. They raise EPropertyError for a missing property or the wrong kind.
std::int64_t GetOrdProp(const TObject* Instance, const std::string& PropName);
void SetOrdProp(TObject* Instance, const std::string& PropName, std::int64_t Value);
std::string GetEnumProp(const TObject* Instance, const std::string& PropName);
void SetEnumProp(TObject* Instance, const std::string& PropName, const std::string& Value);
// A set property as the names of its elements, joined by "," ("biSystemMenu,biMinimize"). The
// writer takes the same text, blanks and enclosing brackets allowed, and raises EPropertyError
// for a name that is not one of the set's.
std::string GetSetProp(const TObject* Instance, const std::string& PropName);
void SetSetProp(TObject* Instance, const std::string& PropName, const std::string& Value);
std::string GetStrProp(const TObject* Instance, const std::string& PropName);
void SetStrProp(TObject* Instance, const std::string& PropName, const std::string& Value);
TObject* GetObjectProp(const TObject* Instance, const std::string& PropName);
void SetObjectProp(TObject* Instance, const std::string& PropName, TObject* Value);
