#include <string>
#include <vector>

#include "ConfigTestSupport.h"
#include "MemoryRegistry.h"
#include "RegistryTestBackend.h"
#include "app/ApplyCommand.h"
#include "app/CommandLine.h"
#include "config/ConfigFile.h"

namespace {

TEST(CommandLineTest, ReadsTheArgumentsAndSwitches) {
    using A = CommandAction;
    struct Row {
        const char* line;
        CommandAction action;
        bool quiet;
        const char* configuration;
        const char* interfaceName;  // null: not named
    };
    const Row rows[] = {
        {"", A::kRunWindow, false, "", nullptr},
        {" \t ", A::kRunWindow, false, "", nullptr},
        {"/apply Home", A::kApply, false, "Home", nullptr},
        {"\t-APPLY \"Home office\"  /Interface \"Intel NIC #2\" -qUiEt ", A::kApply, true,
         "Home office", "Intel NIC #2"},
        {"/interface nic /quiet /apply Home", A::kApply, true, "Home", "nic"},
        {"/apply \"say \"\"hi\"\"\"", A::kApply, false, "say \"hi\"", nullptr},
        {"/apply ab\"c d\"e", A::kApply, false, "abc de", nullptr},
        {"/apply \"C:\\Net\\\" /quiet", A::kApply, true, "C:\\Net\\", nullptr},
        {"/apply \"\"", A::kApply, false, "", nullptr},
        {"/apply \"open to the end ", A::kApply, false, "open to the end ", nullptr},
        // A value is taken as it stands, switch or not.
        {"/apply /quiet", A::kApply, false, "/quiet", nullptr},
        {"/?", A::kShowUsage, false, "", nullptr},
        {"-?", A::kShowUsage, false, "", nullptr},
        {"/? /quiet", A::kWrongCommandLine, true, "", nullptr},
        {"/apply Home /?", A::kWrongCommandLine, false, "Home", nullptr},
        {"/apply", A::kWrongCommandLine, false, "", nullptr},
        {"/apply Home /interface", A::kWrongCommandLine, false, "Home", nullptr},
        {"/apply Home /apply Work", A::kWrongCommandLine, false, "Work", nullptr},
        {"/quiet /apply Home /QUIET", A::kWrongCommandLine, true, "Home", nullptr},
        {"/apply Home Work", A::kWrongCommandLine, false, "Home", nullptr},
        {"/bogus /quiet", A::kWrongCommandLine, true, "", nullptr},
        {"/ Home", A::kWrongCommandLine, false, "", nullptr},
        {"/interface nic", A::kWrongCommandLine, false, "", "nic"},
        {"/quiet", A::kWrongCommandLine, true, "", nullptr},
        {"\"\"", A::kWrongCommandLine, false, "", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const CommandRequest request = ParseCommandLine(row.line);
        EXPECT_EQ(request.action, row.action);
        EXPECT_EQ(request.quiet, row.quiet);
        EXPECT_EQ(request.configuration, row.configuration);
        EXPECT_EQ(request.interfaceNamed, row.interfaceName != nullptr);
        EXPECT_EQ(request.interfaceName, row.interfaceName ? row.interfaceName : "");
    }
}

// One interface as enumeration finds it on the "NT" family: class subkey
// "000<n>", TCP/IP key "{<n>}".
void SeedInterface(MemoryRegistry& registry, const PlatformProfile& profile, std::size_t n,
                   const std::string& description) {
    const std::string path = profile.adapterClassBasePath + "000" + std::to_string(n);
    registry.SeedValue(path, "BusType", kRegSz, Bytes("5\0"));
    registry.SeedValue(path, "DriverDesc", kRegSz, description + '\0');
    registry.SeedValue(path, "NetCfgInstanceId", kRegSz, "{" + std::to_string(n) + "}" + '\0');
}

TEST(CommandLineTest, ChoosesTheStatusAndTheMessage) {
    using M = CommandMessage;
    const std::string longName(600, 'N');
    const std::vector<std::string> one = {"Intel PRO/1000"};
    const std::vector<std::string> two = {"Intel PRO/1000", "Realtek RTL8139"};
    const std::vector<std::string> alike = {"NIC", "nic"};
    struct Row {
        const char* what;
        bool file;
        std::vector<std::string> interfaces;
        std::string line;
        int status;
        CommandMessage message;
        std::string text;  // the error's text; the file's path follows "$"
        int appliedTo;     // the interface written to; -1 for none
        bool classKeyRefused = false;
        unsigned codePage = 1252;
    };
    // Two Japanese letters on code page 932 that differ in their second byte alone.
    const std::string ka = "\x83\x41", ji = "\x83\x61";
    const std::vector<std::string> kana = {ka}, kanaNic = {ka + "Nic"};
    const Row rows[] = {
        {"applied", true, one, "/apply Home", 0, M::kApplyResult, "", 0},
        {"applied quietly", true, one, "/apply Home /quiet", 0, M::kNothing, "", 0},
        {"usage", true, one, "/?", 0, M::kUsage, "", -1},
        {"wrong line", true, one, "/apply", 2, M::kUsage, "", -1},
        {"wrong line, quiet", true, one, "/apply Home /quiet /bogus", 2, M::kNothing, "", -1},
        {"no file", false, one, "/apply Home", 3, M::kError, "Error opening config file $", -1},
        {"no file, quiet", false, one, "/apply Home /quiet", 3, M::kNothing, "", -1},
        {"name of other case", true, one, "/apply home", 3, M::kError,
         "Configuration not found: home", -1},
        {"long name", true, one, "/apply " + longName, 3, M::kError,
         ("Configuration not found: " + longName).substr(0, 255), -1},
        {"several, none named", true, two, "/apply Home", 4, M::kError,
         "Several interfaces: name one with /interface", -1},
        {"no interface", true, {}, "/apply Home", 4, M::kError, "No network interface found", -1},
        {"named exactly", true, two, "/apply Home /interface \"Realtek RTL8139\"", 0,
         M::kApplyResult, "", 1},
        {"named, case aside", true, two, "/apply Home /interface \"realtek rtl8139\"", 0,
         M::kApplyResult, "", 1},
        {"exact before case aside", true, alike, "/apply Home /interface nic", 0, M::kApplyResult,
         "", 1},
        {"several with case aside", true, alike, "/apply Home /interface Nic", 4, M::kError,
         "Interface not found: Nic", -1},
        {"932: a double-byte character's second byte compares exactly", true, kana,
         "/apply Home /interface " + ji, 4, M::kError, "Interface not found: " + ji, -1, false,
         932},
        {"932: single-byte letters with case aside", true, kanaNic,
         "/apply Home /interface " + ka + "NIC", 0, M::kApplyResult, "", 0, false, 932},
        {"1252: each byte a character, with case aside", true, kana, "/apply Home /interface " + ji,
         0, M::kApplyResult, "", 0},
        {"no such interface", true, two, "/apply Home /interface Other", 4, M::kError,
         "Interface not found: Other", -1},
        {"refused", true, one, "/apply Unusable", 5, M::kApplyResult, "", -1},
        {"no rights to write", true, one, "/apply Home", 1, M::kApplyResult, "", -1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const std::string path = directory.File(kConfigFileName);
        std::string bytes;
        if (row.file) {
            ConfigurationList list;
            // Of equal names the first counts.
            for (const RecordTexts& texts : {
                     RecordTexts{"Home", false, "192.168.0.10", "00A0C9112233", "255.255.255.0"},
                     RecordTexts{"Home", false, "10.0.0.99", "Default", "255.0.0.0"},
                     RecordTexts{"Unusable", false, "192.168.100.1001", "Default", "255.0.0.0"},
                 })
                list.Append(MakeRecord(texts));
            ScriptedPrompts prompts;
            ConfigFileSession session;
            ASSERT_TRUE(SaveConfigurations(path.c_str(), list, prompts, session));
            bytes = ReadBytes(path);
        }
        MemoryRegistry registry;
        PlatformProfile profile;
        SelectPlatformProfile(0, profile);
        for (std::size_t n = 0; n < row.interfaces.size(); ++n)
            SeedInterface(registry, profile, n, row.interfaces[n]);
        if (row.classKeyRefused) registry.RefuseFullAccess(profile.adapterClassBasePath + "0000");

        const CommandOutcome outcome = RunCommand(ParseCommandLine(row.line.c_str()), registry,
                                                  profile, path.c_str(), row.codePage);

        EXPECT_EQ(outcome.status, row.status);
        EXPECT_EQ(outcome.message, row.message);
        std::string text = row.text;
        if (!text.empty() && text.back() == '$') text.replace(text.size() - 1, 1, path);
        if (row.message == M::kError) {
            EXPECT_EQ(outcome.text, text);
        }
        if (row.message == M::kApplyResult) {
            const ApplyResult shown = row.status == 0   ? ApplyResult::kApplied
                                      : row.status == 1 ? ApplyResult::kAccessDenied
                                                        : ApplyResult::kRefused;
            EXPECT_EQ(outcome.applyResult, shown);
        }
        for (std::size_t n = 0; n < row.interfaces.size(); ++n) {
            const auto written = registry.FindValue(
                profile.tcpipBasePath + "{" + std::to_string(n) + "}", "IPAddress");
            if (static_cast<int>(n) == row.appliedTo) {
                EXPECT_EQ(written, (RegistryValue{kRegMultiSz, Padded("192.168.0.10", 16)}));
            } else if (!row.classKeyRefused) {
                EXPECT_FALSE(written) << "interface " << n;
            }
        }
        // The file is only read: unchanged, and nothing beside it.
        if (row.file) {
            EXPECT_EQ(ReadBytes(path), bytes);
            EXPECT_EQ(directory.Names(), std::vector<std::string>{kConfigFileName});
        } else {
            EXPECT_TRUE(directory.Names().empty());
        }
    }
}

}  // namespace
