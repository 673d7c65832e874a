#include "app/tray/property_bag.h"

#include <cwctype>

namespace tellurane {

std::wstring PropertyBag::Key(std::wstring_view name) {
    std::wstring key(name);
    for (wchar_t& c : key) c = static_cast<wchar_t>(std::towlower(c));
    return key;
}

}  // namespace tellurane
