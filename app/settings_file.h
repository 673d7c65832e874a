#pragma once
// A portable copy's settings: Tellurane.ini in the program's folder holds every value the registry would
// hold, a section per key. It is read whole at the start and again when anyone changes it. Each change
// is written at once, on top of what the file holds by then (another copy's or a hand edit made since it
// was read stay), with a complete copy beside it until the file is whole again, so neither a crash nor
// a power cut mid-write loses anything.

#include <functional>
#include <memory>
#include <optional>
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

    // Tests: the next save stops where a power cut would, keeping what it wrote so far. The steps, in
    // order: 1 halfway through the copy beside the file, 2 after it, 3 halfway through the file itself,
    // 4 after it, before the copy is deleted.
    void CutNextSaveAt(int step) noexcept { cutAt_ = step; }

private:
    // A save cut short is finished from its copy, when that copy is whole.
    void Recover();
    void Load(bool tell);
    // Takes the file's text as the settings, with this program's unsaved changes made on it again.
    void Adopt(std::string bytes, bool tell);
    // Writes the settings; true when the file held changes of others', taken in first.
    bool Save();
    unsigned long TrySave(bool& taken);
    bool Cut(int step) noexcept;
    void Complain(const std::vector<IniDocument::Problem>& problems, bool tell);

    std::wstring path_;
    Say say_;
    std::function<void()> changed_;
    IniDocument document_;
    IniEdits edits_;                        // this program's own changes since the file was last written
    std::string known_;                     // the bytes last read or written
    std::optional<std::string> recovered_;  // a whole copy that could not be put back in the file
    int cutAt_ = 0;
    bool gone_ = false;
    bool unreadable_ = false;  // never written over: it may hold what could not be read
    bool saidUnsaved_ = false;
    std::wstring said_;     // the last complaint about the file's lines, not said twice
    std::wstring pending_;  // the first reading's, until TellProblems
};

}  // namespace tellurane
