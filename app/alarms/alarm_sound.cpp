#include "app/alarms/alarm_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <cwctype>

#include "logic/clock/alarm.h"
#include "logic/texts.h"
#include "win32/handles.h"
#include "win32/system_library.h"

namespace tellurane {
namespace {

std::wstring MediaFolder() {
    wchar_t windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(windows, length) + L"\\Media\\";
}

// A file that exists and starts as a WAV file does: a missing or foreign file falls back at once,
// rather than leaving PlaySound to fail without a word.
bool LooksLikeWave(const std::wstring& path) {
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    std::array<char, 12> head{};
    DWORD read = 0;
    if (!ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr) || read != head.size()) {
        return false;
    }
    return std::equal(head.begin(), head.begin() + 4, "RIFF") && std::equal(head.begin() + 8, head.end(), "WAVE");
}

bool StartsWith(const std::wstring& name, std::wstring_view start) {
    if (name.size() < start.size()) return false;
    return std::equal(start.begin(), start.end(), name.begin(),
                      [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); });
}

}  // namespace

std::wstring SoundFile(const std::wstring& sound) {
    if (sound.find_first_of(L"\\/:") != std::wstring::npos) return sound;
    return MediaFolder() + sound + L".wav";
}

SoundPlayed PlayClockSound(const std::wstring& sound, SoundPlay how) noexcept {
    // winmm only once a sound is wanted: most clocks never ring.
    static const auto play = SystemFunction<PlaySoundFunction>(L"winmm.dll", "PlaySoundW");
    return PlayClockSoundWith(play, sound, how);
}

SoundPlayed PlayClockSoundWith(PlaySoundFunction play, const std::wstring& sound, SoundPlay how) noexcept {
    if (!play) return SoundPlayed::None;
    if (how == SoundPlay::Stop) {
        play(nullptr, nullptr, 0);
        return SoundPlayed::Chosen;
    }
    const DWORD flags = SND_ASYNC | SND_NODEFAULT | (how == SoundPlay::Repeat ? SND_LOOP : 0);
    try {
        const std::wstring chosen = SoundFile(sound.empty() ? std::wstring(L"Alarm01") : sound);
        // A longer path always fails: not tried.
        if (chosen.size() <= kLongestSoundPath && LooksLikeWave(chosen) &&
            play(chosen.c_str(), nullptr, flags | SND_FILENAME)) {
            return SoundPlayed::Chosen;
        }
    } catch (...) {
        // No memory for the name: the default below.
    }
    // Windows' default sound, which every Windows has (Alarm01 came with Windows 8). With no audio
    // device PlaySound fails for it too (SND_NODEFAULT: not even a beep stands in), and nothing plays.
    if (!play(L"SystemDefault", nullptr, flags | SND_ALIAS)) return SoundPlayed::None;
    return sound.empty() ? SoundPlayed::Chosen : SoundPlayed::Default;
}

std::vector<std::wstring> WindowsSoundNames() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = MediaFolder() + L"*.wav";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = found.cFileName;
        name.resize(name.size() - 4);  // ".wav"
        if (StartsWith(name, L"Alarm") || StartsWith(name, L"Ring") || name.find(L"Notify") != std::wstring::npos) {
            names.push_back(std::move(name));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::wstring> ListSounds(HWND list, const std::wstring& chosen) {
    std::vector<std::wstring> sounds = {L""};
    for (std::wstring& name : WindowsSoundNames()) sounds.push_back(std::move(name));
    if (std::find(sounds.begin(), sounds.end(), chosen) == sounds.end()) sounds.push_back(chosen);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& sound : sounds) {
        const std::wstring shown = sound.empty() ? Tr(IDS_SOUND_DEFAULT) : ShownSoundName(sound);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    const auto at = std::find(sounds.begin(), sounds.end(), chosen) - sounds.begin();
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    return sounds;
}

}  // namespace tellurane
