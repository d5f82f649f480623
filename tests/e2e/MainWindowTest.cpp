// The main window driven as a user would: pick an interface, pick a saved
// configuration, Apply, BackUp, Delete, help, and the list kept in the file.

#include <windows.h>

#include <iphlpapi.h>

#include <utility>

#include <gtest/gtest.h>

#include "NicsetFixture.h"
#include "resource.h"

namespace e2e {
namespace {

const Adapter& kIntel = kIntelAdapter;
const Adapter& kRealtek = kRealtekAdapter;

const SavedConfiguration kOffice = {"Office",    false,      "10.1.2.3", "00A0C9AABBCC",
                                    "255.0.0.0", "10.1.2.1", "10.1.2.2", "10.1.2.4"};
const SavedConfiguration kHome = {"Home", true, "", "Default", "", "", "", ""};

// What the main window shows on its left side.
struct Shown {
    std::string ip, mac, mask, gateway, dns1, dns2;
    bool dhcp;
    std::string caption;
};

bool operator==(const Shown& a, const Shown& b) {
    return a.ip == b.ip && a.mac == b.mac && a.mask == b.mask && a.gateway == b.gateway &&
           a.dns1 == b.dns1 && a.dns2 == b.dns2 && a.dhcp == b.dhcp && a.caption == b.caption;
}

std::ostream& operator<<(std::ostream& out, const Shown& s) {
    return out << "{ip " << s.ip << ", mac " << s.mac << ", mask " << s.mask << ", gateway "
               << s.gateway << ", dns " << s.dns1 << " / " << s.dns2 << ", dhcp " << s.dhcp
               << ", caption \"" << s.caption << "\"}";
}

Shown ShownIn(HWND main) {
    return {ControlText(main, IDC_IP_ADDRESS), ControlText(main, IDC_MAC_ADDRESS),
            ControlText(main, IDC_MASK),       ControlText(main, IDC_GATEWAY),
            ControlText(main, IDC_DNS1),       ControlText(main, IDC_DNS2),
            IsChecked(main, IDC_DHCP),         ControlText(main, IDC_SHOWN_GROUP)};
}

std::string Padded(const std::string& text, size_t length) {
    std::string bytes = text;
    bytes.resize(length, '\0');
    return bytes;
}

std::string Dword(DWORD value) {
    return std::string(reinterpret_cast<const char*>(&value), 4);
}

// A text value written with a fixed length. Windows 98 (and Wine when it
// plays Windows 98) ignores the given length of a REG_SZ and keeps the text
// up to its terminator.
std::string Written(Family family, const std::string& text, size_t length) {
    return family == Family::Win98 ? text + '\0' : Padded(text, length);
}

void ExpectValue(const std::string& key, const char* name, DWORD type, const std::string& bytes) {
    SCOPED_TRACE(key + " " + name);
    const RegistryValue value = ReadValue(key, name);
    ASSERT_TRUE(value.exists);
    EXPECT_EQ(value.type, type);
    EXPECT_EQ(value.bytes, bytes);
}

// No window of that title shows up within a while.
bool StaysAway(const NicsetProcess& nicset, const char* title) {
    return WaitForWindow([&] { return nicset.FindDialog(title); }, kMustNotComeMs) == nullptr;
}

using MainWindowTest = NicsetTest;

TEST_F(MainWindowTest, OpensWithNothingPickedAndTheInterfacesSortedByDescription) {
    Adapter b = kRealtek, a = kIntel;
    b.subkey = "0000";
    a.subkey = "0001";
    SeedAdapters({b, a});
    Start();
    EXPECT_EQ(ControlText(Main(), IDC_SHOWN_GROUP), "Configuration: nothing");
    EXPECT_EQ(ControlText(Main(), IDC_IP_ADDRESS), "");
    const std::vector<std::string> lines = ComboLines(GetDlgItem(Main(), IDC_INTERFACES));
    EXPECT_EQ(lines, (std::vector<std::string>{a.description, b.description}));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Main(), IDC_DHCP)));
}

