// The Add Configuration dialog as a user fills it in: its start state, the
// DHCP box, every refusal and its message, the overwrite question, and what
// ends up in the list and in the file.

#include <gtest/gtest.h>

#include "NicsetFixture.h"
#include "resource.h"

namespace e2e {
namespace {

constexpr char kAddTitle[] = "Add Configuration";

struct Typed {
    std::string name, ip, mac, mask, gateway, dns1, dns2;
};

class AddDialogTest : public NicsetTest {
protected:
    HWND OpenDialog() {
        ClickButton(Main(), IDC_ADD);
        HWND dialog = WaitForWindow([&] { return Process().FindDialog(kAddTitle); });
        EXPECT_NE(dialog, nullptr) << "the Add dialog did not open";
        return dialog;
    }

    static void Fill(HWND dialog, const Typed& typed) {
        SetControlText(dialog, IDC_NAME, typed.name);
        SetControlText(dialog, IDC_IP_ADDRESS, typed.ip);
        SetControlText(dialog, IDC_MAC_ADDRESS, typed.mac);
        SetControlText(dialog, IDC_MASK, typed.mask);
        SetControlText(dialog, IDC_GATEWAY, typed.gateway);
        SetControlText(dialog, IDC_DNS1, typed.dns1);
        SetControlText(dialog, IDC_DNS2, typed.dns2);
    }

    // Presses Add and gives the refusal's text, or "" when the dialog closed.
    std::string PressAdd(HWND dialog) {
        ClickButton(dialog, IDC_ADD);
        std::string refusal;
        WaitUntil([&] {
            if (!IsWindow(dialog)) return true;
            MessageBoxSeen box = {};
            box.window = Process().FindDialog("Error");
            if (box.window == nullptr) return false;
            EXPECT_EQ(GetWindow(box.window, GW_OWNER), dialog);
            refusal = WindowText(GetDlgItem(box.window, 0xFFFF));
            AnswerMessageBox(box.window, IDOK);
            return true;
        });
        return refusal;
    }

    bool DialogOpen() { return Process().FindDialog(kAddTitle) != nullptr; }
};

const Typed kValid = {"Lab",         "192.168.5.10", "00A0C9112233", "255.255.255.0",
                      "192.168.5.1", "192.168.5.2",  "192.168.5.3"};

TEST_F(AddDialogTest, OpensEmptyWithDefaultMacAndTheTypingLimits) {
    WriteConfigFile({});
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_MAC_ADDRESS), "Default");
    EXPECT_FALSE(IsChecked(dialog, IDC_DHCP));
    struct Row {
        int id;
        size_t limit;
    };
    const Row rows[] = {{IDC_IP_ADDRESS, 15}, {IDC_MASK, 15}, {IDC_GATEWAY, 15},
                        {IDC_DNS1, 15},       {IDC_DNS2, 15}, {IDC_MAC_ADDRESS, 17}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, row.id)));
        SetControlText(dialog, row.id, "");
        TypeText(dialog, row.id, std::string(20, '1'));
        EXPECT_EQ(ControlText(dialog, row.id), std::string(row.limit, '1'));
    }
    TypeText(dialog, IDC_NAME, std::string(40, 'n'));
    EXPECT_EQ(ControlText(dialog, IDC_NAME).size(), 40u) << "the name has no short limit";
    ClickButton(dialog, IDC_CANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !DialogOpen(); }));
}

