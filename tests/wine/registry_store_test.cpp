#include "app/registry_store_win.h"

#include <gtest/gtest.h>

#include <string>

#include "app/clock_settings.h"

namespace {

const HKEY kRoot = HKEY_CURRENT_USER;
const char* const kScratchPath = "Software\\TavixTests\\RegistryStoreTest";

bool KeyExists(const std::string& path) {
    UniqueRegKey key;
    return ::RegOpenKeyExA(kRoot, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { Wipe(); }
    void TearDown() override { Wipe(); }

    static void Wipe() {
        ::RegDeleteTreeA(kRoot, kScratchPath);
        ::RegDeleteKeyA(kRoot, kScratchPath);
    }

    // Writes a value of any type and size behind the store's back.
    static void WriteRaw(const char* name, DWORD type, const void* data, DWORD size) {
        UniqueRegKey key;
        ASSERT_EQ(::RegCreateKeyExA(kRoot, kScratchPath, 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
};

}  // namespace

TEST_F(RegistryStoreTest, ValuesRoundTripInTheKeyAndItsSubkeys) {
    EXPECT_EQ(AppRegistryKeyPath("Tavix"), "Software\\Quandel\\Tavix");
    ASSERT_FALSE(KeyExists(kScratchPath));
    RegistryStore store(kRoot, kScratchPath);
    ASSERT_TRUE(store.IsOpen());
    EXPECT_TRUE(KeyExists(kScratchPath));  // the key exists as soon as it is used

    EXPECT_FALSE(store.ReadInt("", "OnTop").has_value());
    EXPECT_FALSE(store.ReadString("Alarms\\1", "Name").has_value());
    EXPECT_FALSE(KeyExists(std::string(kScratchPath) + "\\Alarms\\1"));  // reading creates no section

    EXPECT_TRUE(store.WriteInt("", "Left", static_cast<uint32_t>(-50)));
    EXPECT_TRUE(store.WriteString("", "LangFile", "deutsch.lng"));
    EXPECT_TRUE(store.WriteString("", "Empty", ""));
    EXPECT_TRUE(store.WriteInt("Alarms\\1", "Flags", 3));
    EXPECT_TRUE(store.WriteString("Alarms\\1", "Name", "Tea, 100% ready"));
    EXPECT_EQ(store.ReadInt("", "Left"), static_cast<uint32_t>(-50));
    EXPECT_EQ(store.ReadString("", "LangFile"), "deutsch.lng");
    EXPECT_EQ(store.ReadString("", "Empty"), "");
    EXPECT_EQ(store.ReadInt("Alarms\\1", "Flags"), 3u);
    EXPECT_EQ(store.ReadString("Alarms\\1", "Name"), "Tea, 100% ready");
    EXPECT_FALSE(store.ReadInt("", "Flags").has_value());

    // A second store on the same key sees the same values.
    RegistryStore again(kRoot, kScratchPath);
    EXPECT_EQ(again.ReadString("Alarms\\1", "Name"), "Tea, 100% ready");

    EXPECT_TRUE(store.DeleteValue("", "LangFile"));
    EXPECT_FALSE(store.ReadString("", "LangFile").has_value());
    EXPECT_TRUE(store.DeleteValue("", "LangFile"));
    EXPECT_TRUE(store.DeleteValue("No\\Such\\Section", "x"));
}

TEST_F(RegistryStoreTest, ValuesOfAnotherTypeOrSizeReadAsMissing) {
    const DWORD number = 7;
    const WORD shortNumber = 7;
    const unsigned long long quad = 7;
    const char text[] = "7";
    const char unterminated[] = {'a', 'b', 'c'};
    WriteRaw("Text", REG_SZ, text, sizeof text);
    WriteRaw("Binary", REG_BINARY, &number, sizeof number);
    WriteRaw("ShortDword", REG_DWORD, &shortNumber, sizeof shortNumber);
    WriteRaw("Quad", REG_QWORD, &quad, sizeof quad);
    WriteRaw("Number", REG_DWORD, &number, sizeof number);
    WriteRaw("Expand", REG_EXPAND_SZ, text, sizeof text);
    WriteRaw("Unterminated", REG_SZ, unterminated, sizeof unterminated);
    WriteRaw("NoBytes", REG_SZ, text, 0);

    RegistryStore store(kRoot, kScratchPath);
    for (const char* name : {"Text", "Binary", "ShortDword", "Quad", "Expand", "Unterminated"})
        EXPECT_FALSE(store.ReadInt("", name).has_value()) << name;
    EXPECT_EQ(store.ReadInt("", "Number"), 7u);
    for (const char* name : {"Number", "Binary", "Quad", "Expand"})
        EXPECT_FALSE(store.ReadString("", name).has_value()) << name;
    EXPECT_EQ(store.ReadString("", "Text"), "7");
    EXPECT_EQ(store.ReadString("", "Unterminated"), "abc");
    EXPECT_EQ(store.ReadString("", "NoBytes"), "");
}

TEST_F(RegistryStoreTest, LongStringsAreReadWhole) {
    RegistryStore store(kRoot, kScratchPath);
    std::string text;
    for (int i = 0; text.size() < 70000; ++i)
        text += std::to_string(i) + '|';
    ASSERT_TRUE(store.WriteString("", "ActivePlugins", text));
    EXPECT_EQ(store.ReadString("", "ActivePlugins"), text);
    // Everything after an embedded NUL is not part of a REG_SZ.
    ASSERT_TRUE(store.WriteString("", "Cut", std::string("ab\0cd", 5)));
    EXPECT_EQ(store.ReadString("", "Cut"), "ab");
}

TEST_F(RegistryStoreTest, DeleteSectionRemovesTheWholeTree) {
    RegistryStore store(kRoot, kScratchPath);
    ASSERT_TRUE(store.WriteInt("", "OnTop", 1));
    ASSERT_TRUE(store.WriteString("Alarms\\1", "Name", "one"));
    ASSERT_TRUE(store.WriteString("Alarms\\2", "Name", "two"));
    ASSERT_TRUE(store.WriteInt("Alarms\\2\\Deeper", "X", 1));
    ASSERT_TRUE(store.WriteInt("AlarmsOther", "X", 1));

    EXPECT_TRUE(store.DeleteSection("Alarms\\2"));
    EXPECT_FALSE(KeyExists(std::string(kScratchPath) + "\\Alarms\\2"));
    EXPECT_EQ(store.ReadString("Alarms\\1", "Name"), "one");

    EXPECT_TRUE(store.DeleteSection("Alarms"));
    EXPECT_FALSE(KeyExists(std::string(kScratchPath) + "\\Alarms"));
    EXPECT_EQ(store.ReadInt("AlarmsOther", "X"), 1u);
    EXPECT_EQ(store.ReadInt("", "OnTop"), 1u);
    EXPECT_TRUE(store.DeleteSection("Alarms"));  // already gone

    // The store keeps working on the key after a section went away.
    EXPECT_TRUE(store.WriteString("Alarms\\1", "Name", "new"));
    EXPECT_EQ(store.ReadString("Alarms\\1", "Name"), "new");
}

TEST_F(RegistryStoreTest, ClockSettingsOverTheRegistry) {
    const DWORD alpha = 300, onTop = 5, hide = 5;
    WriteRaw("Alpha", REG_DWORD, &alpha, sizeof alpha);
    WriteRaw("OnTop", REG_DWORD, &onTop, sizeof onTop);
    WriteRaw("HideFromAltTab", REG_DWORD, &hide, sizeof hide);
    WriteRaw("UseSecondHand", REG_SZ, "0", 2);  // wrong type: the default

    RegistryStore store(kRoot, kScratchPath);
    ClockSettings s;
    LoadSettings(store, s, true, true);
    EXPECT_EQ(s.Alpha, 44);
    EXPECT_EQ(s.OnTop, 1);
    EXPECT_EQ(s.HideFromAltTab, 5);
    EXPECT_EQ(s.UseSecondHand, 1);
    EXPECT_EQ(s.BackgrndBitmap, "Original.png");
    EXPECT_EQ(s.ZoomValue, 100);

    s.ZoomValue = -50;
    s.DefaultTimeZone = "Tokyo Standard Time";
    SaveSettings(store, s);
    EXPECT_EQ(store.ReadInt("", "OnTop"), 1u);
    EXPECT_EQ(store.ReadInt("", "Alpha"), 44u);
    EXPECT_EQ(store.ReadInt("", "HideFromAltTab"), 5u);
    EXPECT_EQ(store.ReadInt("", "UseSecondHand"), 1u);
    EXPECT_FALSE(store.ReadInt("", "Left").has_value());

    ClockSettings again;
    LoadSettings(RegistryStore(kRoot, kScratchPath), again, true, true);
    EXPECT_EQ(again.ZoomValue, -50);
    EXPECT_EQ(again.DefaultTimeZone, "Tokyo Standard Time");
    EXPECT_EQ(again.LangFile, "english.lng");
}

// The store keeps the section it used last open; another process (a second
// clock) may delete or replace that section in the meantime.
TEST_F(RegistryStoreTest, ASectionChangedByAnotherStoreIsSeenAsItIsNow) {
    RegistryStore store(kRoot, kScratchPath);
    RegistryStore other(kRoot, kScratchPath);
    ASSERT_TRUE(store.WriteInt("Alarms\\1", "Flags", 3));

    ASSERT_TRUE(other.DeleteSection("Alarms\\1"));
    EXPECT_FALSE(store.ReadInt("Alarms\\1", "Flags").has_value()) << "read through a deleted key";
    EXPECT_TRUE(store.DeleteValue("Alarms\\1", "Flags"));
    EXPECT_FALSE(KeyExists(std::string(kScratchPath) + "\\Alarms\\1")) << "deleting a value made the section";

    ASSERT_TRUE(store.WriteInt("Alarms\\1", "Flags", 3));
    ASSERT_TRUE(other.DeleteSection("Alarms\\1"));
    ASSERT_TRUE(other.WriteString("Alarms\\1", "Name", "replaced"));
    EXPECT_EQ(store.ReadString("Alarms\\1", "Name"), "replaced");
    EXPECT_TRUE(store.WriteInt("Alarms\\1", "Flags", 1)) << "written to the deleted key only";
    EXPECT_EQ(other.ReadInt("Alarms\\1", "Flags"), 1u);
    EXPECT_TRUE(store.DeleteValue("Alarms\\1", "Name"));
    EXPECT_FALSE(other.ReadString("Alarms\\1", "Name").has_value());
}
