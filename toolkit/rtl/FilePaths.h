#pragma once
// Windows path text: '\' separates folders and ':' ends a drive.
#include <string>
#include <string_view>

constexpr char PathDelim = '\\';
constexpr char DriveDelim = ':';

std::string ExtractFilePath(std::string_view fileName);  // folder with its trailing '\'
std::string ExtractFileDir(std::string_view fileName);   // folder without it (a drive root keeps it)
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);   // ".ext" or empty
std::string ExtractFileDrive(std::string_view fileName); // "C:" or "\\server\share"
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
inline std::string IncludeTrailingBackslash(std::string_view path) { return IncludeTrailingPathDelimiter(path); }
inline std::string ExcludeTrailingBackslash(std::string_view path) { return ExcludeTrailingPathDelimiter(path); }
