#include "app/settings_file.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "app/main_module.h"
#include "logic/number_text.h"
#include "logic/paths.h"
#include "logic/skin_text.h"
#include "logic/texts.h"
#include "win32/handles.h"

namespace tellurane {
namespace {

// Far more than any clock's settings; a bigger file is someone else's.
constexpr LONGLONG kLargestFile = LONGLONG{16} * 1024 * 1024;
constexpr std::size_t kLinesShown = 5;

enum class Reading { Read, Missing, Failed };

// Another program may hold the file for a moment without sharing it (an editor saving it, a sync client
// or a virus scanner reading it, or locking part of it): such a failure is tried again for about a second.
template <typename Attempt>
DWORD Retried(Attempt attempt) {
    static constexpr DWORD kPauses[] = {25, 50, 100, 200, 300, 300};
    DWORD error = attempt();
    for (const DWORD pause : kPauses) {
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) break;
        Sleep(pause);
        error = attempt();
    }
    return error;
}

UniqueKernelHandle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    UniqueKernelHandle file(
        CreateFileW(LongPathForm(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) file.release();
    return file;
}

DWORD Opened(UniqueKernelHandle& file, const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    return Retried([&] {
        file = OpenFile(path, access, share, disposition);
        return file ? ERROR_SUCCESS : GetLastError();
    });
}

DWORD ReadAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size{};
    if (!SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) || !GetFileSizeEx(file, &size)) {
        return GetLastError();
    }
    if (size.QuadPart > kLargestFile) return ERROR_FILE_TOO_LARGE;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t total = 0;
    while (total < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &read, nullptr)) {
            return GetLastError();
        }
        if (read == 0) break;  // it shrank meanwhile
        total += read;
    }
    bytes.resize(total);
    return ERROR_SUCCESS;
}

// The first length bytes, from the start, on the disk when this returns: FlushFileBuffers writes the
// file's data and size, and on FAT and exFAT its folder's entry and the allocation table too (flushing
// a folder does nothing there, so the file's own flush is what makes a new file's name last).
DWORD WriteAll(HANDLE file, const std::string& bytes, std::size_t length) {
    return Retried([&] {
        DWORD written = 0;
        if (!SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) ||
            !WriteFile(file, bytes.data(), static_cast<DWORD>(length), &written, nullptr) || written != length ||
            !SetEndOfFile(file) || !FlushFileBuffers(file)) {
            return GetLastError();
        }
        return DWORD{ERROR_SUCCESS};
    });
}

Reading ReadWhole(const std::wstring& path, std::string& bytes, DWORD& error) {
    UniqueKernelHandle file;
    error = Opened(file, path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Reading::Missing;
    if (error == ERROR_SUCCESS) error = Retried([&] { return ReadAll(file.get(), bytes); });
    return error == ERROR_SUCCESS ? Reading::Read : Reading::Failed;
}

// Saving holds the file open for reading and writing, sharing it with readers only: no other writer
// comes between the look at what it holds and the write, and readers (a sync client, an editor,
// another copy following it) are not refused.
DWORD OpenForSaving(UniqueKernelHandle& file, const std::wstring& path, DWORD disposition) {
    return Opened(file, path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, disposition);
}

std::wstring SystemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring said = length ? std::wstring(text, length) : L"#" + std::to_wstring(error);
    LocalFree(text);
    while (!said.empty() && (said.back() == L'\n' || said.back() == L'\r' || said.back() == L' ')) said.pop_back();
    return said;
}

}  // namespace

SettingsFile::SettingsFile(std::wstring path, Say say) : path_(std::move(path)), say_(std::move(say)) {
    Recover();
    Load(false);
}

