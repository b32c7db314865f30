#pragma once
// The Windows registry through advapi32, one open key at a time. Key paths starting with '\' are
// taken from RootKey, others from the open key.
#include "toolkit/rtl/Classes.h"

#include <string>

// The same handle type windows.h declares.
struct HKEY__;
typedef struct HKEY__* HKEY;

class TRegistry : public TObject {
 public:
  // RootKey HKEY_CURRENT_USER; keys opened for all access unless OpenKeyReadOnly.
  TRegistry();
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return rootKey_; }
  void SetRootKey(HKEY key);  // closes the open key
  HKEY CurrentKey() const { return currentKey_; }
  const std::string& CurrentPath() const { return currentPath_; }

  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool KeyExists(const std::string& key);
  bool DeleteKey(const std::string& key);

  // A missing value reads as empty; a value of another type raises ERegistryException.
  std::string ReadString(const std::string& name);
  void WriteString(const std::string& name, const std::string& value);
  // A missing value or one of another type raises ERegistryException.
  int ReadInteger(const std::string& name);
  void WriteInteger(const std::string& name, int value);
  bool ReadBool(const std::string& name) { return ReadInteger(name) != 0; }
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
  bool ValueExists(const std::string& name);
  bool DeleteValue(const std::string& name);
  void GetValueNames(TStrings* strings);
  void GetKeyNames(TStrings* strings);
  std::string ClassName() const override { return "TRegistry"; }

 private:
  bool Open(const std::string& key, bool canCreate, bool readOnly);
  HKEY BaseKey(const std::string& key) const;
  std::string SubPath(const std::string& key) const;

  HKEY rootKey_;
  HKEY currentKey_ = nullptr;
  std::string currentPath_;
};
