#include "app/settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/settings_file.h"
#include "logic/app_error.h"
#include "logic/paths.h"
#include "logic/setting_keys.h"
#include "logic/texts.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

// Each run writes under a section of its own and removes it afterwards.
class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStoreTest()
        : section_(L"TelluraneTest" + std::to_wstring(GetCurrentProcessId())), store_(L"Marrowick", section_) {}
    ~SettingsStoreTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, store_.KeyPath().c_str()); }

    void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, store_.KeyPath().c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }

    std::wstring section_;
    SettingsStore store_;
};

TEST_F(SettingsStoreTest, LivesUnderTheUsersSoftwareKey) {
    EXPECT_EQ(SettingsStore().KeyPath(), L"Software\\Marrowick\\Tellurane");
}

TEST_F(SettingsStoreTest, AnEmptyStoreGivesTheDefaultsAsTextAndCreatesNothing) {
    EXPECT_EQ(store_.ReadSetting(keys::kFontSize, 20), L"20");
    EXPECT_EQ(store_.ReadSetting(keys::kMilitaryTime, 0), L"0");
    EXPECT_EQ(store_.ReadSetting(keys::kForm1Top, 5122.5), SingleToStoredText(5122.5));
    EXPECT_EQ(StoredSingle(store_.ReadSetting(keys::kForm1Top, 5122.5)), 5122.5f);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, store_.KeyPath().c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(SettingsStoreTest, AWrittenTextIsReadBackAtOnceExactly) {
    ASSERT_TRUE(store_.WriteSetting(keys::kFontColor, L"255"));
    EXPECT_EQ(store_.ReadSetting(keys::kFontColor, 0), L"255");
    ASSERT_TRUE(store_.WriteSetting(keys::kFontSize, L" 24.5 "));
    EXPECT_EQ(store_.ReadSetting(keys::kFontSize, 20), L" 24.5 ");
    ASSERT_TRUE(store_.WriteSetting(keys::kFontColor, L"16711680"));
    EXPECT_EQ(store_.ReadSetting(keys::kFontColor, 0), L"16711680");
    // Keys are told apart by their exact names.
    EXPECT_EQ(store_.ReadSetting(L"FontColor", 7), L"7");
}

TEST_F(SettingsStoreTest, GeometryIsWrittenAsPlainWholeTwipsAndEveryEarlierFormReadsBack) {
    struct Case {
        double twips;
        const wchar_t* text;
    };
    for (const Case& c : {Case{2880, L"2880"}, Case{-60, L"-60"}, Case{5122.5, L"5123"}, Case{100000, L"100000"},
                          Case{-100000.4, L"-100000"}}) {
        ASSERT_TRUE(store_.WriteSetting(keys::kForm1Left, GeometryToStoredText(c.twips)));
        EXPECT_EQ(store_.ReadSetting(keys::kForm1Left, 0), c.text);
        EXPECT_EQ(StoredDecimal(store_.ReadSetting(keys::kForm1Left, 0)), std::stof(c.text));
    }
    // What earlier versions wrote: the shortest form, with an exponent or a fraction.
    EXPECT_EQ(StoredDecimal(L"1e+05"), 100000.0f);
    EXPECT_EQ(StoredDecimal(L"7507.5"), 7507.5f);
    EXPECT_THROW(StoredDecimal(L"left"), AppError);
}

TEST_F(SettingsStoreTest, SwitchesAreOnOnlyForOne) {
    EXPECT_TRUE(StoredSwitchIsOn(L"1"));
    EXPECT_TRUE(StoredSwitchIsOn(L"1.4"));
    for (const wchar_t* off : {L"0", L"2", L"-1", L"0.5", L"1.5"}) EXPECT_FALSE(StoredSwitchIsOn(off)) << off;
    EXPECT_THROW(StoredSwitchIsOn(L"x"), AppError);
    EXPECT_THROW(StoredSwitchIsOn(L"40000"), AppError);
}

TEST_F(SettingsStoreTest, ValuesOfOtherTypesNeverCrashTheReader) {
    const DWORD number = 36;
    WriteRaw(L"FontSize", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(store_.ReadSetting(keys::kFontSize, 20), L"36");
    const BYTE junk[] = {1, 2, 3};
    WriteRaw(L"Check1", REG_BINARY, junk, sizeof junk);
    EXPECT_EQ(store_.ReadSetting(keys::kAlwaysOnTop, 0), L"0");
    const wchar_t unterminated[] = {L'1', L'2'};
    WriteRaw(L"Check2", REG_SZ, unterminated, sizeof unterminated);
    EXPECT_EQ(store_.ReadSetting(keys::kDayMonthYear, 0), L"12");
    WriteRaw(L"Check4", REG_SZ, nullptr, 0);
    EXPECT_EQ(store_.ReadSetting(keys::kShowWeekday, 0), L"");
    const std::wstring huge(100000, L'9');
    ASSERT_TRUE(store_.WriteSetting(keys::kForm1Width, huge));
    EXPECT_EQ(store_.ReadSetting(keys::kForm1Width, 0), huge);
    EXPECT_THROW(StoredSingle(huge), AppError);
}

TEST_F(SettingsStoreTest, AStoreDeletedAndWrittenAgainByAnotherProgramIsReadAfresh) {
    ASSERT_TRUE(store_.WriteSetting(keys::kMilitaryTime, L"1"));
    EXPECT_EQ(store_.ReadSetting(keys::kMilitaryTime, 0), L"1");
    RegDeleteTreeW(HKEY_CURRENT_USER, store_.KeyPath().c_str());
    EXPECT_EQ(store_.ReadSetting(keys::kMilitaryTime, 0), L"0");
    const SettingsStore other(L"Marrowick", section_);
    ASSERT_TRUE(other.WriteSetting(keys::kMilitaryTime, L"2"));
    EXPECT_EQ(store_.ReadSetting(keys::kMilitaryTime, 0), L"2");
}

// A portable copy's store: a settings file in a folder of the test's own.
class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFileTest() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"TelluranePortable" + std::to_wstring(GetCurrentProcessId());
        folders_.push_back(folder_);
        CreateDirectoryW(folder_.c_str(), nullptr);
        path_ = folder_ + L"\\Tellurane.ini";
    }
    ~SettingsFileTest() override {
        RemoveDirectoryW(LongPathForm(path_ + L".new").c_str());
        for (const wchar_t* end : {L"", L".new", L".saved"}) DeleteFileW(LongPathForm(path_ + end).c_str());
        for (; !folders_.empty(); folders_.pop_back()) RemoveDirectoryW(LongPathForm(folders_.back()).c_str());
    }
    // A portable folder deeper than MAX_PATH, made (as Explorer makes one) through the prefixed form.
    void GoDeeperThanMaxPath() {
        while (folder_.size() < 300) {
            folder_ += L"\\A rather long folder name, as a synced one may have";
            folders_.push_back(folder_);
            ASSERT_TRUE(CreateDirectoryW(LongPathForm(folder_).c_str(), nullptr)) << GetLastError();
        }
        path_ = folder_ + L"\\Tellurane.ini";
    }
    void Put(const std::string& bytes, const std::wstring& end = L"") const {
        std::ofstream(LongPathForm(path_ + end).c_str(), std::ios::binary) << bytes;
    }
    std::string Bytes(const std::wstring& end = L"") const {
        std::ifstream file(LongPathForm(path_ + end).c_str(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    bool Exists(const std::wstring& end) const {
        return GetFileAttributesW(LongPathForm(path_ + end).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    std::shared_ptr<SettingsFile> Open() {
        return std::make_shared<SettingsFile>(path_, [this](const std::wstring& said) { said_.push_back(said); });
    }

    std::wstring folder_;
    std::vector<std::wstring> folders_;
    std::wstring path_;
    std::vector<std::wstring> said_;
};

TEST_F(SettingsFileTest, EveryKeyOfEveryClockLivesInItsFileAndComesBackFromIt) {
    Put("");
    {
        const SettingsStore store(Open());
        ASSERT_TRUE(store.InFile());
        EXPECT_EQ(store.ReadSetting(keys::kFontSize, 20), L"20") << "an empty file: the defaults";
        ASSERT_TRUE(store.WriteSetting(keys::kFontSize, L"24"));
        const SettingsStore tokyo = store.Below(L"Clocks\\1");
        ASSERT_TRUE(tokyo.WriteSetting(L"Label", L"\u6771\u4EAC \u23F0"));
        ASSERT_TRUE(tokyo.Below(L"Alarms\\2").WriteSetting(L"Time", L"07:30"));
        ASSERT_TRUE(store.Below(L"Clocks\\3").WriteSetting(L"Label", L" spaced "));
        EXPECT_EQ(store.NumberedKeys(L"Clocks"), (std::vector<int>{1, 3}));
        EXPECT_EQ(tokyo.NumberedKeys(L"Alarms"), std::vector<int>{2});
        EXPECT_TRUE(store.Below(L"Clocks\\3").DeleteAll());
        ASSERT_TRUE(tokyo.Below(L"Alarms\\4").WriteSetting(L"Time", L"08:00"));
        EXPECT_TRUE(tokyo.DeleteBelow(L"Alarms\\4"));
    }
    EXPECT_EQ(Bytes(),
              "[Tellurane]\r\nFontSize=24\r\n\r\n[Clocks\\1]\r\nLabel=\xE6\x9D\xB1\xE4\xBA\xAC \xE2\x8F\xB0\r\n"
              "\r\n[Clocks\\1\\Alarms\\2]\r\nTime=07:30\r\n");
    EXPECT_EQ(Bytes(L".new") + Bytes(L".saved"), "") << "nothing left beside it";
    const SettingsStore again(Open());
    EXPECT_EQ(again.Below(L"Clocks\\1").ReadSetting(L"Label", 0), L"\u6771\u4EAC \u23F0");
    EXPECT_EQ(again.NumberedKeys(L"Clocks"), std::vector<int>{1});
    EXPECT_TRUE(said_.empty());

    // A save cut short by a power cut: the complete copy beside it is the settings.
    Put("[Tellurane]\r\nFontSize=30\r\n", L".saved");
    Put("[Tellur");
    EXPECT_EQ(SettingsStore(Open()).ReadSetting(keys::kFontSize, 20), L"30");
    EXPECT_EQ(Bytes(), "[Tellurane]\r\nFontSize=30\r\n");
    EXPECT_TRUE(said_.empty());
}

TEST_F(SettingsFileTest, AHandEditShowsABadLineIsSaidOnceAndAFolderThatRefusesKeepsTheSettingsInMemory) {
    Put("[Tellurane]\r\nFontSize=24\r\nbroken line\r\n");
    SettingsStore store(Open());
    int changes = 0;
    store.WatchChanges([&] { ++changes; });
    ASSERT_EQ(said_.size(), 1u);
    EXPECT_NE(said_[0].find(Tr(IDS_SETTINGS_FILE_LINE, {L"3", L"\"broken line\""})), std::wstring::npos)
        << testing::PrintToString(said_[0]);
    Put("[Tellurane]\r\nFontSize=30\r\nbroken line\r\n");
    WaitSeconds(1, [&] { return changes == 0; });
    EXPECT_EQ(store.CachedSetting(keys::kFontSize, 20), L"30") << "a hand edit, within a second";
    EXPECT_EQ(said_.size(), 1u) << "the same line is not said again";
    // The program's own changes are reported too (after the work that made them), as the registry's are.
    const int before = changes;
    store.WriteSetting(keys::kMilitaryTime, L"1");
    store.WriteSetting(keys::kShowWeekday, L"1");
    WaitSeconds(1, [&] { return changes == before; });
    EXPECT_GE(changes, before + 1);

    // A folder where no new file can be made (a read-only stick; here a folder in the new file's way,
    // which refuses even an administrator): said once, and the settings go on in memory.
    ASSERT_TRUE(CreateDirectoryW((path_ + L".new").c_str(), nullptr));
    EXPECT_TRUE(store.WriteSetting(keys::kFontSize, L"40"));
    EXPECT_TRUE(store.WriteSetting(keys::kFontColor, L"255"));
    EXPECT_EQ(store.ReadSetting(keys::kFontSize, 20), L"40");
    ASSERT_EQ(said_.size(), 2u);
    EXPECT_EQ(said_[1].substr(0, 20), Tr(IDS_SETTINGS_FILE_NOT_SAVED, {folder_, L""}).substr(0, 20));
    EXPECT_EQ(Bytes(), "[Tellurane]\r\nFontSize=30\r\nbroken line\r\nCheck6=1\r\nCheck4=1\r\n")
        << "the file as it was, its unread line kept";
    RemoveDirectoryW((path_ + L".new").c_str());
    EXPECT_TRUE(store.WriteSetting(keys::kFontColor, L"0"));
    EXPECT_NE(Bytes().find("FontSize=40"), std::string::npos) << "written whole once it can be";
}

// Before each write the file is read again: whatever changed in it since this copy read it stays, with this
// copy's own changes made on top, even when the folder's watch has not told yet (inside a menu, a box, a
// drag) or cannot (a network share). Here no watch runs at all.
TEST_F(SettingsFileTest, ASaveKeepsWhatChangedInTheFileSinceItWasReadAndMakesItsOwnChangesOnTop) {
    constexpr char kStart[] = "[Tellurane]\r\nFontSize=24\r\nCheck4=1\r\n\r\n[Clocks\\1]\r\nLabel=Tokyo\r\n";
    const struct {
        const char* what;
        const char* handEdit;  // none: a second copy changes a value and removes a clock
        const char* expected;
    } cases[] = {
        {"another value edited by hand", "[Tellurane]\r\nFontSize=24\r\nCheck4=0\r\n\r\n[Clocks\\1]\r\nLabel=Tokyo\r\n",
         "[Tellurane]\r\nFontSize=24\r\nCheck4=0\r\nCheck6=1\r\n\r\n[Clocks\\1]\r\nLabel=Kyoto\r\n"},
        {"a value deleted by hand", "[Tellurane]\r\nFontSize=24\r\n\r\n[Clocks\\1]\r\nLabel=Tokyo\r\n",
         "[Tellurane]\r\nFontSize=24\r\nCheck6=1\r\n\r\n[Clocks\\1]\r\nLabel=Kyoto\r\n"},
        {"the same value changed by hand: this copy's change is the newer one",
         "[Tellurane]\r\nFontSize=24\r\nCheck4=1\r\n\r\n[Clocks\\1]\r\nLabel=Paris\r\n",
         "[Tellurane]\r\nFontSize=24\r\nCheck4=1\r\nCheck6=1\r\n\r\n[Clocks\\1]\r\nLabel=Kyoto\r\n"},
        {"a second copy's change, then a clock it removed", nullptr,
         "[Tellurane]\r\nFontSize=30\r\nCheck4=1\r\nCheck6=1\r\n\r\n[Clocks\\1]\r\nLabel=Kyoto\r\n"},
    };
    for (const auto& c : cases) {
        Put(kStart);
        const SettingsStore store(Open());
        if (c.handEdit) {
            Put(c.handEdit);
        } else {
            const SettingsStore second(Open());
            second.WriteSetting(keys::kFontSize, L"30");
            second.DeleteBelow(L"Clocks\\1");
        }
        ASSERT_TRUE(store.WriteSetting(keys::kMilitaryTime, L"1"));
        ASSERT_TRUE(store.Below(L"Clocks\\1").WriteSetting(L"Label", L"Kyoto"));
        EXPECT_EQ(Bytes(), c.expected) << c.what;
        EXPECT_EQ(store.ReadSetting(keys::kFontSize, 20), SettingsStore(Open()).ReadSetting(keys::kFontSize, 20))
            << c.what << ": what it shows is what the file holds";
        // Two copies changing values in turn keep both.
        const SettingsStore second(Open());
        ASSERT_TRUE(second.WriteSetting(keys::kFontColor, L"255"));
        ASSERT_TRUE(store.WriteSetting(keys::kAlwaysOnTop, L"1"));
        ASSERT_TRUE(second.WriteSetting(keys::kShowWeekday, L"0"));
        const SettingsStore again(Open());
        EXPECT_EQ(again.ReadSetting(keys::kFontColor, 0) + again.ReadSetting(keys::kAlwaysOnTop, 0) +
                      again.ReadSetting(keys::kShowWeekday, 9) + again.ReadSetting(keys::kMilitaryTime, 0),
                  L"255101")
            << c.what;
    }
    EXPECT_TRUE(said_.empty()) << testing::PrintToString(said_);
}

// Readers may share the file while it is written (a sync client, an editor, a second copy); one that
// holds it without sharing is waited for briefly, and only a save that truly failed is said, once.
TEST_F(SettingsFileTest, ASaveSharesTheFileWithReadersWaitsBrieflyForAHolderAndSaysOnceWhenItCannot) {
    Put("[Tellurane]\r\nFontSize=24\r\n");
    const SettingsStore store(Open());
    const struct {
        DWORD access, share;
        int heldMs;  // 0: held until the save is over
        bool saved;
    } cases[] = {
        {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, true},
        {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0, true},
        {GENERIC_READ, 0, 200, true},
        {GENERIC_READ | GENERIC_WRITE, 0, 200, true},
        {GENERIC_READ, 0, 0, false},
        {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, 0, false},
    };
    int size = 25;
    for (const auto& c : cases) {
        const std::wstring line = L"FontSize=" + std::to_wstring(++size);
        HANDLE held = CreateFileW(path_.c_str(), c.access, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread letGo;
        if (c.heldMs) {
            letGo = std::thread([held, ms = c.heldMs] {
                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                CloseHandle(held);
            });
        }
        EXPECT_TRUE(store.WriteSetting(keys::kFontSize, std::to_wstring(size)));
        if (letGo.joinable()) {
            letGo.join();
        } else {
            CloseHandle(held);
        }
        EXPECT_EQ(store.ReadSetting(keys::kFontSize, 20), std::to_wstring(size)) << "kept in memory";
        EXPECT_EQ(Bytes().find("FontSize=" + std::to_string(size)) != std::string::npos, c.saved)
            << c.access << " " << c.share << " " << c.heldMs << ": " << Bytes();
        EXPECT_FALSE(Exists(L".new"));
    }
    ASSERT_EQ(said_.size(), 1u) << "said once";
    EXPECT_NE(said_[0].find(Tr(IDS_SETTINGS_FILE_NOT_SAVED, {folder_, L""}).substr(0, 20)), std::wstring::npos);
    EXPECT_TRUE(store.WriteSetting(keys::kFontColor, L"255"));
    EXPECT_EQ(Bytes(), "[Tellurane]\r\nFontSize=" + std::to_string(size) + "\r\nFont Color=255\r\n")
        << "everything, once it can be written";
}

// A save writes a sealed copy beside the file, then the file in place, then deletes the copy: whichever
// moment a power cut picks, the next start finds the settings whole. (The seam stops the save as the cut
// would; what a cut does to data Windows had not yet written is the seal's business, tested with it.)
TEST_F(SettingsFileTest, ASaveCutShortAtAnyStepLeavesTheSettingsWholeForTheNextStart) {
    constexpr char kBefore[] = "[Tellurane]\r\nFontSize=24\r\n; the user's note\r\nLabel=\"  Tokyo \"\r\n";
    constexpr char kAfter[] =
        "[Tellurane]\r\nFontSize=24\r\n; the user's note\r\nLabel=\"  Tokyo \"\r\n\r\n[Clocks\\1]\r\nLabel=A much "
        "longer label than any before it\r\n";
    const struct {
        int step;
        const char* found;
    } cases[] = {{1, kBefore}, {2, kAfter}, {3, kAfter}, {4, kAfter}};
    for (const auto& c : cases) {
        Put(kBefore);
        {
            const std::shared_ptr<SettingsFile> file = Open();
            file->CutNextSaveAt(c.step);
            SettingsStore(file).Below(L"Clocks\\1").WriteSetting(L"Label", L"A much longer label than any before it");
        }
        EXPECT_TRUE(Exists(L".new")) << "step " << c.step;
        const SettingsStore next(Open());
        EXPECT_EQ(Bytes(), c.found) << "step " << c.step;
        EXPECT_FALSE(Exists(L".new")) << "step " << c.step;
        EXPECT_EQ(next.ReadSetting(keys::kLabel, 0), L"  Tokyo ") << "step " << c.step;
    }
    // A whole copy that cannot be put back now (a reader holds the file without sharing the writing of it;
    // a read-only file does the same on Windows, but not for root under Wine): the settings come from the
    // copy, which stays for the next start.
    Put(kBefore);
    {
        const std::shared_ptr<SettingsFile> file = Open();
        file->CutNextSaveAt(3);
        SettingsStore(file).Below(L"Clocks\\1").WriteSetting(L"Label", L"A much longer label than any before it");
    }
    HANDLE reader = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(SettingsStore(Open()).Below(L"Clocks\\1").ReadSetting(L"Label", 0),
              L"A much longer label than any before it");
    EXPECT_TRUE(Exists(L".new"));
    CloseHandle(reader);
    EXPECT_EQ(SettingsStore(Open()).Below(L"Clocks\\1").ReadSetting(L"Label", 0),
              L"A much longer label than any before it");
    EXPECT_EQ(Bytes(), kAfter);
    EXPECT_TRUE(said_.empty()) << testing::PrintToString(said_);
}

// Windows takes such a folder only in the prefixed form unless long paths are switched on for the machine
// (and the manifest says the program is ready for them); Wine takes either. This checks the whole round
// through the prefixed form: every file call of the store, and the folder's watch.
TEST_F(SettingsFileTest, AFolderDeeperThanMaxPathHoldsTheSettings) {
    ASSERT_NO_FATAL_FAILURE(GoDeeperThanMaxPath());
    ASSERT_GT(path_.size(), std::size_t{MAX_PATH});
    Put("[Tellurane]\r\nFontSize=24\r\n");
    SettingsStore store(Open());
    int changes = 0;
    store.WatchChanges([&] { ++changes; });
    EXPECT_TRUE(store.Watching());
    ASSERT_TRUE(store.WriteSetting(keys::kFontColor, L"255"));
    EXPECT_EQ(Bytes(), "[Tellurane]\r\nFontSize=24\r\nFont Color=255\r\n");
    Put("[Tellurane]\r\nFontSize=30\r\nFont Color=255\r\n");
    WaitSeconds(1, [&] { return store.CachedSetting(keys::kFontSize, 20) != L"30"; });
    EXPECT_EQ(store.CachedSetting(keys::kFontSize, 20), L"30") << "a hand edit, within a second";
    EXPECT_FALSE(Exists(L".new"));
    EXPECT_TRUE(said_.empty()) << testing::PrintToString(said_);
}

}  // namespace
}  // namespace tellurane