std::shared_ptr<SettingsFile> SettingsFile::BesideProgram() {
    const std::wstring path = InFolder(ProgramFolder(), kSettingsFileName);
    const DWORD attributes = GetFileAttributesW(LongPathForm(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
    return std::make_shared<SettingsFile>(path);
}

std::wstring SettingsFile::Folder() const { return FolderOf(path_); }

void SettingsFile::Load(bool tell) {
    std::string bytes;
    DWORD error = ERROR_SUCCESS;
    switch (ReadWhole(path_, bytes, error)) {
        case Reading::Missing:
            gone_ = true;
            return;
        case Reading::Failed:
            unreadable_ = true;
            pending_ = Tr(IDS_SETTINGS_FILE_NOT_READ, {path_, SystemText(error)});
            if (tell) TellProblems();
            return;
        case Reading::Read:
            break;
    }
    if (recovered_) {
        // The file is not what it should be, but what it holds is known: the next save writes it whole.
        Adopt(*std::exchange(recovered_, std::nullopt), tell);
        known_ = std::move(bytes);
        return;
    }
    Adopt(std::move(bytes), tell);
}

void SettingsFile::Adopt(std::string bytes, bool tell) {
    std::vector<IniDocument::Problem> problems;
    document_ = IniDocument::Parse(bytes, &problems);
    edits_.ApplyTo(document_);
    known_ = std::move(bytes);
    gone_ = unreadable_ = false;
    Complain(problems, tell);
}

// A save writes a sealed copy beside the file, then the file, then deletes the copy. So whatever moment a
// power cut or crash picks, either the file is whole, or the copy is (and says so), or both.
void SettingsFile::Recover() {
    const std::wstring copyPath = path_ + L".new";
    const std::wstring savedPath = path_ + L".saved";  // an earlier version's copy, whole before it took that name
    std::string bytes;
    DWORD error = ERROR_SUCCESS;
    const Reading reading = ReadWhole(copyPath, bytes, error);
    std::optional<std::string> copy = reading == Reading::Read ? OpenSealedCopy(bytes) : std::nullopt;
    if (!copy && ReadWhole(savedPath, bytes, error) == Reading::Read) copy = std::move(bytes);
    if (!copy) {
        // Cut while it was written: the file itself is whole. One that cannot be read is another
        // copy's, being written right now.
        if (reading == Reading::Read) DeleteFileW(LongPathForm(copyPath).c_str());
        return;
    }
    UniqueKernelHandle file;
    if (OpenForSaving(file, path_, OPEN_ALWAYS) == ERROR_SUCCESS &&
        WriteAll(file.get(), *copy, copy->size()) == ERROR_SUCCESS) {
        DeleteFileW(LongPathForm(copyPath).c_str());
        DeleteFileW(LongPathForm(savedPath).c_str());
        return;
    }
    recovered_ = std::move(copy);  // kept beside it for the next start
}

bool SettingsFile::Reload() {
    std::string bytes;
    DWORD error = ERROR_SUCCESS;
    const Reading reading = ReadWhole(path_, bytes, error);
    if (reading == Reading::Missing) gone_ = true;
    // One that cannot be read now is read at its next change.
    if (reading != Reading::Read) return false;
    if (bytes == known_ && !gone_ && !unreadable_) return false;
    Adopt(std::move(bytes), true);
    return true;
}
void SettingsFile::TellProblems() {
    if (pending_.empty()) return;
    const std::wstring text = std::exchange(pending_, {});
    if (say_) {
        say_(text);
    } else {
        ShowPlainError(text);
    }
}

void SettingsFile::Complain(const std::vector<IniDocument::Problem>& problems, bool tell) {
    if (problems.empty()) {
        said_.clear();
        return;
    }
    std::wstring text = Tr(IDS_SETTINGS_FILE_LINES, {path_});
    for (std::size_t i = 0; i < std::min(problems.size(), kLinesShown); ++i) {
        text += L"\n" + Tr(IDS_SETTINGS_FILE_LINE,
                           {IntegerToText(problems[i].line), skin_text::Shown(skin_text::Trim(problems[i].text))});
    }
    if (problems.size() > kLinesShown) text += L"\n\u2026";
    // The same lines are said once, not at every change of the file's other lines.
    if (text == said_) return;
    said_ = text;
    pending_ = text;
    if (tell) TellProblems();
}

void SettingsFile::Set(std::wstring_view section, std::wstring_view name, std::wstring_view value) {
    const std::wstring* stored = document_.Find(section, name);
    if (stored && *stored == value) return;
    document_.Set(section, name, value);
    edits_.Set(section, name, value);
    Save();
    if (changed_) changed_();
}

void SettingsFile::EraseTree(std::wstring_view section) {
    document_.EraseTree(section);
    edits_.EraseTree(section);
    Save();
    if (changed_) changed_();
}

bool SettingsFile::Save() {
    if (gone_) return false;
    bool taken = false;
    const DWORD error = TrySave(taken);
    // Said once the file is closed again: a box waits for the user.
    if (error != ERROR_SUCCESS && !std::exchange(saidUnsaved_, true)) {
        if (!pending_.empty()) pending_ += L"\n\n";
        pending_ += Tr(IDS_SETTINGS_FILE_NOT_SAVED, {Folder(), SystemText(error)});
    }
    if (error != ERROR_SUCCESS || taken) TellProblems();
    return taken;
}

bool SettingsFile::Cut(int step) noexcept {
    if (cutAt_ != step) return false;
    cutAt_ = 0;
    return true;
}

// The file is written over in place, not replaced by another: a hard link to it (Scoop keeps it so across
// updates), its permissions and its attributes stay.
DWORD SettingsFile::TrySave(bool& taken) {
    UniqueKernelHandle file;
    DWORD error = OpenForSaving(file, path_, OPEN_EXISTING);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        gone_ = true;  // whoever deleted it means the registry to hold the settings from the next start on
        return ERROR_SUCCESS;
    }
    std::string disk;
    if (error == ERROR_SUCCESS) error = Retried([&] { return ReadAll(file.get(), disk); });
    if (error != ERROR_SUCCESS) return error;
    // Changed since it was read (by hand, by another copy) and the folder's watch has not told yet, or
    // cannot tell (a network share): its values are taken, and this program's own changes made on them.
    if (disk != known_ || unreadable_) {
        Adopt(disk, false);
        taken = true;
    }
    std::string text = document_.Serialize();
    if (text != disk) {
        const std::wstring copyPath = path_ + L".new";
        const std::string copy = SealedCopy(text);
        UniqueKernelHandle copyFile;
        error = Opened(copyFile, copyPath, GENERIC_WRITE, 0, CREATE_ALWAYS);
        const bool cutCopy = Cut(1);
        if (error == ERROR_SUCCESS) error = WriteAll(copyFile.get(), copy, cutCopy ? copy.size() / 2 : copy.size());
        copyFile.reset();
        if (cutCopy || Cut(2)) return ERROR_SUCCESS;
        if (error != ERROR_SUCCESS) {
            DeleteFileW(LongPathForm(copyPath).c_str());
            return error;
        }
        const bool cutFile = Cut(3);
        error = WriteAll(file.get(), text, cutFile ? text.size() / 2 : text.size());
        if (cutFile || Cut(4)) return ERROR_SUCCESS;
        if (error != ERROR_SUCCESS) {
            // It may be cut short: its copy stays for the next start, and what it holds now is nobody
            // else's change.
            if (ReadAll(file.get(), disk) == ERROR_SUCCESS) known_ = std::move(disk);
            return error;
        }
        Retried([&] { return DeleteFileW(LongPathForm(copyPath).c_str()) ? DWORD{ERROR_SUCCESS} : GetLastError(); });
    }
    known_ = std::move(text);
    edits_.Clear();
    return ERROR_SUCCESS;
}

}  // namespace tellurane
