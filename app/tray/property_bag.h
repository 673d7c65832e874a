#pragma once
// The values a host window keeps for a control between sessions, by name, names matched
// without regard to case.

#include <map>
#include <string>
#include <string_view>
#include <variant>

#include "app/tray/picture.h"

namespace tellurane {

using PropertyValue = std::variant<bool, std::wstring, PictureRef>;

class PropertyBag {
public:
    // The stored value of that name and type, or the default.
    template <typename T>
    T Read(std::wstring_view name, T defaultValue) const {
        const auto found = values_.find(Key(name));
        if (found == values_.end()) return defaultValue;
        if (const T* value = std::get_if<T>(&found->second)) return *value;
        return defaultValue;  // stored as another type: no value we can use
    }

    void Write(std::wstring_view name, PropertyValue value) {
        values_[Key(name)] = std::move(value);
        order_ += std::wstring(name) + L";";
    }

    bool Contains(std::wstring_view name) const { return values_.count(Key(name)) != 0; }
    // Names in the order they were written, each followed by ";".
    const std::wstring& WriteOrder() const noexcept { return order_; }

private:
    static std::wstring Key(std::wstring_view name);

    std::map<std::wstring, PropertyValue> values_;
    std::wstring order_;
};

}  // namespace tellurane
