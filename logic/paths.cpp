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

}  // namespace tellurane
