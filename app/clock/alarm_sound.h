#pragma once
// The sounds of alarms and chimes: Windows' own from its media folder, named as the folder names them
// ("Alarm01"), or a WAV file the user picked (a full path). Played without waiting.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tellurane {

enum class SoundPlay { Stop, Once, Repeat };

// Plays the sound (empty: Windows' default alarm sound), or stops the one playing. False when the
// chosen sound could not be played: Windows' default plays in its place.
using SoundFunction = std::function<bool(const std::wstring& sound, SoundPlay how)>;
bool PlayClockSound(const std::wstring& sound, SoundPlay how) noexcept;

// The alarm and notification sounds in Windows' media folder, by name, sorted.
std::vector<std::wstring> WindowsSoundNames();

// Fills a drop-down list: Windows' default first, then Windows' own by name, then the chosen sound where it
// is none of them (a file of the user's), which is selected. Returns the stored value of each entry.
std::vector<std::wstring> ListSounds(HWND list, const std::wstring& chosen);

// The file a stored sound names: a name from the media folder, or the path as written.
std::wstring SoundFile(const std::wstring& sound);

}  // namespace tellurane
