#pragma once
// Windows tells us when something we show has changed, so nothing is read again while nothing changes:
// a registry key (values, subkeys, the key deleted or made again) and a folder's files. Each watch
// waits in the one message loop beside the messages (WatchObject): no thread, no timer.

#include <windows.h>

#include <functional>
#include <string>

#include "win32/handles.h"

namespace tellurane {

// Everything under root\path. While the key is missing, the deepest part of the path that exists is
// watched for its subkeys only, so that the key's making is seen too and nothing else wakes anyone. onChange runs after
// the watch is armed again, so a change made while it runs is reported once more, never lost.
class RegistryWatch {
public:
    RegistryWatch(HKEY root, std::wstring path, std::function<void()> onChange);
    ~RegistryWatch();
    RegistryWatch(const RegistryWatch&) = delete;
    RegistryWatch& operator=(const RegistryWatch&) = delete;

    // False when Windows refused to watch: the owner then reads each time, as without a watch.
    bool Active() const noexcept { return armed_; }

private:
    void Arm() noexcept;
    void Signalled();

    HKEY root_;
    std::wstring path_;
    std::function<void()> onChange_;
    UniqueKernelHandle event_;
    UniqueKey key_;
    std::wstring watchedPath_;  // the part of path_ that key_ is, "" for the root itself
    bool armed_ = false;
};

// The files of one folder: a name, size or write time changing. While the folder is missing, its
// parent is watched for its making (one level, as the folders we watch are the program's own).
class FolderWatch {
public:
    FolderWatch(std::wstring folder, std::function<void()> onChange);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    bool Active() const noexcept { return static_cast<bool>(notification_); }

private:
    void Arm() noexcept;
    void Close() noexcept;
    void Signalled();

    std::wstring folder_;
    std::function<void()> onChange_;
    UniqueChangeNotification notification_;
    std::wstring watched_;
};

// An event this program raises itself, heard in the loop as the watches are: the changes it makes are
// reported after the work that made them, once for however many came together.
class LoopSignal {
public:
    explicit LoopSignal(std::function<void()> onSignal);
    ~LoopSignal();
    LoopSignal(const LoopSignal&) = delete;
    LoopSignal& operator=(const LoopSignal&) = delete;

    void Raise() const noexcept;
    bool Active() const noexcept { return active_; }

private:
    UniqueKernelHandle event_;
    bool active_ = false;
};

}  // namespace tellurane
