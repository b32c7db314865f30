#include "skin/engine/sSkinDirectory.h"

namespace {

bool StartsWith(std::string_view S, std::string_view Prefix) { return S.substr(0, Prefix.size()) == Prefix; }

// The folder less its last folder name, keeping the separator before that name; a drive root stays.
std::string_view ParentFolder(std::string_view Folder) {
  std::string_view Inner = Folder;
  if (!Inner.empty() && (Inner.back() == '\\' || Inner.back() == '/')) Inner.remove_suffix(1);
  const std::size_t Sep = Inner.find_last_of("\\/");
  return Sep == std::string_view::npos ? Folder : Folder.substr(0, Sep + 1);
}

std::string_view Past(std::string_view S, std::size_t Count) { return S.substr(S.size() < Count ? S.size() : Count); }

}  // namespace

std::string ResolveSkinDirectory(std::string_view SkinDirectory, std::string_view ProgramFolder) {
  if (StartsWith(SkinDirectory, "..")) return std::string(ParentFolder(ProgramFolder)).append(Past(SkinDirectory, 3));
  if (StartsWith(SkinDirectory, ".\\") || StartsWith(SkinDirectory, "./"))
    return std::string(ProgramFolder).append(Past(SkinDirectory, 2));
  if (SkinDirectory.find(':') == std::string_view::npos && SkinDirectory.find("\\\\") == std::string_view::npos)
    return std::string(ProgramFolder).append(SkinDirectory);
  return std::string(SkinDirectory);
}
