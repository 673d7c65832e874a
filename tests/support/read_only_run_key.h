#pragma once
// Wine runs as an elevated user, so the machine-wide Run key is writable there. A test makes it
// read-only, as it is for a standard user on Windows, and gives it back its own security after.

#include <windows.h>
#include <sddl.h>

#include <vector>

#include "app/settings/reg_stuff.h"

namespace tellurane::support {

class ReadOnlyMachineRunKey {
public:
    ReadOnlyMachineRunKey() {
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunSubKey, 0, READ_CONTROL | WRITE_DAC, &key_);
        DWORD size = 0;
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
        saved_.resize(size);
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data(), &size);
        PSECURITY_DESCRIPTOR readOnly = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly, nullptr);
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, readOnly);
        LocalFree(readOnly);
    }
    ~ReadOnlyMachineRunKey() {
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data());
        RegCloseKey(key_);
    }
    ReadOnlyMachineRunKey(const ReadOnlyMachineRunKey&) = delete;
    ReadOnlyMachineRunKey& operator=(const ReadOnlyMachineRunKey&) = delete;

private:
    HKEY key_ = nullptr;
    std::vector<BYTE> saved_;
};

}  // namespace tellurane::support