TEST_F(MainWindowTest, EscapeKeepsTheWindowOpenAndEnterRunsApply) {
    WriteConfigFile({kOffice});
    Start();
    PostMessageA(Main(), WM_COMMAND, IDCANCEL, 0);
    PostMessageA(Main(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(StaysAway(Process(), "Error"));
    EXPECT_TRUE(IsWindowVisible(Main())) << "Escape closed the main window";

    // Apply is the default button; with no interface picked it says so.
    PostMessageA(Main(), WM_KEYDOWN, VK_RETURN, 0);
    MessageBoxSeen box = WaitForMessageBox(Process(), "Error");
    EXPECT_EQ(box.text, "You must select a interface");
    if (box.window != nullptr) AnswerMessageBox(box.window, IDOK);
}

TEST_F(MainWindowTest, PickingAnInterfaceShowsItsCurrentSettings) {
    for (Family family : {Family::Nt, Family::Win98}) {
        SCOPED_TRACE(family == Family::Nt ? "NT" : "98");
        UseFamily(family);
        SeedAdapters({kIntel});
        Start();
        PickInterface(kIntel.description);
        EXPECT_EQ(ShownIn(Main()),
                  (Shown{"192.168.1.20", "Default", "255.255.255.0", "192.168.1.1", "192.168.1.1",
                         "192.168.1.2", false, "Intel(R) PRO/1000 MT Network Connec"}));
        // Its made-up GUID is no card Windows uses; the "98" family reads nothing live.
        EXPECT_EQ(SentText(GetDlgItem(Main(), IDC_STATUS_BAR)),
                  family == Family::Nt ? "Windows does not use this interface now" : "");
        Exit();
    }
}

TEST_F(MainWindowTest, PickingADhcpInterfaceShowsItsHardwareAddressAndTheCheckedBox) {
    SeedAdapters({kIntel, kRealtek});
    Start();
    PickInterface(kRealtek.description);
    EXPECT_EQ(ShownIn(Main()), (Shown{"0.0.0.0", "00A0C9112233", "0.0.0.0", "", "", "", true,
                                      "Realtek RTL8139 Family PCI Fast Eth"}));
}

TEST_F(MainWindowTest, TwoIdenticalCardsAreTwoLinesEachAppliedToItsOwnCard) {
    Adapter first = kIntel, second = kRealtek;
    first.description = second.description = "Fast Ethernet Adapter";
    SeedAdapters({first, second});
    WriteConfigFile({kOffice});
    Start();
    EXPECT_EQ(ComboLines(GetDlgItem(Main(), IDC_INTERFACES)),
              (std::vector<std::string>{"Fast Ethernet Adapter", "Fast Ethernet Adapter #2"}));
    PickInterface("Fast Ethernet Adapter #2");
    EXPECT_EQ(ShownIn(Main()), (Shown{"0.0.0.0", "00A0C9112233", "0.0.0.0", "", "", "", true,
                                      "Fast Ethernet Adapter #2"}));
    PickConfiguration("Office");
    ClickButton(Main(), IDC_APPLY);
    AnswerMessageBox(WaitForMessageBox(Process(), "Complete").window, IDOK);
    ExpectValue(TcpipKey(second), "IPAddress", REG_MULTI_SZ, Padded("10.1.2.3", 16));
    ExpectValue(TcpipKey(first), "IPAddress", REG_MULTI_SZ, "192.168.1.20" + std::string(2, '\0'));
    PickInterface("Fast Ethernet Adapter");
    EXPECT_EQ(ControlText(Main(), IDC_IP_ADDRESS), "192.168.1.20");
}

TEST_F(MainWindowTest, PickingAConfigurationShowsItAndItsNameCutTo35) {
    SavedConfiguration longName = kOffice;
    longName.name = std::string(40, 'x');
    WriteConfigFile({kOffice, kHome, longName});
    Start();
    PickConfiguration("Office");
    EXPECT_EQ(ShownIn(Main()), (Shown{"10.1.2.3", "00A0C9AABBCC", "255.0.0.0", "10.1.2.1",
                                      "10.1.2.2", "10.1.2.4", false, "Office"}));
    PickConfiguration("Home");
    EXPECT_EQ(ShownIn(Main()), (Shown{"", "Default", "", "", "", "", true, "Home"}));
    PickConfiguration(longName.name);
    EXPECT_EQ(ControlText(Main(), IDC_SHOWN_GROUP), std::string(35, 'x'));
    // Typing in the list picks the row whose name begins with the letter.
    SendMessageA(GetDlgItem(Main(), IDC_CONFIGURATIONS), WM_CHAR, 'o', 1);
    EXPECT_EQ(ControlText(Main(), IDC_SHOWN_GROUP), "Office");
}

TEST_F(MainWindowTest, ClickingAnEmptyPartOfTheListChangesNothing) {
    WriteConfigFile({kOffice});
    Start();
    PickConfiguration("Office");
    const Shown before = ShownIn(Main());
    HWND view = GetDlgItem(Main(), IDC_CONFIGURATIONS);
    RECT client = {};
    GetClientRect(view, &client);
    ClickAt(view, client.right / 2, client.bottom - 5);
    WatchBriefly();
    EXPECT_EQ(ShownIn(Main()), before);
}

TEST_F(MainWindowTest, ApplyWritesTheShownConfigurationToThePickedInterface) {
    struct Row {
        Family family;
        DWORD stringType;
        const char* maskName;
        const char* restart;
    };
    const Row rows[] = {
        {Family::Nt, REG_MULTI_SZ, "SubnetMask", "Reboot the Interfaz"},
        {Family::Win98, REG_SZ, "IPMask", "Reboot Windows"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.restart);
        UseFamily(row.family);
        Adapter adapter = kIntel;
        adapter.mac = "001122334455";
        SeedAdapters({adapter});
        WriteConfigFile({kOffice, kHome});
        Start();
        PickInterface(adapter.description);
        // The "98" family cannot restart an interface by itself.
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(Main(), IDC_RESTART_INTERFACE)) != FALSE,
                  row.family == Family::Nt);

        PickConfiguration("Office");
        ClickButton(Main(), IDC_APPLY);
        MessageBoxSeen box = WaitForMessageBox(Process(), "Complete");
        EXPECT_EQ(box.text, std::string("Changes successfully applied\n") + row.restart);
        AnswerMessageBox(box.window, IDOK);
        const std::string tcpip = TcpipKey(adapter);
        const Family f = row.family;
        ExpectValue(tcpip, "EnableDHCP", REG_DWORD, Dword(0));
        ExpectValue(tcpip, "IPAddress", row.stringType, Written(f, "10.1.2.3", 16));
        ExpectValue(tcpip, row.maskName, row.stringType, Written(f, "255.0.0.0", 16));
        ExpectValue(tcpip, "DefaultGateway", row.stringType, Written(f, "10.1.2.1", 16));
        ExpectValue(ResolverKey(adapter), "NameServer", REG_SZ,
                    Written(f, "10.1.2.2,10.1.2.4", 40));
        ExpectValue(ClassKey(adapter), "NetworkAddress", REG_SZ, Written(f, "00A0C9AABBCC", 16));
        EXPECT_EQ(ShownIn(Main()).caption, "Office") << "Apply changed the caption";

        PickConfiguration("Home");
        ClickButton(Main(), IDC_APPLY);
        AnswerMessageBox(WaitForMessageBox(Process(), "Complete").window, IDOK);
        ExpectValue(tcpip, "EnableDHCP", REG_DWORD, Dword(1));
        ExpectValue(tcpip, "IPAddress", row.stringType, Written(f, "", 16));
        ExpectValue(ResolverKey(adapter), "NameServer", REG_SZ, Written(f, "", 40));
        EXPECT_FALSE(ReadValue(ClassKey(adapter), "NetworkAddress").exists);
        Exit();
    }
}

