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

UniqueKernelHandle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    UniqueKernelHandle file(
        CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) file.release();
    return file;
}

Reading ReadWhole(const std::wstring& path, std::string& bytes, DWORD& error) {
    UniqueKernelHandle file;
    // An editor saving the file may hold it for a moment.
    for (int attempt = 0; attempt < 5 && !file; ++attempt) {
        file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
        error = file ? ERROR_SUCCESS : GetLastError();
        if (error != ERROR_SHARING_VIOLATION) break;
        Sleep(20);
    }
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Reading::Missing;
    if (!file) return Reading::Failed;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestFile) {
        error = size.QuadPart > kLargestFile ? ERROR_FILE_TOO_LARGE : GetLastError();
        return Reading::Failed;
    }
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t total = 0;
    while (total < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &read, nullptr)) {
            error = GetLastError();
            return Reading::Failed;
        }
        if (read == 0) break;  // it shrank meanwhile
        total += read;
    }
    bytes.resize(total);
    return Reading::Read;
}

// What is written is on the disk when this returns. opened: whether the file could be opened at all,
// so that a failure after it may have cut the file short.
DWORD WriteWhole(const std::wstring& path, const std::string& bytes, DWORD disposition, bool* opened = nullptr) {
    UniqueKernelHandle file = OpenFile(path, GENERIC_WRITE, 0, disposition);
    if (opened) *opened = static_cast<bool>(file);
    if (!file) return GetLastError();
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !SetEndOfFile(file.get()) || !FlushFileBuffers(file.get())) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
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
    const DWORD attributes = GetFileAttributesW(path.c_str());
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
    gone_ = unreadable_ = false;
    std::vector<IniDocument::Problem> problems;
    document_ = IniDocument::Parse(bytes, &problems);
    known_ = std::move(bytes);
    Complain(problems, tell);
}

void SettingsFile::Recover() {
    const std::wstring saved = path_ + L".saved";
    std::string bytes;
    DWORD error = ERROR_SUCCESS;
    if (ReadWhole(saved, bytes, error) == Reading::Read && WriteWhole(path_, bytes, OPEN_ALWAYS) == ERROR_SUCCESS) {
        DeleteFileW(saved.c_str());
    }
    DeleteFileW((path_ + L".new").c_str());  // never finished: the file itself is whole
}

bool SettingsFile::Reload() {
    std::string bytes;
    DWORD error = ERROR_SUCCESS;
    const Reading reading = ReadWhole(path_, bytes, error);
    if (reading == Reading::Missing) gone_ = true;
    // One that cannot be read now is read at its next change.
    if (reading != Reading::Read) return false;
    if (bytes == known_ && !gone_ && !unreadable_) return false;
    Load(true);
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
    Save();
    if (changed_) changed_();
}

void SettingsFile::EraseTree(std::wstring_view section) {
    document_.EraseTree(section);
    Save();
    if (changed_) changed_();
}

// The file is written over in place, not replaced by another: a hard link to it (Scoop keeps it so across
// updates), its permissions and its attributes stay. So that a crash cannot leave it cut short, the whole
// text is first put beside it under a second name, complete before it takes that name.
void SettingsFile::Save() {
    if (gone_ || unreadable_) return;
    std::string bytes = document_.Serialize();
    if (bytes == known_) return;
    const std::wstring writing = path_ + L".new";
    const std::wstring saved = path_ + L".saved";
    DWORD error = WriteWhole(writing, bytes, CREATE_ALWAYS);
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(writing.c_str(), saved.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    bool opened = false;
    if (error == ERROR_SUCCESS) error = WriteWhole(path_, bytes, OPEN_EXISTING, &opened);
    // Cut short, the file is mended from the saved copy at the next start; untouched, it needs nothing.
    if (error == ERROR_SUCCESS || !opened) DeleteFileW(saved.c_str());
    if (error != ERROR_SUCCESS) {
        DeleteFileW(writing.c_str());
        if (!std::exchange(saidUnsaved_, true)) {
            pending_ = Tr(IDS_SETTINGS_FILE_NOT_SAVED, {Folder(), SystemText(error)});
            TellProblems();
        }
        return;
    }
    known_ = std::move(bytes);
}

}  // namespace tellurane
