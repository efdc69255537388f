// Where the game path comes from at start-up, and what saving it keeps.
#include <windows.h>

#include <string>

#include "app/settings.h"
#include "tests/app/app_fixture.h"

namespace {

using SettingsTest = AppFixture;

TEST_F(SettingsTest, TheSettingsFileWinsOverTheRegistryWheneverItHasTheKey) {
    const std::string longPath = "D:\\" + std::string(2000, 'x');
    struct Case {
        const char* name;
        bool withFile;
        std::string settings;
        const char* registry;  // null: no value
        std::string shown;
    } cases[] = {
        {"no file and no value", false, "", nullptr, ""},
        {"registry only", false, "", "E:\\LOL", "E:\\LOL"},
        {"empty value beats the registry", true, "[0728]\r\nGamePath=\r\n", "E:\\LOL", ""},
        {"file value", true, "[0728]\r\nGamePath=D:\\Games\\英雄联盟\r\n", "E:\\LOL",
         "D:\\Games\\英雄联盟"},
        {"other section only", true, "[0729]\r\nGamePath=X:\\\r\n", "E:\\LOL", "E:\\LOL"},
        {"a 2,000-byte value is read whole", true, "[0728]\r\nGamePath=" + longPath + "\r\n",
         nullptr, longPath},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA("settings.ini");
        if (c.withFile) writeFile("settings.ini", c.settings);
        std::string registry = c.registry ? c.registry : "";
        setRegistryInstallPath(c.registry ? &registry : nullptr);
        openApp();
        EXPECT_EQ(app->gamePathEdit->content(), c.shown);
        closeApp();
    }
}

TEST_F(SettingsTest, ARegistryValueOfAnotherTypeDoesNotCount) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tencent\\LOL", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD number = 7;
    RegSetValueExA(key, "InstallPath", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number),
                   sizeof number);
    RegCloseKey(key);
    EXPECT_EQ(readRegistryText(HKEY_LOCAL_MACHINE, kRegistryInstallPath), "");
    EXPECT_EQ(readRegistryText(HKEY_LOCAL_MACHINE, kRegistryInstallPath, Text("fallback")),
              "fallback");
}

TEST_F(SettingsTest, ALongRegistryValueIsReadWhole) {
    std::string value = "E:\\" + std::string(3000, 'y');
    setRegistryInstallPath(&value);
    EXPECT_EQ(readRegistryText(HKEY_LOCAL_MACHINE, kRegistryInstallPath), value);
}

TEST_F(SettingsTest, SavingKeepsEverythingElseInTheFile) {
    writeFile("settings.ini", "[other]\r\nkey=value\r\n[0728]\r\nGamePath=old\r\nKeep=this\r\n");
    saveGamePath("D:\\Games\\英雄联盟");
    EXPECT_EQ(readProfileText(".\\settings.ini", "0728", "GamePath"), "D:\\Games\\英雄联盟");
    EXPECT_EQ(readProfileText(".\\settings.ini", "0728", "Keep"), "this");
    EXPECT_EQ(readProfileText(".\\settings.ini", "other", "key"), "value");
}

TEST_F(SettingsTest, SavingCreatesTheFileWhenItIsMissing) {
    ASSERT_FALSE(fileExists("settings.ini"));
    saveGamePath("C:\\LOL");
    EXPECT_TRUE(fileExists("settings.ini"));
    EXPECT_EQ(readGamePath(), "C:\\LOL");
}

TEST_F(SettingsTest, AnotherWorkingDirectoryReadsAndWritesAnotherFile) {
    saveGamePath("C:\\first");
    std::string other = directory + "\\other";
    CreateDirectoryA(other.c_str(), nullptr);
    SetCurrentDirectoryA(other.c_str());
    EXPECT_EQ(readGamePath(), "");
    saveGamePath("C:\\second");
    SetCurrentDirectoryA(directory.c_str());
    EXPECT_EQ(readGamePath(), "C:\\first");
}

}  // namespace