TEST_F(AddDialogTest, EveryRefusalNamesItsFieldAndKeepsTheDialogOpen) {
    struct Row {
        const char* what;
        Typed typed;
        const char* message;
    };
    const Typed v = kValid;
    const Row rows[] = {
        {"bad IP", {v.name, "127.0.0.1", v.mac, v.mask, v.gateway, v.dns1, v.dns2}, "Verify an IP"},
        {"bad IP and mask",
         {v.name, "10.0.0.0", v.mac, "1.2.3", v.gateway, v.dns1, v.dns2},
         "Verify an IP"},
        {"IP with a letter", {v.name, "1a.2.3.4", v.mac, "255.0.0.0", "", "", ""}, "Verify an IP"},
        {"IP with a blank after",
         {v.name, "10.0.0.1 ", v.mac, "255.0.0.0", "", "", ""},
         "Verify an IP"},
        {"IP with a blank before",
         {v.name, " 10.0.0.1", v.mac, "255.0.0.0", "", "", ""},
         "Verify an IP"},
        {"IP with an empty part",
         {v.name, "1..3.4", v.mac, "255.0.0.0", "", "", ""},
         "Verify an IP"},
        {"mask not contiguous",
         {v.name, "10.1.2.3", v.mac, "255.0.255.0", "", "", ""},
         "The entered Mask doesn't match the IP Address"},
        {"gateway with a letter",
         {v.name, v.ip, v.mac, v.mask, "10.0.0.1a", v.dns1, v.dns2},
         "Verify a Gateway"},
        {"mask",
         {v.name, v.ip, v.mac, "255.255.0.0", v.gateway, v.dns1, v.dns2},
         "The entered Mask doesn't match the IP Address"},
        {"gateway", {v.name, v.ip, v.mac, v.mask, "0.0.0.0", v.dns1, v.dns2}, "Verify a Gateway"},
        {"first DNS",
         {v.name, v.ip, v.mac, v.mask, v.gateway, "10.0.0.255", v.dns2},
         "Verify the first DNS"},
        {"second DNS",
         {v.name, v.ip, v.mac, v.mask, v.gateway, v.dns1, "300.1.1.1"},
         "Verify the second DNS"},
        {"no name", {"", v.ip, v.mac, v.mask, v.gateway, v.dns1, v.dns2}, "Complete all fields"},
        {"no MAC", {v.name, v.ip, "", v.mask, v.gateway, v.dns1, v.dns2}, "Complete all fields"},
        {"MAC of a group",
         {v.name, v.ip, "01-00-5E-00-00-01", v.mask, v.gateway, v.dns1, v.dns2},
         "Verify the MAC"},
    };
    WriteConfigFile({});
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Fill(dialog, row.typed);
        EXPECT_EQ(PressAdd(dialog), row.message);
        EXPECT_TRUE(DialogOpen());
        EXPECT_EQ(ControlText(dialog, IDC_NAME), row.typed.name) << "a field was changed";
    }
    ClickButton(dialog, IDC_CANCEL);
    Exit();
    EXPECT_EQ(ConfigFileBytes(), ConfigFileText({}));
}

TEST_F(AddDialogTest, DhcpFillsAndLocksTheAddressFieldsAndOffUnlocksThem) {
    WriteConfigFile({});
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Fill(dialog, kValid);
    const int addressFields[] = {IDC_IP_ADDRESS, IDC_MASK, IDC_GATEWAY, IDC_DNS1, IDC_DNS2};

    SendMessageA(GetDlgItem(dialog, IDC_DHCP), BM_CLICK, 0, 0);
    for (int id : addressFields) {
        SCOPED_TRACE(id);
        EXPECT_EQ(ControlText(dialog, id), "0.0.0.0");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id)));
    }
    EXPECT_EQ(ControlText(dialog, IDC_NAME), "Lab");
    EXPECT_EQ(ControlText(dialog, IDC_MAC_ADDRESS), "00A0C9112233");

    SendMessageA(GetDlgItem(dialog, IDC_DHCP), BM_CLICK, 0, 0);
    for (int id : addressFields) {
        SCOPED_TRACE(id);
        EXPECT_EQ(ControlText(dialog, id), "0.0.0.0");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, id)));
    }
    EXPECT_EQ(PressAdd(dialog), "Verify an IP");
    SetControlText(dialog, IDC_IP_ADDRESS, "10.1.1.1");
    SetControlText(dialog, IDC_MASK, "255.0.0.0");
    EXPECT_EQ(PressAdd(dialog), "Verify a Gateway");
    SetControlText(dialog, IDC_GATEWAY, "");
    EXPECT_EQ(PressAdd(dialog), "Verify the first DNS");
    SetControlText(dialog, IDC_DNS1, "");
    SetControlText(dialog, IDC_DNS2, "");
    EXPECT_EQ(PressAdd(dialog), "");
    EXPECT_FALSE(DialogOpen());
}

TEST_F(AddDialogTest, DhcpOnStoresEmptyAddressesAndTheDefaultMac) {
    WriteConfigFile({});
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    SetControlText(dialog, IDC_NAME, "Cafe");
    SendMessageA(GetDlgItem(dialog, IDC_DHCP), BM_CLICK, 0, 0);
    EXPECT_EQ(PressAdd(dialog), "");
    EXPECT_FALSE(DialogOpen());
    EXPECT_EQ(ConfigurationRows(), (std::vector<std::vector<std::string>>{{"Cafe", ""}}));
    Exit();
    EXPECT_EQ(ConfigFileBytes(), ConfigFileText({{"Cafe", true, "", "Default", "", "", "", ""}}));
}

TEST_F(AddDialogTest, AddedConfigurationsAreShownSortedAndSavedInListOrder) {
    WriteConfigFile({});
    Start();
    for (const char* name : {"Zeta", "Alfa"}) {
        HWND dialog = OpenDialog();
        ASSERT_NE(dialog, nullptr);
        Typed typed = kValid;
        typed.name = name;
        Fill(dialog, typed);
        EXPECT_EQ(PressAdd(dialog), "");
    }
    EXPECT_EQ(ConfigurationRows(), (std::vector<std::vector<std::string>>{
                                       {"Alfa", "192.168.5.10"}, {"Zeta", "192.168.5.10"}}));
    Exit();
    SavedConfiguration saved = {"Zeta",          false,         "192.168.5.10", "00A0C9112233",
                                "255.255.255.0", "192.168.5.1", "192.168.5.2",  "192.168.5.3"};
    SavedConfiguration alfa = saved;
    alfa.name = "Alfa";
    EXPECT_EQ(ConfigFileBytes(), ConfigFileText({saved, alfa}));
    Start();
    EXPECT_EQ(ConfigurationRows()[0][0], "Alfa");
}

