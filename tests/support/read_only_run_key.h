#pragma once
// Wine runs as an elevated user, so the machine-wide Run key is writable there. A test makes it
// read-only, as it is for a standard user on Windows, and gives it back its own security after; and
// makes any key refuse what a policy or a security program might refuse.

#include <windows.h>
#include <sddl.h>

#include <vector>

namespace tellurane::support {

// A key whose access list lets everyone do only what sddl says (read, by default) while it lives.
class ReadOnlyKey {
public:
    ReadOnlyKey(HKEY root, const wchar_t* path, const wchar_t* sddl = L"D:P(A;;KR;;;WD)") {
        RegOpenKeyExW(root, path, 0, READ_CONTROL | WRITE_DAC, &key_);
        DWORD size = 0;
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
        saved_.resize(size);
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data(), &size);
        PSECURITY_DESCRIPTOR limited = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &limited, nullptr);
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, limited);
        LocalFree(limited);
    }
    ~ReadOnlyKey() {
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data());
        RegCloseKey(key_);
    }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

private:
    HKEY key_ = nullptr;
    std::vector<BYTE> saved_;
};

// The kit's tests share these helpers, which take nothing from the program: Windows' key is named here.
class ReadOnlyMachineRunKey : public ReadOnlyKey {
public:
    ReadOnlyMachineRunKey() : ReadOnlyKey(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run") {}
};

}  // namespace tellurane::support