// The first interface IP Helper lists with an address, as its GUID and
// address; none when the host has no such interface. Wine lists the host's
// interfaces under made-up GUIDs.
std::pair<std::string, std::string> FirstLiveInterfaceWithAddress() {
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    std::vector<ULONGLONG> room(size / sizeof(ULONGLONG) + 1);
    auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(room.data());
    for (info = GetAdaptersInfo(info, &size) == NO_ERROR ? info : nullptr; info;
         info = info->Next) {
        const std::string address = info->IpAddressList.IpAddress.String;
        if (address != "0.0.0.0") return {info->AdapterName, address};
    }
    return {};
}

TEST_F(MainWindowTest, TheStatusBarShowsWhatThePickedInterfaceUsesNow) {
    const auto [guid, address] = FirstLiveInterfaceWithAddress();
    if (guid.empty()) GTEST_SKIP() << "the host has no network interface with an address to show";
    Adapter card = kIntel;
    card.instanceId = guid;
    SeedAdapters({card});
    Start();
    HWND bar = GetDlgItem(Main(), IDC_STATUS_BAR);
    EXPECT_EQ(ClassName(bar), "msctls_statusbar32");
    EXPECT_EQ(SentText(bar), "") << "nothing is picked yet";
    RECT barRect, exitRect;
    GetWindowRect(bar, &barRect);
    GetWindowRect(GetDlgItem(Main(), IDC_EXIT), &exitRect);
    EXPECT_GE(barRect.top, exitRect.bottom) << "not below everything else";

    PickInterface(card.description);
    std::string text;
    const bool shown = WaitUntil(
        [&] { return (text = SentText(bar)).find(": " + address + ",") != std::string::npos; });
    EXPECT_TRUE(shown && text.compare(0, 6, "In use") == 0) << text << ", not " << address;
    WatchBriefly();  // painted whole, for the picture
    SaveWindowPicture(Main(), WorkPath("status-bar.bmp"));
    Exit();
}

