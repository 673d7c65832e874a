#pragma once
// A small black-and-white cursor written as a .cur file, for the program's optional hand pointer.

#include <fstream>
#include <string>

namespace tellurane::support {

inline void WriteCursorFile(const std::wstring& path) {
    std::ofstream file(path.c_str(), std::ios::binary);
    auto put16 = [&](int v) { file.put(static_cast<char>(v & 0xFF)).put(static_cast<char>((v >> 8) & 0xFF)); };
    auto put32 = [&](int v) {
        put16(v & 0xFFFF);
        put16((v >> 16) & 0xFFFF);
    };
    const int bytes = 40 + 8 + 128 + 128;
    put16(0), put16(2), put16(1);  // a cursor file with one image
    file.put(32).put(32).put(0).put(0);
    put16(1), put16(1), put32(bytes), put32(22);  // hot spot 1,1
    put32(40), put32(32), put32(64), put16(1), put16(1), put32(0), put32(256), put32(0), put32(0), put32(0), put32(0);
    put32(0), put32(0x00FFFFFF);                                                          // black and white
    for (int i = 0; i < 128; ++i) file.put(static_cast<char>(i % 8 == 0 ? 0xFF : 0));     // image
    for (int i = 0; i < 128; ++i) file.put(static_cast<char>(i % 4 == 0 ? 0x00 : 0xFF));  // mask
}

}  // namespace tellurane::support
