// A save whose replacement really fails on Windows: another program holds
// the configuration file open without sharing it.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "config/ConfigFile.h"

bool PlantLink(const std::string& target, const std::string& link) {
    return CreateHardLinkA(link.c_str(), target.c_str(), nullptr) != 0;
}

namespace {

TEST(SaveFailureWinTest, AFileHeldOpenElsewhereIsLeftByteForByte) {
    ScratchDirectory directory;
    const std::string path = directory.File(kConfigFileName);
    const std::string oldBytes = "Nombre: Old\r\n2- Sevidor DNS: 1.1.1.1\r\n";
    WriteBytes(path, oldBytes);
    ConfigurationList list;
    ASSERT_TRUE(list.Append(MakeRecord({"New", false, "10.0.0.1"})));
    ScriptedPrompts prompts;
    ConfigFileSession session;

    const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const bool saved = SaveConfigurations(path.c_str(), list, prompts, session);
    CloseHandle(held);

    EXPECT_FALSE(saved);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].text, "Error writing config file " + path);
    EXPECT_EQ(prompts.errors[0].title, "Error");
    EXPECT_EQ(ReadBytes(path), oldBytes);
    EXPECT_EQ(directory.Names(), std::vector<std::string>{kConfigFileName});
}

}  // namespace