// Wine has no network-class device to restart; the outcome's rules are the
// unit tables'.
TEST_F(MainWindowTest, TheRestartBoxIsRememberedAndApplySaysWhyTheRestartFailed) {
    SeedAdapters({kIntel});
    WriteConfigFile({kOffice});
    Start();
    EXPECT_FALSE(IsChecked(Main(), IDC_RESTART_INTERFACE)) << "checked on first use";
    ClickButton(Main(), IDC_RESTART_INTERFACE);
    PickInterface(kIntel.description);
    PickConfiguration("Office");

    ClickButton(Main(), IDC_APPLY);
    MessageBoxSeen box = WaitForMessageBox(Process(), "Complete");
    EXPECT_EQ(box.text,
              "Changes successfully applied\nReboot the Interfaz\n"
              "It could not be restarted: it is not present");
    EXPECT_EQ(ControlText(Main(), IDC_SHOWN_GROUP), "Office") << "the caption did not come back";
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Main(), IDC_APPLY)));
    AnswerMessageBox(box.window, IDOK);
    Exit();

    Start();
    EXPECT_TRUE(IsChecked(Main(), IDC_RESTART_INTERFACE)) << "not remembered";
}

// Exit, the icon menu's Exit, the close box or Alt+F4 during an Apply's wait
// (both queued at once): the box first, then the window closes and saves.
TEST_F(MainWindowTest, ACloseAskedWhileApplyWaitsShowsTheBoxFirst) {
    const std::pair<UINT, WPARAM> closes[] = {
        {WM_COMMAND, IDC_EXIT}, {WM_COMMAND, 39003}, {WM_SYSCOMMAND, SC_CLOSE}};
    SeedAdapters({kIntel});
    for (const auto& [message, wParam] : closes) {
        WriteConfigFile({kOffice});
        Start();
        if (!IsChecked(Main(), IDC_RESTART_INTERFACE)) ClickButton(Main(), IDC_RESTART_INTERFACE);
        PickInterface(kIntel.description);
        PickConfiguration("Office");
        HANDLE thread =
            OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(Main(), nullptr));
        SuspendThread(thread);
        PostMessageA(Main(), WM_COMMAND, IDC_APPLY, 0);
        PostMessageA(Main(), message, wParam, 0);
        ResumeThread(thread);
        CloseHandle(thread);
        MessageBoxSeen box = WaitForMessageBox(Process(), "Complete");
        DeleteFileA(WorkPath("Nicset.conf").c_str());
        AnswerMessageBox(box.window, IDOK);
        DWORD status = 0;
        EXPECT_TRUE(Process().WaitForExit(kMustComeMs, &status)) << "the close was forgotten";
        EXPECT_EQ(ConfigFileBytes(), ConfigFileText({kOffice})) << wParam;
    }
}

