#pragma once
// Who can change a program's file and the folders above it, read from their access lists.

#include <string>

namespace tellurane {

// True when a user without administrator rights could change what this executable path starts: the
// file, a file put beside it, or a folder on the way renamed and made again. A part whose security
// cannot be read counts as open.
bool OthersCanChangeProgram(const std::wstring& exePath);

}  // namespace tellurane
