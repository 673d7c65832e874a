#include "logic/paths.h"

namespace tellurane {
namespace {
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
}  // namespace

std::wstring FolderOf(std::wstring_view filePath) {
    const auto last = filePath.find_last_of(L"\\/");
    if (last == std::wstring_view::npos) {
        // "C:file" names a file in the drive's current folder; the drive itself is all we know.
        return filePath.size() >= 2 && filePath[1] == L':' ? std::wstring(filePath.substr(0, 2)) : std::wstring();
    }
    std::wstring_view folder = filePath.substr(0, last);
    const bool driveRoot = folder.size() == 2 && folder[1] == L':';
    if (folder.empty() || driveRoot) return std::wstring(filePath.substr(0, last + 1));
    return std::wstring(folder);
}

std::wstring FileNameOf(std::wstring_view filePath) {
    const auto last = filePath.find_last_of(L"\\/:");
    return std::wstring(last == std::wstring_view::npos ? filePath : filePath.substr(last + 1));
}

std::wstring InFolder(std::wstring_view folder, std::wstring_view relativePath) {
    while (!relativePath.empty() && IsSeparator(relativePath.front())) relativePath.remove_prefix(1);
    std::wstring path(folder);
    if (!path.empty() && !IsSeparator(path.back())) path += L'\\';
    path += relativePath;
    return path;
}

std::wstring LongPathForm(std::wstring_view path) {
    constexpr std::size_t kLongestFolder = 248;
    if (path.size() < kLongestFolder || path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) {
        return std::wstring(path);
    }
    std::wstring prefixed;
    const bool drive = path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]);
    if (drive) {
        prefixed = L"\\\\?\\";
    } else if (IsSeparator(path[0]) && IsSeparator(path[1])) {
        prefixed = L"\\\\?\\UNC";
        path.remove_prefix(1);  // one of the two leading separators stays
    } else {
        return std::wstring(path);  // relative: the usual form is all Windows takes
    }
    // The prefixed form is taken as it is: '/' is no separator there.
    for (const wchar_t c : path) prefixed += c == L'/' ? L'\\' : c;
    return prefixed;
}

}  // namespace tellurane