// The notification-area menu's choice arrives as this command; the window
// takes it as row n of its list as it stands.
TEST_F(MainWindowTest, TheIconMenusChoiceAppliesThatRowAndMinimizingHides) {
    SeedAdapters({kIntel});
    const SavedConfiguration lab = {"Lab", false, "10.9.9.9", "Default", "255.0.0.0", "", "", ""};
    WriteConfigFile({kOffice, lab});
    Start();
    PickInterface(kIntel.description);

    PostMessageA(Main(), WM_COMMAND, 40001, 0);  // "Office", below "Lab"
    MessageBoxSeen box = WaitForMessageBox(Process(), "Complete");
    AnswerMessageBox(box.window, IDOK);
    ExpectValue(TcpipKey(kIntel), "IPAddress", REG_MULTI_SZ, Padded("10.1.2.3", 16));
    EXPECT_EQ(ShownIn(Main()).caption, "Office");

    PostMessageA(Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil([this] { return !IsWindowVisible(Main()); })) << "still shown";
    EXPECT_TRUE(IsWindow(Main()));
}

TEST_F(MainWindowTest, ApplyThatCannotWriteSaysSoAndWritesNothing) {
    SavedConfiguration tooLong = kOffice;
    tooLong.name = "Too long";
    tooLong.ip = "192.168.100.100.1";
    // As a hand-edited file may hold them.
    const SavedConfiguration notAddresses = {
        "Not addresses", false, "not.an.addr", "Default", "x", "1.2.3.4.5.6", "", ""};
    SeedAdapters({kIntel});
    WriteConfigFile({tooLong, notAddresses});
    Start();
    PickInterface(kIntel.description);
    for (const SavedConfiguration& refused : {tooLong, notAddresses}) {
        SCOPED_TRACE(refused.name);
        PickConfiguration(refused.name);
        ClickButton(Main(), IDC_APPLY);
        MessageBoxSeen box = WaitForMessageBox(Process(), "Error");
        EXPECT_EQ(box.text,
                  "An error has happened, changes weren't applied.\nVerify inserted fields.");
        AnswerMessageBox(box.window, IDOK);
        ExpectValue(TcpipKey(kIntel), "IPAddress", REG_MULTI_SZ,
                    "192.168.1.20" + std::string(2, '\0'));
        ExpectValue(TcpipKey(kIntel), "SubnetMask", REG_MULTI_SZ,
                    "255.255.255.0" + std::string(2, '\0'));
    }
}

