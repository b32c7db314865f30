#include <windows.h>

#include "toolkit/rtl/Registry.h"

#include <vector>

namespace {

[[noreturn]] void BadType(const std::string& name) {
  throw ERegistryException("Tipo de dado inv\xE1lido para '" + name + "'");
}

bool IsAbsolute(const std::string& key) { return !key.empty() && key[0] == '\\'; }

std::string TrimDelims(std::string s) {
  while (!s.empty() && s.front() == '\\') s.erase(0, 1);
  while (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

}  // namespace

TRegistry::TRegistry() : rootKey_(HKEY_CURRENT_USER) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY key) {
  CloseKey();
  rootKey_ = key;
}

void TRegistry::CloseKey() {
  if (currentKey_) RegCloseKey(currentKey_);
  currentKey_ = nullptr;
  currentPath_.clear();
}

HKEY TRegistry::BaseKey(const std::string& key) const {
  return currentKey_ && !IsAbsolute(key) ? currentKey_ : rootKey_;
}

std::string TRegistry::SubPath(const std::string& key) const {
  const std::string sub = TrimDelims(key);
  if (!currentKey_ || IsAbsolute(key) || currentPath_.empty()) return sub;
  return sub.empty() ? currentPath_ : currentPath_ + "\\" + sub;
}

bool TRegistry::Open(const std::string& key, bool canCreate, bool readOnly) {
  const REGSAM access = readOnly ? KEY_READ : KEY_ALL_ACCESS;
  const std::string sub = TrimDelims(key);
  HKEY opened = nullptr;
  LONG r;
  if (canCreate) {
    r = RegCreateKeyExA(BaseKey(key), sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &opened,
                        nullptr);
  } else {
    r = RegOpenKeyExA(BaseKey(key), sub.c_str(), 0, access, &opened);
  }
  if (r != ERROR_SUCCESS) return false;
  const std::string path = SubPath(key);
  CloseKey();
  currentKey_ = opened;
  currentPath_ = path;
  return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) { return Open(key, canCreate, false); }

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return Open(key, false, true); }

bool TRegistry::KeyExists(const std::string& key) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(BaseKey(key), TrimDelims(key).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  const std::string sub = TrimDelims(key);
  if (sub.empty() || RegDeleteTreeA(BaseKey(key), sub.c_str()) != ERROR_SUCCESS) return false;
  // Some systems leave the emptied key itself behind.
  return !KeyExists(key) || RegDeleteKeyA(BaseKey(key), sub.c_str()) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) BadType(name);
  std::string buf(size + 1, '\0');
  size = DWORD(buf.size());
  if (RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size) !=
      ERROR_SUCCESS)
    return {};
  buf.resize(size);
  while (!buf.empty() && buf.back() == '\0') buf.pop_back();
  return buf;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  if (RegSetValueExA(currentKey_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     DWORD(value.size() + 1)) != ERROR_SUCCESS)
    throw ERegistryException("N\xE3o foi poss\xEDvel gravar o valor '" + name + "' no registro");
}

int TRegistry::ReadInteger(const std::string& name) {
  DWORD type = 0, value = 0, size = sizeof value;
  const LONG r = RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (r != ERROR_SUCCESS || type != REG_DWORD) BadType(name);
  return int(value);
}

void TRegistry::WriteInteger(const std::string& name, int value) {
  const DWORD v = DWORD(value);
  if (RegSetValueExA(currentKey_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) !=
      ERROR_SUCCESS)
    throw ERegistryException("N\xE3o foi poss\xEDvel gravar o valor '" + name + "' no registro");
}

bool TRegistry::ValueExists(const std::string& name) {
  return currentKey_ && RegQueryValueExA(currentKey_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& name) {
  return currentKey_ && RegDeleteValueA(currentKey_, name.c_str()) == ERROR_SUCCESS;
}

namespace {

// Names of the values (or subkeys) of key, through RegEnumValueA (or RegEnumKeyExA).
void EnumNames(HKEY key, bool subkeys, TStrings* strings) {
  strings->BeginUpdate();
  strings->Clear();
  DWORD keys = 0, maxKeyLen = 0, values = 0, maxValueLen = 0;
  if (key && RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &keys, &maxKeyLen, nullptr, &values, &maxValueLen,
                              nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
    const DWORD count = subkeys ? keys : values;
    std::vector<char> name((subkeys ? maxKeyLen : maxValueLen) + 1);
    for (DWORD i = 0; i < count; ++i) {
      DWORD len = DWORD(name.size());
      const LONG r = subkeys ? RegEnumKeyExA(key, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr)
                             : RegEnumValueA(key, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr);
      if (r == ERROR_SUCCESS) strings->Add(std::string(name.data(), len));
    }
  }
  strings->EndUpdate();
}

}  // namespace

void TRegistry::GetValueNames(TStrings* strings) { EnumNames(currentKey_, false, strings); }

void TRegistry::GetKeyNames(TStrings* strings) { EnumNames(currentKey_, true, strings); }
