#pragma once
// A clock's own format: a time picture and a date picture in Windows' picture language (the one
// GetTimeFormatEx and GetDateFormatEx take), checked before it is stored, and the face's line made of
// the parts a clock shows.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "logic/local_time.h"

namespace tellurane {

enum class PictureKind : std::uint8_t { Time, Date };

inline constexpr std::size_t kMaxPictureLength = 64;

// Offered in Clock options; any other picture may be typed.
inline constexpr std::array<std::wstring_view, 5> kCommonTimePictures = {L"HH:mm:ss", L"HH:mm", L"h:mm:ss tt",
                                                                         L"h:mm tt", L"H:mm"};
inline constexpr std::array<std::wstring_view, 6> kCommonDatePictures = {
    L"dddd d MMMM yyyy", L"d MMMM yyyy", L"ddd d MMM", L"yyyy-MM-dd", L"dd/MM/yyyy", L"MM/dd/yyyy"};

// What is wrong with a picture, said for the note beside its field; nothing when it can be used. An
// empty picture is fine: the clock's switches then choose the format.
std::optional<std::wstring> PictureProblem(PictureKind kind, std::wstring_view picture);

// Whether a time picture shows seconds (an s outside quotes): a face without them changes once a minute.
bool PictureShowsSeconds(std::wstring_view picture);

// Turns a picture and a time into text: Windows' formatting in the program, a stand-in in tests.
using PictureRenderer = std::function<std::wstring(PictureKind, std::wstring_view picture, const LocalTime&)>;

// The face's line: the label first when there is one, then the parts, separated by a blank.
std::wstring FaceLine(std::wstring_view label, std::wstring_view time, std::wstring_view date);

}  // namespace tellurane
