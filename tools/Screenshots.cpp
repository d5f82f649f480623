// Not a test: walks through the program's windows and saves a picture of
// each in screens\ beside this executable (see tools/screenshots.sh).
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "NicsetFixture.h"
#include "resource.h"

namespace e2e {
namespace {

const Adapter& kIntel = kIntelAdapter;
const Adapter& kRealtek = kRealtekAdapter;
const SavedConfiguration kOffice = {"Office",    false,      "10.1.2.3", "Default",
                                    "255.0.0.0", "10.1.2.1", "10.1.2.2", "10.1.2.4"};
const SavedConfiguration kHome = {"Home (DHCP)", true, "", "Default", "", "", "", ""};
const SavedConfiguration kLab = {"Lab",         false,        "172.16.4.20", "00A0C9AABBCC",
                                 "255.255.0.0", "172.16.0.1", "172.16.0.2",  ""};

class Screens : public NicsetTest {
protected:
    void SetUp() override {
        NicsetTest::SetUp();
        // Run a copy from the working directory, so that the manual the build
        // puts beside Nicset.exe is not found for the "not found" picture.
        program_ = WorkPath("Nicset.exe");
        ASSERT_TRUE(CopyFileA(NicsetPath().c_str(), program_.c_str(), FALSE));
    }

    static std::string Folder() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path);
        folder = folder.substr(0, folder.find_last_of('\\')) + "\\screens";
        CreateDirectoryA(folder.c_str(), nullptr);
        return folder;
    }

    static void Take(HWND window, const std::string& name) {
        ASSERT_NE(window, nullptr) << name;
        // Painted before this returns; the pause lets Wine hand the painted
        // surface to the X server, where the picture is read.
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        EXPECT_TRUE(SaveWindowPicture(window, Folder() + "\\" + name + ".bmp")) << name;
    }

    // Pictures the message box of that title, then answers it.
    void TakeBox(const char* title, const std::string& name, int answer = IDOK) {
        MessageBoxSeen box = WaitForMessageBox(Process(), title);
        Take(box.window, name);
        if (box.window != nullptr) AnswerMessageBox(box.window, answer);
    }
};

TEST_F(Screens, MainWindowAndItsMessages) {
    SeedAdapters({kIntel, kRealtek});
    Start();  // first start: no configuration file yet
    Take(Main(), "main-empty");
    Exit();

    WriteConfigFile({kOffice, kHome, kLab});
    Start();
    PickInterface(kIntel.description);
    Take(Main(), "main-interface");
    PickConfiguration("Office");
    Take(Main(), "main-configuration");

    ClickButton(Main(), IDC_APPLY);
    TakeBox("Complete", "message-applied");
    // Handled in turn: the second finds the first one's configuration.
    ClickButton(Main(), IDC_BACKUP);
    ClickButton(Main(), IDC_BACKUP);
    TakeBox("Warning", "message-overwrite", IDNO);
    PickConfiguration("Lab");
    ClickButton(Main(), IDC_DELETE);
    TakeBox("Warning", "message-delete", IDNO);
    ClickButton(Main(), IDC_HELP_DOCUMENT);
    TakeBox("Error", "message-help-not-found");
    Exit();

    SavedConfiguration tooLong = kOffice;
    tooLong.ip = "192.168.100.100.1";
    WriteConfigFile({tooLong});
    Start();
    ClickButton(Main(), IDC_APPLY);
    TakeBox("Error", "message-select-interface");
    PickInterface(kIntel.description);
    PickConfiguration("Office");
    ClickButton(Main(), IDC_APPLY);
    TakeBox("Error", "message-apply-failed");
}

TEST_F(Screens, StartWithoutConfigurationFile) {
    nicset_.reset(new NicsetProcess(directory_));
    TakeBox("Error", "message-open-error");
    main_ = Process().WaitForMainWindow();
}

TEST_F(Screens, AddDialogAndItsMessages) {
    WriteConfigFile({kOffice});
    Start();
    ClickButton(Main(), IDC_ADD);
    HWND dialog = WaitForWindow([&] { return Process().FindDialog("Add Configuration"); });
    ASSERT_NE(dialog, nullptr);
    Take(dialog, "add-empty");
    struct Row {
        std::string ip, mask, gateway, name;
        const char* picture;
    };
    const Row rows[] = {
        {"127.0.0.1", "255.0.0.0", "", "Lab", "message-verify-ip"},
        // A class B address needs 255 in the first two parts of the mask.
        {"172.16.4.20", "255.0.0.0", "", "Lab", "message-mask"},
        {"10.1.2.3", "255.0.0.0", "10.1.2.0", "Lab", "message-verify-gateway"},
        {"10.1.2.3", "255.0.0.0", "10.1.2.1", "", "message-complete-all-fields"},
    };
    for (const Row& row : rows) {
        SetControlText(dialog, IDC_NAME, row.name);
        SetControlText(dialog, IDC_IP_ADDRESS, row.ip);
        SetControlText(dialog, IDC_MASK, row.mask);
        SetControlText(dialog, IDC_GATEWAY, row.gateway);
        ClickButton(dialog, IDC_ADD);
        TakeBox("Error", row.picture);
    }
    SetControlText(dialog, IDC_NAME, "Lab");
    SetControlText(dialog, IDC_DNS1, "10.1.2.2");
    Take(dialog, "add-filled");
    SendMessageA(GetDlgItem(dialog, IDC_DHCP), BM_CLICK, 0, 0);
    Take(dialog, "add-dhcp");
    ClickButton(dialog, IDC_CANCEL);
}

}  // namespace
}  // namespace e2e
