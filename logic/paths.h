#pragma once
#include <string>
#include <string_view>

namespace tellurane {

// The folder of a file path, without a trailing separator except at a root ("C:\", or "\" for
// the root of the current drive).
std::wstring FolderOf(std::wstring_view filePath);

// The file name of a path, without its folder or drive ("C:x.exe" names "x.exe").
std::wstring FileNameOf(std::wstring_view filePath);

// A file in a folder, with exactly one separator between them (a drive root already ends in one).
std::wstring InFolder(std::wstring_view folder, std::wstring_view relativePath);

// The form of a full path that Windows' wide file functions take at any length ("\\?\C:\..." or
// "\\?\UNC\server\share\..."), for one too long for the usual form: MAX_PATH characters, or 248 for a
// folder (room for a file's 8.3 name). Without it such a path fails on a Windows where long paths
// are not switched on, whatever the program's manifest says. Shorter, relative and already prefixed
// paths come back as they are.
std::wstring LongPathForm(std::wstring_view path);

}  // namespace tellurane
