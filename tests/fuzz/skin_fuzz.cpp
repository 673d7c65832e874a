// libFuzzer target for the skin file reader: any bytes, no crash, no hang, no sanitizer finding.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "logic/skin_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto result = tellurane::ParseSkin(bytes);
    if (const auto* skin = std::get_if<tellurane::Skin>(&result)) {
        (void)skin->LookFor(true);
        (void)skin->LookFor(false);
    } else {
        (void)tellurane::SkinErrorText(L"x\\o.cjs", std::get<tellurane::SkinError>(result));
    }
    return 0;
}
