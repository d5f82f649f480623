#include <string>
#include <vector>

#include "AdapterTestData.h"
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
        bool restart = false;
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
        {"/apply Home -RESTART", A::kApply, false, "Home", nullptr, true},
        {"/restart /quiet", A::kWrongCommandLine, true, "", nullptr, true},
        {"/restart /apply Home /Restart", A::kWrongCommandLine, false, "Home", nullptr, true},
        {"-TRAY", A::kRunTray, false, "", nullptr},
        {"/tray /quiet", A::kWrongCommandLine, true, "", nullptr},
        {"/tray /apply Home", A::kWrongCommandLine, false, "Home", nullptr},
        // The copies' lines are theirs alone, and silent.
        {"/restart-interface 00012", A::kRestartHelper, true, "", nullptr},
        {"/restart-interface 000123", A::kWrongHelperLine, true, "", nullptr},
        {"/restart-interface 0x01", A::kWrongHelperLine, true, "", nullptr},
        {"/quiet /restart-interface 0001", A::kWrongHelperLine, true, "", nullptr},
        {"/apply-elevated Intel 1", A::kWrongCommandLine, true, "", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const CommandRequest request = ParseCommandLine(row.line);
        EXPECT_EQ(request.action, row.action);
        EXPECT_EQ(request.quiet, row.quiet);
        EXPECT_EQ(request.configuration, row.configuration);
        EXPECT_EQ(request.interfaceNamed, row.interfaceName != nullptr);
        EXPECT_EQ(request.interfaceName, row.interfaceName ? row.interfaceName : "");
        EXPECT_EQ(request.restart, row.restart);
    }
}

