// Nicset.exe started with arguments: it applies a saved configuration
// without splash or main window, shows at most one message box and ends
// with a status that tells what happened.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "NicsetFixture.h"

namespace e2e {
namespace {

const Adapter& kIntel = kIntelAdapter;
const Adapter& kRealtek = kRealtekAdapter;

const SavedConfiguration kOffice = {"Office",    false,      "10.1.2.3", "Default",
                                    "255.0.0.0", "10.1.2.1", "10.1.2.2", "10.1.2.4"};
const SavedConfiguration kLab = {"Lab",       false,      "10.9.9.9", "00A0C9445566",
                                 "255.0.0.0", "10.9.9.1", "",         ""};
// An address of sixteen characters: Apply's checks refuse it.
const SavedConfiguration kUnusable = {
    "Unusable", false, "192.168.100.1001", "Default", "255.0.0.0", "", "", ""};

constexpr const char kApplyFailed[] =
    "An error has happened, changes weren't applied.\nVerify inserted fields.";

std::string Padded(const std::string& text, size_t length) {
    std::string bytes = text;
    bytes.resize(length, '\0');
    return bytes;
}

class CommandLineTest : public NicsetTest {
protected:
    std::unique_ptr<NicsetProcess> Run(const std::string& arguments) {
        return std::unique_ptr<NicsetProcess>(new NicsetProcess(directory_, program_, arguments));
    }

    static DWORD ExitStatus(NicsetProcess& run) {
        DWORD status = 0;
        EXPECT_TRUE(run.WaitForExit(kMustComeMs, &status)) << "Nicset.exe did not end";
        return status;
    }

