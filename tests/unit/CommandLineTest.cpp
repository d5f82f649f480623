#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "AdapterTestData.h"
#include "ConfigTestSupport.h"
#include "MemoryRegistry.h"
#include "RegistryTestBackend.h"
#include "app/AdminCommands.h"
#include "app/ApplyCommand.h"
#include "app/CommandLine.h"
#include "config/ConfigFile.h"
#include "ui/ConfigFileMutex.h"

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
        bool replace = false;
        const char* log = nullptr;      // null: not logged
        const char* command = nullptr;  // null: not looked at
    };
    // A name of the longest a configuration holds, and one past it.
    const std::string longest(127, 'n'), tooLong = longest + "n";
    const std::string fits = "/backup " + longest, overlong = "/backup " + tooLong;
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
        {"/apply-elevated Intel 1", A::kWrongElevatedLine, true, "", nullptr},
        // /backup, /list and /log.
        {"/backup Home", A::kBackup, false, "Home", nullptr, false, false, nullptr, "backup"},
        {"-BACKUP \"Home office\" /interface nic /Replace /quiet /LOG \"C:\\Logs\\n.log\"",
         A::kBackup, true, "Home office", "nic", false, true, "C:\\Logs\\n.log", "backup"},
        {fits.c_str(), A::kBackup, false, longest.c_str(), nullptr},
        {overlong.c_str(), A::kWrongCommandLine, false, tooLong.c_str(), nullptr},
        {"/backup \"\"", A::kWrongCommandLine, false, "", nullptr},
        {"/backup a\nb", A::kWrongCommandLine, false, "a\nb", nullptr},
        {"/backup", A::kWrongCommandLine, false, "", nullptr},
        {"/backup Home /restart", A::kWrongCommandLine, false, "Home", nullptr, true},
        {"/apply Home /replace", A::kWrongCommandLine, false, "Home", nullptr, false, true},
        {"/apply Home /log run.log", A::kApply, false, "Home", nullptr, false, false, "run.log",
         "apply"},
        {"/apply Home /log", A::kWrongCommandLine, false, "Home", nullptr},
        {"/list", A::kList, false, "", nullptr, false, false, nullptr, "list"},
        {"/log run.log -List /quiet", A::kList, true, "", nullptr, false, false, "run.log", "list"},
        {"/list /interface nic", A::kWrongCommandLine, false, "", "nic"},
        {"/list /replace", A::kWrongCommandLine, false, "", nullptr, false, true},
        {"/list /restart", A::kWrongCommandLine, false, "", nullptr, true},
        {"/list Home", A::kWrongCommandLine, false, "", nullptr},
        {"/list /apply Home", A::kWrongCommandLine, false, "Home", nullptr, false, false, nullptr,
         "list"},
        {"/backup Home /apply Work", A::kWrongCommandLine, false, "Work", nullptr, false, false,
         nullptr, "backup"},
        // A wrong line is logged, but for /? and /tray, which are no command.
        {"/log run.log", A::kWrongCommandLine, false, "", nullptr, false, false, "run.log", ""},
        {"/? /log run.log", A::kWrongCommandLine, false, "", nullptr},
        {"/tray /log run.log", A::kWrongCommandLine, false, "", nullptr},
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
        EXPECT_EQ(request.replace, row.replace);
        EXPECT_EQ(request.logged, row.log != nullptr);
        EXPECT_EQ(request.logPath, row.log ? row.log : "");
        if (row.command) {
            EXPECT_STREQ(request.command, row.command);
        }
    }
}