// The values exactly as Windows writes them: a 15-character address takes
// 17 bytes, and a second address follows the first.
TEST_F(MainWindowTest, WindowsOwnAddressListsAreShownBackedUpAndAppliedWhole) {
    Adapter fifteen = kIntel;
    fifteen.ip = "192.168.100.200";
    fifteen.gateway = "192.168.100.254";
    Adapter twoAddresses = kRealtek;
    twoAddresses.dhcp = false;
    twoAddresses.ip = std::string(
        "10.0.0.5\0"
        "10.0.0.6",
        17);
    twoAddresses.mask = std::string(
        "255.0.0.0\0"
        "255.0.0.0",
        19);
    twoAddresses.gateway = "10.0.0.1";
    SeedAdapters({fifteen, twoAddresses});
    WriteConfigFile({});
    Start();
    PickInterface(fifteen.description);
    EXPECT_EQ(ControlText(Main(), IDC_IP_ADDRESS), "192.168.100.200");
    EXPECT_EQ(ControlText(Main(), IDC_GATEWAY), "192.168.100.254");
    ClickButton(Main(), IDC_BACKUP);
    ASSERT_TRUE(WaitUntil([&] { return ConfigurationRows().size() == 1; }));
    PickInterface(twoAddresses.description);
    EXPECT_EQ(ControlText(Main(), IDC_IP_ADDRESS), "10.0.0.5");
    EXPECT_EQ(ControlText(Main(), IDC_MASK), "255.0.0.0");
    ClickButton(Main(), IDC_BACKUP);
    ASSERT_TRUE(WaitUntil([&] { return ConfigurationRows().size() == 2; }));

    PickConfiguration("Back - " + fifteen.description);
    ClickButton(Main(), IDC_APPLY);
    AnswerMessageBox(WaitForMessageBox(Process(), "Complete").window, IDOK);
    const std::string tcpip = TcpipKey(twoAddresses);
    ExpectValue(tcpip, "IPAddress", REG_MULTI_SZ, "192.168.100.200" + std::string(2, '\0'));
    ExpectValue(tcpip, "DefaultGateway", REG_MULTI_SZ, "192.168.100.254" + std::string(2, '\0'));
    ExpectValue(tcpip, "SubnetMask", REG_MULTI_SZ, Padded("255.255.255.0", 16));
    Exit();
    const std::string saved = ConfigFileBytes();
    EXPECT_NE(saved.find("Direccion IP: 192.168.100.200\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Puerta de Enlace: 192.168.100.254\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Direccion IP: 10.0.0.5\r\n"), std::string::npos);
}

// The adapter's key refuses: the interface's own key, writable, is left as
// it was too, so the interface is never half changed.
TEST_F(MainWindowTest, ApplyWithoutTheRightToWriteSaysSoAndWritesNothing) {
    SeedAdapters({kIntel});
    WriteConfigFile({kOffice});
    ASSERT_TRUE(DenyWrites(ClassKey(kIntel)));
    Start();
    PickInterface(kIntel.description);
    PickConfiguration("Office");
    ClickButton(Main(), IDC_APPLY);
    MessageBoxSeen box = WaitForMessageBox(Process(), "Error");
    EXPECT_EQ(box.text, "Changes weren't applied: administrator rights are needed");
    AnswerMessageBox(box.window, IDOK);
    ExpectValue(TcpipKey(kIntel), "IPAddress", REG_MULTI_SZ, "192.168.1.20" + std::string(2, '\0'));
    ExpectValue(TcpipKey(kIntel), "SubnetMask", REG_MULTI_SZ,
                "255.255.255.0" + std::string(2, '\0'));
    EXPECT_FALSE(ReadValue(ClassKey(kIntel), "NetworkAddress").exists);
}

TEST_F(MainWindowTest, ApplyAndBackUpNeedAPickedInterface) {
    SeedAdapters({kIntel});
    WriteConfigFile({kOffice});
    Start();
    PickConfiguration("Office");
    for (int button : {IDC_APPLY, IDC_BACKUP}) {
        SCOPED_TRACE(button);
        ClickButton(Main(), button);
        MessageBoxSeen box = WaitForMessageBox(Process(), "Error");
        EXPECT_EQ(box.text, "You must select a interface");
        EXPECT_EQ(GetWindow(box.window, GW_OWNER), Main());
        AnswerMessageBox(box.window, IDOK);
    }
    EXPECT_EQ(ConfigurationRows().size(), 1u);
}

const SavedConfiguration kIntelBackUp = {"Back - " + kIntel.description,
                                         false,
                                         "192.168.1.20",
                                         "Default",
                                         "255.255.255.0",
                                         "192.168.1.1",
                                         "192.168.1.1",
                                         "192.168.1.2"};

TEST_F(MainWindowTest, BackUpSavesTheInterfaceSettingsUnderTheBackName) {
    for (Family family : {Family::Nt, Family::Win98}) {
        SCOPED_TRACE(family == Family::Nt ? "NT" : "98");
        UseFamily(family);
        SeedAdapters({kIntel});
        WriteConfigFile({kOffice});
        Start();
        PickInterface(kIntel.description);
        PickConfiguration("Office");
        ClickButton(Main(), IDC_BACKUP);
        ASSERT_TRUE(WaitUntil([&] { return ConfigurationRows().size() == 2; }));
        EXPECT_EQ(ConfigurationRows()[0],
                  (std::vector<std::string>{kIntelBackUp.name, "192.168.1.20"}));
        EXPECT_EQ(ControlText(Main(), IDC_SHOWN_GROUP), "Office") << "BackUp changed the caption";
        Exit();
        EXPECT_EQ(ConfigFileBytes(), ConfigFileText({kOffice, kIntelBackUp}));
    }
}