    // Waits for the one message box, checks that nothing else of the
    // program is on the screen, answers it and gives the exit status.
    static DWORD AnswerTheBox(NicsetProcess& run, const char* title, std::string* text) {
        MessageBoxSeen box = WaitForMessageBox(run, title);
        EXPECT_NE(box.window, nullptr) << "no box titled " << title;
        if (box.window != nullptr) {
            *text = box.text;
            EXPECT_EQ(TopLevelWindows(run.Id()), std::vector<HWND>{box.window})
                << "more than the box on the screen";
            AnswerMessageBox(box.window, IDOK);
        }
        return ExitStatus(run);
    }
};

TEST_F(CommandLineTest, AppliesTheNamedConfigurationToTheNamedInterface) {
    SeedAdapters({kIntel, kRealtek});
    WriteConfigFile({kLab, kOffice});
    const std::string file = ConfigFileBytes();

    // The interface named with letter case aside.
    auto run = Run("/apply Office /interface \"realtek RTL8139 family PCI fast ethernet NIC\"");
    std::string text;
    EXPECT_EQ(AnswerTheBox(*run, "Complete", &text), 0u);
    EXPECT_EQ(text, "Changes successfully applied\nReboot the Interfaz");

    // What was written is the unit tables' business; here: to which interface.
    const RegistryValue written = ReadValue(TcpipKey(kRealtek), "IPAddress");
    EXPECT_EQ(written.type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(written.bytes, Padded("10.1.2.3", 16));
    EXPECT_EQ(ReadValue(TcpipKey(kIntel), "IPAddress").bytes, kIntel.ip + std::string(2, '\0'));
    // "Default": the adapter's own hardware address again.
    EXPECT_FALSE(ReadValue(ClassKey(kRealtek), "NetworkAddress").exists);
    // The file is only read.
    EXPECT_EQ(ConfigFileBytes(), file);
    EXPECT_FALSE(FileExists(WorkPath("Nicset.conf.bak")));
}

TEST_F(CommandLineTest, EachOutcomeEndsWithItsStatusAndItsMessage) {
    SeedAdapters({kIntel, kRealtek});
    const std::string realtek = " /interface \"" + kRealtek.description + "\"";
    const std::string usage = "Nicset.exe /apply \"<configuration>\"";
    struct Row {
        const char* what;
        bool file;
        std::string arguments;
        const char* title;
        std::string text;  // for the usage, how it begins
        DWORD status;
    };
    const Row rows[] = {
        {"usage", true, "-?", "Nicset", usage, 0},
        {"wrong line", true, "/apply Office /bogus", "Nicset", usage, 2},
        {"no file", false, "/apply Office", "Error", "Error opening config file Nicset.conf", 3},
        {"several interfaces", true, "/APPLY Office", "Error",
         "Several interfaces: name one with /interface", 4},
        {"refused", true, "/apply Unusable" + realtek, "Error", kApplyFailed, 5},
        // Wine has no network-class device to restart.
        {"not restarted", true, "/apply Office /restart" + realtek, "Complete",
         "Changes successfully applied\nReboot the Interfaz\n"
         "It could not be restarted: it is not present",
         7},
        // Last: the class key stays closed to writes.
        {"no rights to write", true, "/apply Lab" + realtek, "Error",
         "Changes weren't applied: administrator rights are needed", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.file) {
            WriteConfigFile({kOffice, kLab, kUnusable});
        } else {
            DeleteFileA(WorkPath("Nicset.conf").c_str());
        }
        if (row.status == 1) {
            ASSERT_TRUE(DenyWrites(ClassKey(kRealtek)));
        }
        auto run = Run(row.arguments);
        std::string text;
        EXPECT_EQ(AnswerTheBox(*run, row.title, &text), row.status);
        if (row.text == usage) {
            EXPECT_EQ(text.compare(0, usage.size(), usage), 0) << text;
        } else {
            EXPECT_EQ(text, row.text);
        }
        EXPECT_FALSE(FileExists(WorkPath("Nicset.conf.bak")));
    }
}

TEST_F(CommandLineTest, WorksWhileTheMainWindowIsOpen) {
    SeedAdapters({kIntel});
    WriteConfigFile({kOffice});
    Start();

    auto run = Run("/apply Office /quiet");
    EXPECT_EQ(ExitStatus(*run), 0u);
    EXPECT_EQ(ReadValue(TcpipKey(kIntel), "IPAddress").bytes, Padded("10.1.2.3", 16));
    EXPECT_TRUE(IsWindowVisible(Main()));
}

// Runs Nicset.exe with a pipe as its standard output, as a script host does,
// and gives what it wrote there; `status` gets its exit status.
std::string RunWithPipe(const std::string& directory, const std::string& arguments, DWORD* status) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE reading = nullptr, writing = nullptr;
    // Room for all it writes, read once it has ended.
    EXPECT_TRUE(CreatePipe(&reading, &writing, &inherit, 65536));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writing;
    std::string commandLine = "\"" + NicsetPath() + "\" " + arguments;
    PROCESS_INFORMATION info = {};
    EXPECT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                               directory.c_str(), &startup, &info));
    CloseHandle(writing);
    if (WaitForSingleObject(info.hProcess, kMustComeMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "Nicset.exe did not end";
        TerminateProcess(info.hProcess, 1);
    }
    GetExitCodeProcess(info.hProcess, status);
    std::string output(65536, '\0');
    DWORD got = 0;
    if (!ReadFile(reading, &output[0], static_cast<DWORD>(output.size()), &got, nullptr)) got = 0;
    output.resize(got);
    for (HANDLE handle : {info.hThread, info.hProcess, reading})
        CloseHandle(handle);
    return output;
}

TEST_F(CommandLineTest, ListWritesItsLinesToTheCallersPipe) {
    SeedAdapters({kRealtek, kIntel});
    WriteConfigFile({kOffice, kLab});
    DWORD status = 99;
    const std::string output = RunWithPipe(directory_, "/list", &status);
    std::printf("/list wrote:\n%s", output.c_str());
    EXPECT_EQ(status, 0u);
    // In the window's order; Windows uses neither seeded card.
    const std::string unused = "\tWindows does not use this interface now\r\n";
    EXPECT_EQ(
        output,
        "interface\t" + kIntel.description +
            "\tstatic\t192.168.1.20\t255.255.255.0\t192.168.1.1\t192.168.1.1\t192.168.1.2"
            "\tDefault" +
            unused + "interface\t" + kRealtek.description +
            "\tDHCP\t0.0.0.0\t0.0.0.0\t\t\t\t00A0C9112233" + unused +
            "configuration\tOffice\tstatic\t10.1.2.3\t255.0.0.0\t10.1.2.1\t10.1.2.2\t"
            "10.1.2.4\tDefault\r\n"
            "configuration\tLab\tstatic\t10.9.9.9\t255.0.0.0\t10.9.9.1\t\t\t00A0C9445566\r\n");
}

TEST_F(CommandLineTest, BackupSavesTheInterfaceAndLogsIt) {
    SeedAdapters({kIntel});
    WriteConfigFile({kOffice});
    auto run = Run("/backup \"Before the move\" /log rollout.log /quiet");
    EXPECT_EQ(ExitStatus(*run), 0u);
    SavedConfiguration backup = {"Before the move", false,         "192.168.1.20", "Default",
                                 "255.255.255.0",   "192.168.1.1", "192.168.1.1",  "192.168.1.2"};
    EXPECT_EQ(ConfigFileBytes(), ConfigFileText({kOffice, backup}));

    // Relative to the working folder; a second command appends.
    run = Run("/backup \"Before the move\" /log rollout.log /quiet");
    EXPECT_EQ(ExitStatus(*run), 11u);
    const std::string log = ReadFileBytes(WorkPath("rollout.log"));
    std::printf("the log:\n%s", log.c_str());
    // Each line: the time, the computer and the user, which vary, then the
    // rest as the unit tables have it.
    const char* tails[] = {"\tbackup\tBefore the move\t\t0\tSaved as \"Before the move\"\r\n",
                           "\tbackup\tBefore the move\t\t11\tA configuration of that name "
                           "exists: Before the move\r\n"};
    std::size_t start = 0;
    for (const std::string tail : tails) {
        const std::size_t at = log.find(tail, start);
        ASSERT_NE(at, std::string::npos) << tail;
        const std::string head = log.substr(start, at - start);
        EXPECT_EQ(head.find_first_not_of("0123456789-: "), 19u) << head;
        EXPECT_EQ(std::count(head.begin(), head.end(), '\t'), 2) << head;
        start = at + tail.size();
    }
    EXPECT_EQ(start, log.size());
}

TEST_F(CommandLineTest, BackupLeavesTheFileToAnOpenWindow) {
    SeedAdapters({kIntel});
    WriteConfigFile({kOffice});
    Start();
    const std::string file = ConfigFileBytes();

    auto run = Run("/backup New");
    std::string text;
    EXPECT_EQ(AnswerTheBox(*run, "Error", &text), 12u);
    EXPECT_EQ(text, "Close Nicset's window first: it saves Nicset.conf when it closes");
    EXPECT_EQ(ConfigFileBytes(), file);
    Exit();
}

// Silent lines: /quiet, and the restart helper, the 64-bit program's side of
// the 32-bit one's restart, whose exit status is the outcome.
TEST_F(CommandLineTest, SilentLinesShowNoWindow) {
    SeedAdapters({kIntel});
    WriteConfigFile({kOffice});
    // Without /quiet the first says "Interface not found: Nowhere".
    for (const auto& row : {std::make_pair("/apply Office /quiet /interface Nowhere", 4u),
                            std::make_pair("/restart-interface 0000", 1168u),
                            std::make_pair("/restart-interface 0000 /quiet", 87u)}) {
        SCOPED_TRACE(row.first);
        auto run = Run(row.first);
        DWORD status = 0;
        bool sawWindow = false;
        // Watched until it ends, which must come, so a late window is seen too.
        WaitUntil([&] {
            sawWindow = sawWindow || !TopLevelWindows(run->Id()).empty();
            return sawWindow || run->WaitForExit(0, &status);
        });
        EXPECT_FALSE(sawWindow);
        EXPECT_EQ(ExitStatus(*run), row.second);
    }
}

}  // namespace
}  // namespace e2e