TEST(CommandLineTest, TheElevatedCopyGetsEveryValueUnchanged) {
    const std::string longest(127, 'x');
    struct Row {
        const char* what;
        std::string interfaceName, text;
        bool dhcp, restart;
    };
    const Row rows[] = {
        {"plain", "Intel PRO/1000", "10.0.0.1", false, false},
        {"blanks and a tab", "  Intel  PRO #2 ", "a\tb c", true, true},
        {"quotes", "\"NIC\" \"\"", "\"", false, true},
        {"trailing backslash", "C:\\Net\\", "\\", true, false},
        {"empty", "", "", false, false},
        {"a switch's look", "/quiet", "-restart", false, false},
        {"longest field", longest, longest, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ElevatedApply order;
        order.interfaceName = row.interfaceName;
        order.restart = row.restart;
        Configuration& sent = order.configuration;
        sent.dhcpEnabled = row.dhcp ? 1 : 0;
        // Each field its own text, so that a swap shows.
        int number = 0;
        for (char* field : {sent.ipAddress, sent.mask, sent.gateway, sent.dns1, sent.dns2,
                            sent.macAddress})
            CopyText(field, kTextFieldSize, (std::to_string(number++) + row.text).c_str());

        const CommandRequest request = ParseCommandLine(ElevatedChildLine(order).c_str());
        EXPECT_EQ(request.action, CommandAction::kElevatedApply);
        EXPECT_TRUE(request.quiet);
        EXPECT_EQ(request.elevated.interfaceName, row.interfaceName);
        EXPECT_EQ(request.elevated.restart, row.restart);
        ExpectSameSettings(request.elevated.configuration, sent);
    }
}

// Windows' side of an Apply, scripted; it keeps what it was asked.
class ScriptedPlatform : public ApplyPlatform {
public:
    ApplyRoute route = ApplyRoute::kInProcess;
    ElevatedRun child;
    std::uint32_t restartOutcome = 0;
    int elevations = 0;
    std::vector<std::string> restarted;

    ApplyRoute Route() override { return route; }
    ElevatedRun RunElevated(const std::string&) override {
        ++elevations;
        return child;
    }
    std::uint32_t RestartInterface(const char* classSubkey) override {
        restarted.push_back(classSubkey);
        return restartOutcome;
    }
    LiveCheck live = {true, true, ""};
    int checks = 0;
    LiveCheck CheckLiveUse(const AdapterEntry&, const Configuration&) override {
        ++checks;
        return live;
    }
};

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
        bool family98 = false;
        ApplyRoute route = ApplyRoute::kInProcess;
        ElevatedRun child = {};
        std::uint32_t restartOutcome = 0;
        int restarts = 0;  // of interface 0000
        int elevations = 0;
        LiveCheck live = {true, true, ""};
        int checks = 0;  // of whether Windows uses it, in this process
    };
    using R = ApplyRoute;
    const LiveCheck notYet = {true, false, "the mask is 255.255.0.0"};
    using H = ElevatedRun::How;
    ElevatedApply copy;
    copy.interfaceName = "intel pro/1000";
    copy.configuration = MakeRecord({"", false, "192.168.0.10", "00A0C9112233", "255.255.255.0"});
    copy.restart = true;
    // Two Japanese letters on code page 932 that differ in their second byte alone.
    const std::string ka = "\x83\x41", ji = "\x83\x61";
    const std::vector<std::string> kana = {ka}, kanaNic = {ka + "Nic"};
    const Row rows[] = {
        {"applied", true, one, "/apply Home", 0, M::kApplyReport, "", 0},
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
         M::kApplyReport, "", 1},
        {"named, case aside", true, two, "/apply Home /interface \"realtek rtl8139\"", 0,
         M::kApplyReport, "", 1},
        {"exact before case aside", true, alike, "/apply Home /interface nic", 0, M::kApplyReport,
         "", 1},
        {"several with case aside", true, alike, "/apply Home /interface Nic", 4, M::kError,
         "Interface not found: Nic", -1},
        {"932: a double-byte character's second byte compares exactly", true, kana,
         "/apply Home /interface " + ji, 4, M::kError, "Interface not found: " + ji, -1, false,
         932},
        {"932: single-byte letters with case aside", true, kanaNic,
         "/apply Home /interface " + ka + "NIC", 0, M::kApplyReport, "", 0, false, 932},
        {"1252: each byte a character, with case aside", true, kana, "/apply Home /interface " + ji,
         0, M::kApplyReport, "", 0},
        {"no such interface", true, two, "/apply Home /interface Other", 4, M::kError,
         "Interface not found: Other", -1},
        {"refused", true, one, "/apply Unusable", 5, M::kApplyReport, "", -1},
        {"no rights to write", true, one, "/apply Home", 1, M::kApplyReport, "", -1, true},
        {"restarted, in use", true, one, "/apply Home /restart", 0, M::kApplyReport, "", 0, false,
         1252, false, R::kInProcess, {}, 0, 1, 0, {true, true, ""}, 1},
        {"restarted, not in use yet", true, one, "/apply Home /restart", 10, M::kApplyReport, "", 0,
         false, 1252, false, R::kInProcess, {}, 0, 1, 0, notYet, 1},
        {"not restarted", true, one, "/apply Home /restart", 7, M::kApplyReport, "", 0, false, 1252,
         false, R::kInProcess, {}, 1168, 1},
        {"the device asks for a reboot", true, one, "/apply Home /restart", 8, M::kApplyReport, "",
         0, false, 1252, false, R::kInProcess, {}, 3010, 1},
        {"restart on the 98 family", true, one, "/apply Home /restart", 8, M::kApplyReport, "",
         -1, false, 1252, true},
        {"a failed apply restarts nothing", true, one, "/apply Home /restart", 1,
         M::kApplyReport, "", -1, true, 1252, false, R::kInProcess, {}, 0, 0},
        {"elevated", true, one, "/apply Home /restart", 0, M::kApplyReport, "", -1, false, 1252, false,
         R::kElevate, {H::kEnded, 0}, 0, 0, 1, {true, true, ""}, 1},
        {"elevated: the parent checks", true, one, "/apply Home /restart", 10, M::kApplyReport, "",
         -1, false, 1252, false, R::kElevate, {H::kEnded, 0}, 0, 0, 1, notYet, 1},
        {"elevated, not restarted", true, one, "/apply Home /restart", 7, M::kApplyReport, "",
         -1, false, 1252, false, R::kElevate, {H::kEnded, 0x10000000 + 1168}, 0, 0, 1},
        {"rights not given", true, one, "/apply Home /quiet", 9, M::kNothing, "", -1, false, 1252,
         false, R::kElevate, {H::kNotStarted, 1223}, 0, 0, 1},
        {"a refusal never prompts", true, one, "/apply Unusable", 5, M::kApplyReport, "", -1,
         false, 1252, false, R::kElevate, {H::kEnded, 0}, 0, 0, 0},
        // The copy writes itself whatever the route, and shows nothing.
        {"the elevated copy", false, one, ElevatedChildLine(copy), 0, M::kNothing, "", 0, false, 1252,
         false, R::kElevate, {}, 0, 1},
        {"the elevated copy, no interface", false, {}, ElevatedChildLine(copy), 4, M::kNothing,
         "", -1},
        {"the restart helper", false, {}, "/restart-interface 0000", 1168, M::kNothing, "", -1,
         false, 1252, false, R::kInProcess, {}, 1168, 1},
        {"the helper's wrong line", false, {}, "/restart-interface 0000 /quiet", 87,
         M::kNothing, "", -1},
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
        SelectPlatformProfile(row.family98 ? 0x80000000u : 0u, profile);
        ScriptedPlatform platform;
        platform.route = row.route;
        platform.child = row.child;
        platform.restartOutcome = row.restartOutcome;
        platform.live = row.live;
        for (std::size_t n = 0; n < row.interfaces.size(); ++n)
            SeedInterface(registry, profile, n, row.interfaces[n]);
        if (row.classKeyRefused) registry.RefuseFullAccess(profile.adapterClassBasePath + "0000");

        const CommandOutcome outcome = RunCommand(ParseCommandLine(row.line.c_str()), registry,
                                                  profile, platform, path.c_str(), row.codePage);

        EXPECT_EQ(outcome.exitCode, static_cast<std::uint32_t>(row.status));
        EXPECT_EQ(platform.elevations, row.elevations);
        EXPECT_EQ(platform.checks, row.checks);
        EXPECT_EQ(platform.restarted, std::vector<std::string>(row.restarts, "0000"));
        EXPECT_EQ(outcome.message, row.message);
        std::string text = row.text;
        if (!text.empty() && text.back() == '$') text.replace(text.size() - 1, 1, path);
        if (row.message == M::kError) {
            EXPECT_EQ(outcome.text, text);
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

TEST(CommandLineTest, EachEndingHasOneStatusOneBoxAndCrossesFromTheElevatedCopy) {
    const std::string applied = "Changes successfully applied\n";
    const std::string failed =
        "An error has happened, changes weren't applied.\nVerify inserted fields.";
    const std::string notRestarted = applied + "Reboot the Interfaz\nIt could not be restarted: ";
    const std::string noRights = "Changes weren't applied: administrator rights ";
    using E = ApplyEnd;
    struct Row {
        ApplyReport report;
        bool nt;
        int status;
        std::string text;  // "Complete" when it begins with `applied`, else "Error"
        bool fromCopy;     // an ending the elevated copy can have
    };
    const Row rows[] = {
        {{E::kApplied, false, 0}, true, 0, applied + "Reboot the Interfaz", true},
        {{E::kApplied, false, 0}, false, 0, applied + "Reboot Windows", true},
        {{E::kApplied, true, 0}, true, 0, applied + "The interface was restarted", true},
        {{E::kApplied, true, 0, {true, true, ""}}, true, 0,
         applied + "The interface was restarted\nWindows now uses it", false},
        {{E::kApplied, true, 0, {true, false, "there is no gateway"}}, true, 10,
         applied + "The interface was restarted\nWindows does not use it yet: there is no gateway",
         false},
        {{E::kApplied, true, 3010}, true, 8, applied + "Reboot Windows", true},
        {{E::kApplied, true, 3010}, false, 8, applied + "Reboot Windows", true},
        {{E::kApplied, true, 1168}, true, 7, notRestarted + "it is not present", true},
        {{E::kApplied, true, 5}, true, 7, notRestarted + "administrator rights are needed", true},
        {{E::kApplied, true, 0x20000002}, true, 7, notRestarted + "Nicset64.exe is missing", true},
        {{E::kApplied, true, 0xE0000235}, true, 7, notRestarted + "error 0xE0000235", true},
        {{E::kApplied, true, 1460}, true, 7, notRestarted + "error 0x000005B4", true},
        {{E::kRefused}, true, 5, failed, true},
        {{E::kPutBack}, true, 1, failed, true},
        {{E::kPartlyChanged}, true, 6, failed + "\nSome settings may have been changed.", true},
        {{E::kAccessDenied}, true, 1, noRights + "are needed", true},
        {{E::kInterfaceNotFound}, true, 4, "Interface not found: Intel", true},
        {{E::kRightsNotGiven}, true, 9, noRights + "were not given", false},
        {{E::kRightsNotHad, false, 2}, true, 9,
         noRights + "could not be had (error 0x00000002)", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        PlatformProfile profile;
        SelectPlatformProfile(row.nt ? 0u : 0x80000000u, profile);
        const ApplyMessage message = MessageOf(row.report, profile, "Intel");
        EXPECT_EQ(StatusOf(row.report), row.status);
        EXPECT_EQ(message.text, row.text);
        const bool complete = row.text.compare(0, applied.size(), applied) == 0;
        EXPECT_STREQ(message.title, complete ? "Complete" : "Error");
        EXPECT_EQ(message.error, !complete);
        if (!row.fromCopy) continue;
        // The parent shows the very box the copy would have shown.
        const ApplyReport crossed =
            ReportOfChildExit(ChildExitCode(row.report), row.report.restartAsked);
        EXPECT_EQ(StatusOf(crossed), row.status);
        EXPECT_EQ(MessageOf(crossed, profile, "Intel").text, row.text);
    }
    // Codes that are no status of the copy's: a crash, a line it did not take.
    for (std::uint32_t exitCode : {0xC0000005u, 2u, 7u, 9u}) {
        SCOPED_TRACE(exitCode);
        EXPECT_EQ(StatusOf(ReportOfChildExit(exitCode, true)), kStatusPartlyChanged);
    }
}

TEST(CommandLineTest, OnlyAProcessKnownNotToBeElevatedOnVistaOrLaterElevates) {
    struct Row {
        bool nt;
        unsigned major;
        Elevation elevation;
        ApplyRoute route;
    };
    const Row rows[] = {
        {false, 4, Elevation::kUnknown, ApplyRoute::kInProcess},
        {true, 5, Elevation::kUnknown, ApplyRoute::kInProcess},  // XP: a refusal says so
        {true, 6, Elevation::kElevated, ApplyRoute::kInProcess},
        {true, 6, Elevation::kNotElevated, ApplyRoute::kElevate},
        {true, 10, Elevation::kNotElevated, ApplyRoute::kElevate},
        {true, 10, Elevation::kUnknown, ApplyRoute::kInProcess},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nt << " " << row.major);
        EXPECT_EQ(ChooseApplyRoute(row.nt, row.major, row.elevation), row.route);
    }
}

}  // namespace