TEST_F(MainWindowTest, BackUpAsksBeforeOverwritingAndYesMovesItToTheEnd) {
    SavedConfiguration older = kHome;
    older.name = kIntelBackUp.name;
    SeedAdapters({kIntel});
    WriteConfigFile({older, kOffice});
    Start();
    PickInterface(kIntel.description);
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        ClickButton(Main(), IDC_BACKUP);
        MessageBoxSeen box = WaitForMessageBox(Process(), "Warning");
        EXPECT_EQ(box.text,
                  "The name " + older.name + " is already in use.\nDo you want to overwrite?");
        EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr);
        AnswerMessageBox(box.window, answer);
        const std::string address = answer == IDNO ? "" : "192.168.1.20";
        std::vector<std::vector<std::string>> rows;
        EXPECT_TRUE(WaitUntil([&] {
            rows = ConfigurationRows();
            return rows.size() == 2 && rows[0][1] == address;
        })) << (rows.size() == 2 ? rows[0][1] : "rows: " + std::to_string(rows.size()));
    }
    Exit();
    EXPECT_EQ(ConfigFileBytes(), ConfigFileText({kOffice, kIntelBackUp}));
}

TEST_F(MainWindowTest, BackUpDoesNothingWhileAnyWindowIsTitledWarning) {
    SeedAdapters({kIntel});
    WriteConfigFile({kOffice});
    Start();
    PickInterface(kIntel.description);
    HWND warning = CreateWindowExA(0, "STATIC", "Warning", WS_OVERLAPPEDWINDOW, 0, 0, 100, 50,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(warning, nullptr);
    ClickButton(Main(), IDC_BACKUP);
    WatchBriefly();
    DestroyWindow(warning);
    EXPECT_EQ(ConfigurationRows().size(), 1u);
}

TEST_F(MainWindowTest, WhileTheOverwriteQuestionIsOpenTheListTakesNoOtherWork) {
    const std::string backUpName = "Back - " + kIntel.description;
    SavedConfiguration existing = kHome;
    existing.name = backUpName;
    SeedAdapters({kIntel});
    WriteConfigFile({existing, kOffice});
    Start();
    PickInterface(kIntel.description);
    ClickButton(Main(), IDC_BACKUP);
    MessageBoxSeen question = WaitForMessageBox(Process(), "Warning");
    ASSERT_NE(question.window, nullptr);
    const Shown before = ShownIn(Main());

    // The question has no owner, so the main window still takes clicks.
    ClickButton(Main(), IDC_ADD);
    EXPECT_TRUE(StaysAway(Process(), "Add Configuration"));
    PickConfiguration("Office");
    EXPECT_EQ(ShownIn(Main()), before) << "a list pick went through";
    ClickButton(Main(), IDC_DELETE);
    ClickButton(Main(), IDC_BACKUP);
    WatchBriefly();
    int questions = 0;
    for (HWND window : TopLevelWindows(Process().Id()))
        if (WindowText(window) == "Warning") ++questions;
    EXPECT_EQ(questions, 1);

    AnswerMessageBox(question.window, IDNO);
    Exit();
    EXPECT_EQ(ConfigFileBytes(), ConfigFileText({existing, kOffice}));
}

TEST_F(MainWindowTest, DeleteAsksAndRemovesOnlyOnYes) {
    WriteConfigFile({kOffice, kHome});
    Start();
    ClickButton(Main(), IDC_DELETE);
    EXPECT_TRUE(StaysAway(Process(), "Warning")) << "asked with nothing selected";

    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        // Every Delete refills the list, which clears the selection.
        PickConfiguration("Office");
        ClickButton(Main(), IDC_DELETE);
        MessageBoxSeen box = WaitForMessageBox(Process(), "Warning");
        EXPECT_EQ(box.text,
                  "You're goy to delete the configuration Office\nDo you want to continue?");
        EXPECT_EQ(GetWindow(box.window, GW_OWNER), Main());
        AnswerMessageBox(box.window, answer);
    }
    ASSERT_TRUE(WaitUntil([&] { return ConfigurationRows().size() == 1; }));
    EXPECT_EQ(ConfigurationRows()[0][0], "Home");
    Exit();
    EXPECT_EQ(ConfigFileBytes(), ConfigFileText({kHome}));
}

