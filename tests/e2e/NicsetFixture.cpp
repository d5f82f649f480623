#include "NicsetFixture.h"

#include "resource.h"

namespace e2e {
namespace {

constexpr DWORD kExitStatus = 24;

std::string MultiString(const std::string& text) {
    return text + std::string(2, '\0');
}

void SetTextValue(const std::string& key, const char* name, const std::string& text,
                  Family family) {
    if (family == Family::Nt) {
        const std::string bytes = MultiString(text);
        SetValue(key, name, REG_MULTI_SZ, bytes.data(), static_cast<DWORD>(bytes.size()));
    } else {
        SetStringValue(key, name, text);
    }
}

}  // namespace

// clang-format off
const Adapter kIntelAdapter = {
    "0000", "{6B1F4E3A-9C2D-4A7E-8F10-3D5C2B7A9E41}", "Intel(R) PRO/1000 MT Network Connection",
    "", false, "192.168.1.20", "255.255.255.0", "192.168.1.1", "192.168.1.1,192.168.1.2"};
const Adapter kRealtekAdapter = {
    "0001", "{A2C8D5F0-1E47-4B93-9A6D-7C0E5F2B8D13}", "Realtek RTL8139 Family PCI Fast Ethernet NIC",
    "00A0C9112233", true, "0.0.0.0", "0.0.0.0", "", ""};
// clang-format on

std::string ConfigFileText(const std::vector<SavedConfiguration>& configurations) {
    const std::string stars(52, '*');
    std::string text = stars + "\r\n  Archivo de Configuraciones de Nicset 2005\r\n\r\n";
    text += "         Quorvia\r\nwww.example.com - nicset@example.com\r\n" + stars + "\r\n\r\n";
    for (const SavedConfiguration& c : configurations) {
        text += "Nombre: " + c.name + "\r\n";
        text += std::string("DHCP Activado: ") + (c.dhcp ? "Si" : "No") + "\r\n";
        text += "Direccion IP: " + c.ip + "\r\n";
        text += "MAC: " + c.mac + "\r\n";
        text += "Mascara de Red: " + c.mask + "\r\n";
        text += "Puerta de Enlace: " + c.gateway + "\r\n";
        text += "1- Sevidor DNS: " + c.dns1 + "\r\n";
        text += "2- Sevidor DNS: " + c.dns2 + "\r\n\r\n";
    }
    return text;
}

void NicsetTest::SetUp() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    directory_ = ScratchDirectory(std::string(info->test_suite_name()) + "." + info->name());
    UseFamily(Family::Nt);
    ForgetUserSettings();
    // Every test starts from a machine without network adapters.
    for (const char* key : {kNtClassKey, kNtTcpipKey, k98ClassKey, k98TcpipKey, k98ResolverKey})
        DeleteKeyTree(key);
}

void NicsetTest::TearDown() {
    if (nicset_ != nullptr && main_ != nullptr && IsWindow(main_)) Exit();
    nicset_.reset();
    SetWindows98(false);
}

void NicsetTest::UseFamily(Family family) {
    family_ = family;
    SetWindows98(family == Family::Win98);
}

std::string NicsetTest::ClassKey(const Adapter& adapter) const {
    return std::string(family_ == Family::Nt ? kNtClassKey : k98ClassKey) + "\\" + adapter.subkey;
}

std::string NicsetTest::TcpipKey(const Adapter& adapter) const {
    if (family_ == Family::Nt) return std::string(kNtTcpipKey) + "\\" + adapter.instanceId;
    return std::string(k98TcpipKey) + "\\" + adapter.subkey;
}

std::string NicsetTest::ResolverKey(const Adapter& adapter) const {
    return family_ == Family::Nt ? TcpipKey(adapter) : k98ResolverKey;
}

void NicsetTest::SeedAdapters(const std::vector<Adapter>& adapters) {
    for (const Adapter& adapter : adapters) {
        const std::string classKey = ClassKey(adapter);
        SetStringValue(classKey, "DriverDesc", adapter.description);
        SetStringValue(classKey, "BusType", "5");
        if (family_ == Family::Nt) SetStringValue(classKey, "NetCfgInstanceId", adapter.instanceId);
        if (!adapter.mac.empty()) SetStringValue(classKey, "NetworkAddress", adapter.mac);

        const std::string tcpip = TcpipKey(adapter);
        SetDwordValue(tcpip, "EnableDHCP", adapter.dhcp ? 1 : 0);
        SetTextValue(tcpip, "IPAddress", adapter.ip, family_);
        SetTextValue(tcpip, family_ == Family::Nt ? "SubnetMask" : "IPMask", adapter.mask, family_);
        SetTextValue(tcpip, "DefaultGateway", adapter.gateway, family_);
        SetStringValue(ResolverKey(adapter), "NameServer", adapter.nameServer);
    }
}

void NicsetTest::WriteConfigFile(const std::vector<SavedConfiguration>& configurations) {
    WriteFileBytes(WorkPath("Nicset.conf"), ConfigFileText(configurations));
}

HWND NicsetTest::Start() {
    const bool noFile = !FileExists(WorkPath("Nicset.conf"));
    nicset_.reset(new NicsetProcess(directory_, program_));
    if (noFile) {
        MessageBoxSeen box = WaitForMessageBox(*nicset_, "Error");
        EXPECT_EQ(box.text, "Error opening config file Nicset.conf");
        if (box.window != nullptr) AnswerMessageBox(box.window, IDOK);
    }
    main_ = nicset_->WaitForMainWindow();
    EXPECT_NE(main_, nullptr) << "no main window";
    return main_;
}

void NicsetTest::Exit(bool closeBox) {
    if (closeBox)
        PostMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        ClickButton(main_, IDC_EXIT);
    DWORD status = 0;
    EXPECT_TRUE(nicset_->WaitForExit(kMustComeMs, &status)) << "Nicset.exe did not end";
    EXPECT_EQ(status, kExitStatus);
    main_ = nullptr;
}

std::vector<std::vector<std::string>> NicsetTest::ConfigurationRows() {
    return ListViewRows(*nicset_, GetDlgItem(main_, IDC_CONFIGURATIONS));
}

void NicsetTest::PickConfiguration(const std::string& name) {
    const auto rows = ConfigurationRows();
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row][0] == name) {
            SelectListViewRow(*nicset_, GetDlgItem(main_, IDC_CONFIGURATIONS),
                              static_cast<int>(row));
            return;
        }
    }
    ADD_FAILURE() << "no row named " << name;
}

void NicsetTest::PickInterface(const std::string& description, int occurrence) {
    const auto lines = ComboLines(GetDlgItem(main_, IDC_INTERFACES));
    for (size_t line = 0; line < lines.size(); ++line) {
        if (lines[line] == description && occurrence-- == 0) {
            PickComboLine(main_, IDC_INTERFACES, static_cast<int>(line));
            return;
        }
    }
    ADD_FAILURE() << "no interface line " << description;
}

}  // namespace e2e
