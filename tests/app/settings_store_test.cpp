#include "app/settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "logic/app_error.h"
#include "logic/setting_keys.h"

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

}  // namespace
}  // namespace tellurane