TEST_F(MainWindowTest, TheListIsSavedOnClosingAndShownSortedOnTheNextStart) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Exit");
        SavedConfiguration zeta = kOffice, alfa = kHome;
        zeta.name = "Zeta";
        alfa.name = "Alfa";
        WriteConfigFile({zeta, alfa});
        Start();
        EXPECT_EQ(ConfigurationRows(),
                  (std::vector<std::vector<std::string>>{{"Alfa", ""}, {"Zeta", "10.1.2.3"}}));
        PickConfiguration("Zeta");
        ClickButton(Main(), IDC_DELETE);
        AnswerMessageBox(WaitForMessageBox(Process(), "Warning").window, IDYES);
        Exit(closeBox);
        EXPECT_EQ(ConfigFileBytes(), ConfigFileText({alfa}));
    }
}

// A line break in what the registry holds cannot split a saved block.
TEST_F(MainWindowTest, ADescriptionWithLineBreaksIsBackedUpAsOneConfiguration) {
    Adapter evil = kIntel;
    evil.description = "Evil\r\nDireccion IP: 6.6.6.6\r\nNombre: Injected";
    SeedAdapters({evil});
    WriteConfigFile({});
    Start();
    PickInterface(evil.description);
    ClickButton(Main(), IDC_BACKUP);
    ASSERT_TRUE(WaitUntil([&] { return ConfigurationRows().size() == 1; }));
    Exit();
    Start();
    EXPECT_EQ(ConfigurationRows(),
              (std::vector<std::vector<std::string>>{
                  {"Back - Evil  Direccion IP: 6.6.6.6  Nombre: Injected", "192.168.1.20"}}));
}

// A file saved as "Unicode" or as UTF-8 loads, and is kept as it was beside
// the new file; so is one that reads as nothing, instead of being lost.
TEST_F(MainWindowTest, AUnicodeFileLoadsAndAnUnreadableOneIsKeptAsBak) {
    std::string utf16 = "\xFF\xFE";
    for (const char c : ConfigFileText({kOffice})) {
        utf16 += c;
        utf16 += '\0';
    }
    SavedConfiguration malaga = kOffice, malagaUtf8 = kOffice;
    malaga.name = "M\xE1laga";
    malagaUtf8.name = "M\xC3\xA1laga";
    const std::string junk("\x00\x01\xfe\xff binary \x80\x9c", 14);
    struct Row {
        const char* what;
        std::string bytes;
        std::vector<SavedConfiguration> loaded;
        std::vector<std::vector<std::string>> shown;
    };
    const Row rows[] = {
        {"UTF-16", utf16, {kOffice}, {{"Office", "10.1.2.3"}}},
        {"UTF-8 without a mark",
         ConfigFileText({malagaUtf8}),
         {malaga},
         {{malaga.name, "10.1.2.3"}}},
        {"binary junk", junk, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DeleteFileA(WorkPath("Nicset.conf.bak").c_str());
        WriteFileBytes(WorkPath("Nicset.conf"), row.bytes);
        Start();
        EXPECT_EQ(ConfigurationRows(), row.shown);
        Exit();
        EXPECT_EQ(ConfigFileBytes(), ConfigFileText(row.loaded));
        EXPECT_EQ(ReadFileBytes(WorkPath("Nicset.conf.bak")), row.bytes);
    }
}

}  // namespace
}  // namespace e2e
