#pragma once
// The sounds of alarms and chimes: Windows' own from its media folder, named as the folder names them
// ("Alarm01"), or a WAV file the user picked (a full path). Played without waiting.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tellurane {

enum class SoundPlay { Stop, Once, Repeat };

// What played: the chosen sound; Windows' default in its place (the file cannot be played); or nothing at
// all (no audio device, or Windows' own sounds are gone too).
enum class SoundPlayed { Chosen, Default, None };

// Plays the sound (empty: Windows' default alarm sound), or stops the one playing.
using SoundFunction = std::function<SoundPlayed(const std::wstring& sound, SoundPlay how)>;
SoundPlayed PlayClockSound(const std::wstring& sound, SoundPlay how) noexcept;
// The same through the PlaySoundW given.
using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
SoundPlayed PlayClockSoundWith(PlaySoundFunction play, const std::wstring& sound, SoundPlay how) noexcept;

// The alarm and notification sounds in Windows' media folder, by name, sorted.
std::vector<std::wstring> WindowsSoundNames();

// Fills a drop-down list: Windows' default first, then Windows' own by name, then the chosen sound where it
// is none of them (a file of the user's), which is selected. Returns the stored value of each entry.
std::vector<std::wstring> ListSounds(HWND list, const std::wstring& chosen);

// The file a stored sound names: a name from the media folder, or the path as written.
std::wstring SoundFile(const std::wstring& sound);

}  // namespace tellurane
