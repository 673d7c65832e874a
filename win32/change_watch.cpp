#include "win32/change_watch.h"

#include "logic/paths.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

constexpr DWORD kKeyChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
constexpr DWORD kFileChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
                               FILE_NOTIFY_CHANGE_LAST_WRITE;

// The path without its last part ("" above a first-level key).
std::wstring ParentKey(const std::wstring& path) {
    const auto last = path.find_last_of(L'\\');
    return last == std::wstring::npos ? std::wstring() : path.substr(0, last);
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(LongPathForm(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

RegistryWatch::RegistryWatch(HKEY root, std::wstring path, std::function<void()> onChange)
    : root_(root),
      path_(std::move(path)),
      onChange_(std::move(onChange)),
      event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (!event_ || !WatchObject(event_.get(), [this] { Signalled(); })) return;
    Arm();
}

RegistryWatch::~RegistryWatch() {
    if (event_) StopWatching(event_.get());
}

void RegistryWatch::Arm() noexcept {
    armed_ = false;
    // The key, or the nearest part of its path that is there. A handle still open on it is kept: closing
    // a watched key signals its event, and a handle to a key deleted since answers no more queries.
    for (std::wstring target = path_;; target = ParentKey(target)) {
        if (key_ && target == watchedPath_ &&
            RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            break;
        }
        UniqueKey opened;
        if (RegOpenKeyExW(root_, target.c_str(), 0, KEY_NOTIFY | KEY_QUERY_VALUE, opened.put()) == ERROR_SUCCESS) {
            key_.reset();
            ResetEvent(event_.get());
            key_ = std::move(opened);
            watchedPath_ = target;
            break;
        }
        if (target.empty()) return;
    }
    // A part of the path above the key only for the key's making: its own subkeys coming and going, not
    // everything below it (on a first run that would be every program's writes under Software).
    const bool whole = watchedPath_ == path_;
    armed_ = RegNotifyChangeKeyValue(key_.get(), whole ? TRUE : FALSE, whole ? kKeyChanges : REG_NOTIFY_CHANGE_NAME,
                                     event_.get(), TRUE) == ERROR_SUCCESS;
}

void RegistryWatch::Signalled() {
    const bool wasMissing = watchedPath_ != path_;
    Arm();
    if (wasMissing && watchedPath_ != path_) return;  // still missing: nothing of ours changed
    if (onChange_) onChange_();
}

FolderWatch::FolderWatch(std::wstring folder, std::function<void()> onChange)
    : folder_(std::move(folder)), onChange_(std::move(onChange)) {
    Arm();
}

FolderWatch::~FolderWatch() { Close(); }

void FolderWatch::Close() noexcept {
    if (!notification_) return;
    StopWatching(notification_.get());  // before the handle goes: the loop must not wait on a closed one
    notification_.reset();
}

void FolderWatch::Arm() noexcept {
    const std::wstring target = IsFolder(folder_) ? folder_ : FolderOf(folder_);
    if (notification_ && target == watched_ && FindNextChangeNotification(notification_.get())) return;
    Close();
    const HANDLE opened = FindFirstChangeNotificationW(LongPathForm(target).c_str(), FALSE, kFileChanges);
    if (opened == INVALID_HANDLE_VALUE) return;
    notification_.reset(opened);
    watched_ = target;
    if (!WatchObject(notification_.get(), [this] { Signalled(); })) Close();
}

LoopSignal::LoopSignal(std::function<void()> onSignal) : event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    active_ = event_ && WatchObject(event_.get(), std::move(onSignal));
}

LoopSignal::~LoopSignal() {
    if (active_) StopWatching(event_.get());
}

void LoopSignal::Raise() const noexcept {
    if (event_) SetEvent(event_.get());
}

void FolderWatch::Signalled() {
    Arm();
    if (onChange_) onChange_();
}

}  // namespace tellurane