TEST(CommandLineTest, TheElevatedCopyGetsEveryValueUnchanged) {
    const std::string longest(127, 'x');
    const std::string guid = "{4D36E972-e325-11ce-BFC1-08002be10318}";
    struct Row {
        const char* what;
        std::string interfaceName, text;
        bool dhcp, restart;
        std::string subkey = "0012", interfaceGuid = "{4D36E972-e325-11ce-BFC1-08002be10318}";
        bool taken = true;  // a card the copy could tell; else the line is wrong
    };
    const Row rows[] = {
        {"plain", "Intel PRO/1000", "10.0.0.1", false, false},
        {"blanks and a tab", "  Intel  PRO #2 ", "a\tb c", true, true},
        {"quotes", "\"NIC\" \"\"", "\"", false, true},
        {"trailing backslash", "C:\\Net\\", "\\", true, false},
        {"empty", "", "", false, false},
        {"a switch's look", "/quiet", "-restart", false, false},
        {"longest field", longest, longest, true, true},
        {"five digits", "NIC", "", false, false, "99999"},
        {"a subkey of six digits", "NIC", "", false, false, "000012", guid, false},
        {"a subkey with a path in it", "NIC", "", false, false, "..\\0012", guid, false},
        {"no subkey", "NIC", "", false, false, "", guid, false},
        {"a GUID without braces", "NIC", "", false, false, "0012", guid.substr(1, 36), false},
        {"a GUID with a backslash", "NIC", "", false, false, "0012",
         "{4D36E972-e325-11ce-BFC1\\08002be10318}", false},
        {"a GUID one digit short", "NIC", "", false, false, "0012",
         "{4D36E972-e325-11ce-BFC1-08002be1031}", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ElevatedApply order;
        order.classSubkey = row.subkey;
        order.interfaceGuid = row.interfaceGuid;
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
        EXPECT_TRUE(request.quiet);
        if (!row.taken) {
            EXPECT_EQ(request.action, CommandAction::kWrongElevatedLine);
            continue;
        }
        EXPECT_EQ(request.action, CommandAction::kElevatedApply);
        EXPECT_EQ(request.elevated.classSubkey, row.subkey);
        EXPECT_EQ(request.elevated.interfaceGuid, row.interfaceGuid);
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
    std::vector<std::string> restarted, restartedHere;

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
    std::uint32_t RestartHere(const char* classSubkey) override {
        restartedHere.push_back(classSubkey);
        return restartOutcome;
    }
};

// The TCP/IP key name of interface n.
std::string Guid(std::size_t n) {
    return "{0000000" + std::to_string(n) + "-0000-0000-0000-00000000000A}";
}

// One interface as enumeration finds it on the "NT" family: class subkey
// "000<n>", TCP/IP key Guid(n).
void SeedInterface(MemoryRegistry& registry, const PlatformProfile& profile, std::size_t n,
                   const std::string& description) {
    const std::string path = profile.adapterClassBasePath + "000" + std::to_string(n);
    registry.SeedValue(path, "BusType", kRegSz, Bytes("5\0"));
    registry.SeedValue(path, "DriverDesc", kRegSz, description + '\0');
    registry.SeedValue(path, "NetCfgInstanceId", kRegSz, Guid(n) + '\0');
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
        int restarts = 0;  // of interface 0000, in a process of its own
        int elevations = 0;
        LiveCheck live = {true, true, ""};
        int checks = 0;  // of whether Windows uses it, in this process
        int restartsHere = 0;
    };
    using R = ApplyRoute;
    const LiveCheck notYet = {true, false, "the mask is 255.255.0.0"};
    using H = ElevatedRun::How;
    // The elevated copy's line for the card at 000<n>, by its identity and name.
    const auto copy = [](std::size_t n, const std::string& name, const std::string& guid,
                         bool restart = false) {
        ElevatedApply order;
        order.classSubkey = "000" + std::to_string(n);
        order.interfaceGuid = guid;
        order.interfaceName = name;
        order.configuration =
            MakeRecord({"", false, "192.168.0.10", "00A0C9112233", "255.255.255.0"});
        order.restart = restart;
        return ElevatedChildLine(order);
    };
    const std::vector<std::string> three = {"NIC", "NIC", "NIC"};
    std::string lowerGuid = Guid(1);
    lowerGuid[lowerGuid.size() - 2] = 'a';  // its last digit in lower case
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
         R::kElevate, {H::kEnded, 0x20000000}, 0, 0, 1, {true, true, ""}, 1},
        {"elevated: the parent checks", true, one, "/apply Home /restart", 10, M::kApplyReport, "",
         -1, false, 1252, false, R::kElevate, {H::kEnded, 0x20000000}, 0, 0, 1, notYet, 1},
        {"elevated, not restarted", true, one, "/apply Home /restart", 7, M::kApplyReport, "",
         -1, false, 1252, false, R::kElevate, {H::kEnded, 0x10000000 + 1168}, 0, 0, 1},
        {"elevated copy killed", true, one, "/apply Home", 6, M::kApplyReport, "", -1, false,
         1252, false, R::kElevate, {H::kEnded, 1}, 0, 0, 1},
        {"elevated copy's ending unreadable", true, one, "/apply Home", 6, M::kApplyReport, "",
         -1, false, 1252, false, R::kElevate, {H::kLost, 6}, 0, 0, 1},
        {"rights not given", true, one, "/apply Home /quiet", 9, M::kNothing, "", -1, false, 1252,
         false, R::kElevate, {H::kNotStarted, 1223}, 0, 0, 1},
        {"a refusal never prompts", true, one, "/apply Unusable", 5, M::kApplyReport, "", -1,
         false, 1252, false, R::kElevate, {H::kEnded, 0}, 0, 0, 0},
        // The copy writes itself whatever the route, and shows nothing.
        {"the elevated copy", false, one, copy(0, "Intel PRO/1000", Guid(0), true), 0x20000000,
         M::kNothing, "", 0, false, 1252, false, R::kElevate, {}, 0, 1},
        {"the copy: its card among identical ones", false, three, copy(1, "NIC #2", lowerGuid),
         0x20000000, M::kNothing, "", 1, false, 1252, false, R::kInProcess, {}, 0, 0},
        {"the copy: a card added below it", false, three, copy(2, "NIC #2", Guid(2)), 0x20000004,
         M::kNothing, "", -1},
        {"the copy: its card removed", false, two, copy(2, "Intel PRO/1000", Guid(2)), 0x20000004,
         M::kNothing, "", -1},
        {"the copy: another shown name", false, one, copy(0, "intel pro/1000", Guid(0)),
         0x20000004, M::kNothing, "", -1},
        {"the copy: another GUID at its subkey", false, one, copy(0, "Intel PRO/1000", Guid(1)),
         0x20000004, M::kNothing, "", -1},
        {"the copy, no interface", false, {}, copy(0, "Intel PRO/1000", Guid(0)), 0x20000004,
         M::kNothing, "", -1},
        {"the copy's wrong line", false, one, "/apply-elevated 0000 Intel 1", 0x20000002,
         M::kNothing, "", -1},
        // The restart process restarts here, once, and starts nothing.
        {"the restart process", false, {}, "/restart-interface 0000", 1168, M::kNothing, "", -1,
         false, 1252, false, R::kInProcess, {}, 1168, 0, 0, {true, true, ""}, 0, 1},
        {"the restart process's wrong line", false, {}, "/restart-interface 0000 /quiet", 87,
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
        EXPECT_EQ(platform.restartedHere, std::vector<std::string>(row.restartsHere, "0000"));
        EXPECT_EQ(outcome.message, row.message);
        std::string text = row.text;
        if (!text.empty() && text.back() == '$') text.replace(text.size() - 1, 1, path);
        if (row.message == M::kError) {
            EXPECT_EQ(outcome.text, text);
        }
        for (std::size_t n = 0; n < row.interfaces.size(); ++n) {
            const auto written = registry.FindValue(profile.tcpipBasePath + Guid(n), "IPAddress");
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

// What /backup and /list are told of the machine, scripted.
class ScriptedHost : public AdminHost {
public:
    class Files : public FileCalls {
    public:
        bool refuseReading = false;   // the file is there and locked
        bool refuseCreating = false;  // no new file can be made: the save fails
        std::FILE* OpenForReading(const char* path, bool& absent) override {
            absent = false;
            return refuseReading ? nullptr : FileCalls::OpenForReading(path, absent);
        }
        std::FILE* CreateNew(const char* path) override {
            return refuseCreating ? nullptr : FileCalls::CreateNew(path);
        }
    } files;
    bool windowOpen = false;

    bool WindowHoldsConfigFile(const char*) override { return windowOpen; }
    std::string LiveState(const AdapterEntry& adapter) override {
        return std::string("live\t") + adapter.classSubkey;
    }
    bool ListedBefore(const char* first, const char* second) override {
        return std::strcmp(first, second) < 0;
    }
    FileCalls& Files() override { return files; }
};

const RecordTexts kHome = {"Home", false, "10.0.0.1", "Default", "255.0.0.0", "10.0.0.254"};
const RecordTexts kWork = {"Work\tB", true, "", "00A0C9112233"};

void SaveRecords(const std::string& path, const std::vector<RecordTexts>& records) {
    ConfigurationList list;
    for (const RecordTexts& texts : records)
        list.Append(MakeRecord(texts));
    ScriptedPrompts prompts;
    ConfigFileSession session;
    ASSERT_TRUE(SaveConfigurations(path.c_str(), list, prompts, session));
}

// Interface 0000 "Realtek" with nothing set, 0001 "Intel" with an address.
void SeedTwoInterfaces(MemoryRegistry& registry, const PlatformProfile& profile) {
    SeedInterface(registry, profile, 0, "Realtek");
    SeedInterface(registry, profile, 1, "Intel");
    registry.SeedValue(profile.tcpipBasePath + Guid(1), "IPAddress", kRegMultiSz,
                       Bytes("192.168.5.5\0\0"));
    registry.SeedValue(profile.tcpipBasePath + Guid(1), "SubnetMask", kRegMultiSz,
                       Bytes("255.255.255.0\0\0"));
}

// /backup with the program's own load and save, and /list, which only reads.
TEST(CommandLineTest, BackupSavesTheInterfaceAndListWritesWhatThereIs) {
    using M = CommandMessage;
    const std::string interfaces =
        "interface\tIntel\tstatic\t192.168.5.5\t255.255.255.0\t\t\t\tDefault\tlive 0001\r\n"
        "interface\tRealtek\tstatic\t\t\t\t\t\tDefault\tlive 0000\r\n";
    struct Row {
        const char* what;
        bool file;
        std::string line;
        int status;
        CommandMessage message;
        std::string text;                // the file's path follows "$"
        std::vector<std::string> names;  // the file's afterwards; empty: unchanged
        bool windowOpen = false, refuseReading = false, refuseCreating = false;
        std::string listing = "";
    };
    const Row rows[] = {
        {"a missing file is created", false, "/backup New /interface intel", 0, M::kComplete,
         "Saved as \"New\"", {"New"}},
        {"added at the end", true, "/backup New /interface Intel", 0, M::kComplete,
         "Saved as \"New\"", {"Home", "Work\tB", "New"}},
        {"replaced, and moved to the end", true, "/backup Home /replace /interface Intel", 0,
         M::kComplete, "Saved as \"Home\"", {"Work\tB", "Home"}},
        {"replaced, quietly", true, "/backup Home /replace /interface Intel /quiet", 0,
         M::kNothing, "Saved as \"Home\"", {"Work\tB", "Home"}},
        {"a name of other case is another", true, "/backup home /interface Intel", 0,
         M::kComplete, "Saved as \"home\"", {"Home", "Work\tB", "home"}},
        {"the name exists", true, "/backup Home /interface Intel", 11, M::kError,
         "A configuration of that name exists: Home", {}},
        {"several, none named", true, "/backup New", 4, M::kError,
         "Several interfaces: name one with /interface", {}},
        {"the window is open", true, "/backup New /interface Intel", 12, M::kError,
         "Close Nicset's window first: it saves Nicset.conf when it closes", {}, true, true},
        {"unreadable before no such interface", true, "/backup New /interface Other", 3,
         M::kError, "Error opening config file $", {}, false, true},
        {"no such interface before the name exists", true, "/backup Home /interface Other", 4,
         M::kError, "Interface not found: Other", {}},
        {"the save fails", true, "/backup New /interface Intel", 13, M::kError,
         "Error writing config file $", {}, false, false, true},
        {"the save fails, quietly", false, "/backup New /interface Intel /quiet", 13,
         M::kNothing, "Error writing config file $", {}, false, false, true},
        // Both kinds, each in its order, an empty field, a tab in a name.
        {"list", true, "/list", 0, M::kListing, "", {}, false, false, false,
         interfaces + "configuration\tHome\tstatic\t10.0.0.1\t255.0.0.0\t10.0.0.254\t\t\tDefault\r\n"
                      "configuration\tWork B\tDHCP\t\t\t\t\t\t00A0C9112233\r\n"},
        {"list, no file", false, "/list /quiet", 3, M::kNothing, "Error opening config file $",
         {}, false, false, false, interfaces},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const std::string path = directory.File(kConfigFileName);
        if (row.file) SaveRecords(path, {kHome, kWork});
        const std::string before = row.file ? ReadBytes(path) : std::string();
        MemoryRegistry registry;
        PlatformProfile profile;
        SelectPlatformProfile(0, profile);
        SeedTwoInterfaces(registry, profile);
        ScriptedPlatform platform;
        ScriptedHost host;
        host.windowOpen = row.windowOpen;
        host.files.refuseReading = row.refuseReading;
        host.files.refuseCreating = row.refuseCreating;

        const CommandOutcome outcome = RunCommand(ParseCommandLine(row.line.c_str()), registry,
                                                  profile, platform, path.c_str(), 1252, host);

        EXPECT_EQ(outcome.exitCode, static_cast<std::uint32_t>(row.status));
        EXPECT_EQ(outcome.message, row.message);
        std::string text = row.text;
        if (!text.empty() && text.back() == '$') text.replace(text.size() - 1, 1, path);
        EXPECT_EQ(EndingText(outcome, profile, ""), text);
        EXPECT_EQ(outcome.listing, row.listing);
        if (row.names.empty()) {
            EXPECT_EQ(row.file ? ReadBytes(path) : std::string(), before);
            EXPECT_EQ(directory.Names().size(), row.file ? 1u : 0u);
            continue;
        }
        ConfigurationList saved;
        ASSERT_EQ(ReadConfigFile(path.c_str(), saved), FileReadResult::kWhole);
        std::vector<std::string> names;
        for (const Configuration& record : saved)
            names.push_back(record.name);
        EXPECT_EQ(names, row.names);
        ExpectSameSettings(saved[saved.Size() - 1],
                           MakeConfiguration("192.168.5.5", "255.255.255.0", "", "", "", "Default", 0));
    }
}

// What scripts and other processes read: the ending line, the log line, the
// box of /list's lines, the name of the window's mutex.
TEST(CommandLineTest, TheLinesAndTheNameOthersRead) {
    const LogRecord record = {"2026-12-09 22:40:05", "PC-17", "SYSTEM", "apply", "Home\tA",
                              "Intel\r\nPRO", 7,
                              "Changes successfully applied\nReboot the Interfaz\r\nIt\tcould not"};
    std::string numbered, thirtyOne;
    for (int line = 1; line <= 31; ++line) {
        thirtyOne += "line " + std::to_string(line) + "\r\n";
        if (line <= 30) numbered += (line > 1 ? "\n" : "") + ("line " + std::to_string(line));
    }
    const std::pair<std::string, std::string> rows[] = {
        {EndingLine(0, "Changes successfully applied\nReboot the Interfaz"),
         "0\tChanges successfully applied / Reboot the Interfaz\r\n"},
        {EndingLine(13, "Error writing config file Nicset.conf"),
         "13\tError writing config file Nicset.conf\r\n"},
        {LogLine(record),
         "2026-12-09 22:40:05\tPC-17\tSYSTEM\tapply\tHome A\tIntel  PRO\t7\t"
         "Changes successfully applied / Reboot the Interfaz / It could not\r\n"},
        {LogLine(LogRecord{}), "\t\t\t\t\t\t0\t\r\n"},
        {ListingBoxText(thirtyOne), numbered + "\n... and 1 more"},
        {ListingBoxText(thirtyOne.substr(0, thirtyOne.rfind("line 31"))), numbered},
        // The hash worked out by hand: FNV-1a, 32 bits, of the path's bytes.
        {ConfigFileMutexName("C:\\NET\\NICSET.CONF", false), "Nicset.conf.66FBADE1"},
        {ConfigFileMutexName("C:\\NET\\NICSET.CONF", true), "Global\\Nicset.conf.66FBADE1"},
        {ConfigFileMutexName("", false), "Nicset.conf.811C9DC5"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.first, row.second);
    // GetVersion's word: 98 (high bit), NT 4.0, 2000, 10.
    for (const auto& row : {std::make_pair(0xC0000A04u, false), std::make_pair(0x05650004u, false),
                            std::make_pair(0x08930005u, true), std::make_pair(0x4A64000Au, true)})
        EXPECT_EQ(TakesGlobalPrefix(row.first), row.second) << std::hex << row.first;
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
    // Codes that are no ending of the copy's: killed (1, or 0 by a program),
    // crashed, a line it did not take, statuses it never has, codes of old.
    for (std::uint32_t exitCode : {0u, 1u, 2u, 4u, 5u, 7u, 9u, 0xC0000005u, 0xE06D7363u,
                                   0x20000002u, 0x20000007u, 0x20000009u, 0x20000101u}) {
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