TEST_F(AddDialogTest, ANameInUseIsReplacedOnlyWhenTheUserAgrees) {
    SavedConfiguration lab = {"Lab", true, "", "Default", "", "", "", ""};
    SavedConfiguration office = {"Office", true, "", "Default", "", "", "", ""};
    WriteConfigFile({lab, office});
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Fill(dialog, kValid);
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        ClickButton(dialog, IDC_ADD);
        MessageBoxSeen box = WaitForMessageBox(Process(), "Warning");
        EXPECT_EQ(box.text, "The name Lab is already in use.\nDo you want to overwrite?");
        AnswerMessageBox(box.window, answer);
        if (answer == IDNO) {
            WatchBriefly();
            EXPECT_TRUE(DialogOpen());
            EXPECT_EQ(ControlText(dialog, IDC_IP_ADDRESS), kValid.ip);
        } else {
            EXPECT_TRUE(WaitUntil([&] { return !DialogOpen(); }));
        }
    }
    Exit();
    SavedConfiguration replaced = {"Lab",           false,         "192.168.5.10", "00A0C9112233",
                                   "255.255.255.0", "192.168.5.1", "192.168.5.2",  "192.168.5.3"};
    EXPECT_EQ(ConfigFileBytes(), ConfigFileText({office, replaced}));
}

TEST_F(AddDialogTest, EscapeDoesNothingAndCancelOrTheCloseBoxStoreNothing) {
    WriteConfigFile({});
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Fill(dialog, kValid);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    WatchBriefly();
    EXPECT_TRUE(DialogOpen()) << "Escape closed the dialog";

    ClickButton(dialog, IDC_CANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !DialogOpen(); }));
    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_NAME), "") << "the dialog kept the last texts";
    Fill(dialog, kValid);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !DialogOpen(); }));
    EXPECT_TRUE(ConfigurationRows().empty());
}

// The form ipconfig /all prints, pasted whole, is stored and applied as the
// 12 digits the network card takes.
TEST_F(AddDialogTest, AMacAsIpconfigPrintsItIsAppliedAsTwelveDigits) {
    SeedAdapters({kIntelAdapter});
    WriteConfigFile({});
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Fill(dialog, kValid);
    SetControlText(dialog, IDC_MAC_ADDRESS, "");
    TypeText(dialog, IDC_MAC_ADDRESS, "00-a0-c9-11-22-33");
    EXPECT_EQ(PressAdd(dialog), "");
    PickInterface(kIntelAdapter.description);
    PickConfiguration(kValid.name);
    EXPECT_EQ(ControlText(Main(), IDC_MAC_ADDRESS), "00A0C9112233");
    ClickButton(Main(), IDC_APPLY);
    AnswerMessageBox(WaitForMessageBox(Process(), "Complete").window, IDOK);
    const RegistryValue written = ReadValue(ClassKey(kIntelAdapter), "NetworkAddress");
    EXPECT_EQ(written.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(written.bytes, std::string("00A0C9112233") + std::string(4, '\0'));
}

TEST_F(AddDialogTest, WhatIsTypedIsStoredOnOneLineAndCutTo127Characters) {
    struct Row {
        Typed typed;
        SavedConfiguration saved;
    };
    const Row rows[] = {
        {{std::string(200, 'n'), "10.0.0.1", "Default", "255.0.0.0", "", "", ""},
         {std::string(127, 'n'), false, "10.0.0.1", "Default", "255.0.0.0", "", "", ""}},
        // Leading zeros are fine, and a pasted line break cannot start a block.
        {{"Evil\r\nDireccion IP: 6.6.6.6", "010.0.0.1", "Default", "255.255.0.0", "", "", ""},
         {"Evil  Direccion IP: 6.6.6.6", false, "010.0.0.1", "Default", "255.255.0.0", "", "", ""}},
    };
    WriteConfigFile({});
    Start();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.saved.name);
        HWND dialog = OpenDialog();
        ASSERT_NE(dialog, nullptr);
        Fill(dialog, row.typed);
        EXPECT_EQ(PressAdd(dialog), "");
    }
    Exit();
    EXPECT_EQ(ConfigFileBytes(), ConfigFileText({rows[0].saved, rows[1].saved}));
}

}  // namespace
}  // namespace e2e
