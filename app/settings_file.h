#pragma once
// A portable copy's settings: Tellurane.ini in the program's folder holds every value the registry would
// hold, a section per key. It is read whole at the start and again when anyone changes it, and written
// whole, with a complete copy beside it until it is, so a crash mid-write loses nothing.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logic/ini_text.h"

namespace tellurane {

inline constexpr wchar_t kSettingsFileName[] = L"Tellurane.ini";

class SettingsFile {
public:
    // How the user is told what went wrong: a plain box unless a test puts in its own.
    using Say = std::function<void(const std::wstring&)>;

    explicit SettingsFile(std::wstring path, Say say = {});

    // The file beside the running program, when there is one: that copy is portable.
    static std::shared_ptr<SettingsFile> BesideProgram();

    const std::wstring& Path() const noexcept { return path_; }
    std::wstring Folder() const;

    const std::wstring* Find(std::wstring_view section, std::wstring_view name) const {
        return document_.Find(section, name);
    }
    std::vector<std::wstring> Children(std::wstring_view section) const { return document_.Children(section); }

    // Each change is written at once. Where the file cannot be written the settings stay in memory,
    // which is said once: the change still holds until the program ends, so these report success.
    void Set(std::wstring_view section, std::wstring_view name, std::wstring_view value);
    void EraseTree(std::wstring_view section);

    // Reads the file again; true when it holds something else than it did (not this program's own
    // last write). A file gone meanwhile leaves the settings as they were and nothing is written again:
    // whoever deleted it means the registry to hold the settings from the next start on.
    bool Reload();

    // What the first reading found wrong, said once the program's language is known.
    void TellProblems();
    // Runs after each change this program makes (not the changes it reads).
    void OnOwnChange(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    // A save cut short by a crash is finished.
    void Recover();
    void Load(bool tell);
    void Save();
    void Complain(const std::vector<IniDocument::Problem>& problems, bool tell);

    std::wstring path_;
    Say say_;
    std::function<void()> changed_;
    IniDocument document_;
    std::string known_;  // the bytes last read or written
    bool gone_ = false;
    bool unreadable_ = false;  // never written over: it may hold what could not be read
    bool saidUnsaved_ = false;
    std::wstring said_;     // the last complaint about the file's lines, not said twice
    std::wstring pending_;  // the first reading's, until TellProblems
};

}  // namespace tellurane
