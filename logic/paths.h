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

}  // namespace tellurane
