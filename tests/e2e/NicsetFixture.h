// A test fixture that owns one Nicset run: the family it reports, the
// adapters in the registry, the configuration file in its working directory,
// and the process itself.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Driver.h"

namespace e2e {

enum class Family { Nt, Win98 };

constexpr const char kNtClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002bE10318}";
constexpr const char kNtTcpipKey[] =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
constexpr const char k98ClassKey[] = "System\\CurrentControlSet\\Services\\Class\\Net";
constexpr const char k98TcpipKey[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans";
constexpr const char k98ResolverKey[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";

// One network adapter as the registry describes it.
struct Adapter {
    std::string subkey;       // the class subkey, "0000"
    std::string instanceId;   // "NetCfgInstanceId" (NT family)
    std::string description;  // "DriverDesc"
    std::string mac;          // "NetworkAddress"; none when empty
    bool dhcp = false;
    std::string ip, mask, gateway;
    std::string nameServer;  // on the 98 family, the shared resolver list
};

// One configuration as the file stores it.
struct SavedConfiguration {
    std::string name;
    bool dhcp = false;
    std::string ip, mac, mask, gateway, dns1, dns2;
};

// An adapter with fixed addresses and its own hardware address ("NetworkAddress"
// absent), as several tests and the screenshots use it.
extern const Adapter kIntelAdapter;
// An adapter on DHCP with a hardware address of its own choosing.
extern const Adapter kRealtekAdapter;

// The configuration file's bytes for these configurations, as the program
// writes them.
std::string ConfigFileText(const std::vector<SavedConfiguration>& configurations);

class NicsetTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The family GetVersion reports; NT unless a test says otherwise.
    void UseFamily(Family family);
    // Replaces every adapter of the current family with these.
    void SeedAdapters(const std::vector<Adapter>& adapters);
    void WriteConfigFile(const std::vector<SavedConfiguration>& configurations);

    // Starts Nicset and waits for its main window. With no configuration
    // file the program first says it cannot open one; that is answered here.
    HWND Start();
    // Closes the main window (Exit, or the close box) and expects status 24.
    void Exit(bool closeBox = false);

    std::string ClassKey(const Adapter& adapter) const;
    std::string TcpipKey(const Adapter& adapter) const;
    std::string ResolverKey(const Adapter& adapter) const;
    std::string WorkPath(const std::string& file) const { return directory_ + "\\" + file; }
    std::string ConfigFileBytes() const { return ReadFileBytes(WorkPath("Nicset.conf")); }

    HWND Main() const { return main_; }
    NicsetProcess& Process() { return *nicset_; }

    // The list view's rows as (name, IP address).
    std::vector<std::vector<std::string>> ConfigurationRows();
    // Selects the row of the list view that shows `name`.
    void PickConfiguration(const std::string& name);
    // Picks an interface by its line in the combo box.
    void PickInterface(const std::string& description, int occurrence = 0);

    Family family_ = Family::Nt;
    std::string directory_;
    std::string program_ = NicsetPath();  // what Start() runs
    std::unique_ptr<NicsetProcess> nicset_;
    HWND main_ = nullptr;
};

}  // namespace e2e
