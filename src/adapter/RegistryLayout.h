// Every registry key path and value name that Nicset reads or writes, all
// below HKEY_LOCAL_MACHINE, with the byte counts it reads and writes. The
// spelling is the registry's own: the mixed "System"/"SYSTEM" and the small
// "b" in the class GUID are deliberate.
#pragma once

#include <cstdint>

namespace registry_layout {

// Base paths; each ends in a backslash so that a subkey name and another
// backslash can be appended.
constexpr const char kTcpipBasePath98[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\";
constexpr const char kAdapterClassBasePath98[] =
    "System\\CurrentControlSet\\Services\\Class\\Net\\";
constexpr const char kTcpipBasePathNt[] =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
constexpr const char kAdapterClassBasePathNt[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002bE10318}\\";

// The "98" family keeps one resolver list for all interfaces here.
constexpr const char kResolverKey98[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP\\";

// In each subkey of the adapter class key. Either marker makes the subkey
// an interface.
constexpr const char kMaxMulticast[] = "MaxMulticast";
constexpr const char kBusType[] = "BusType";
constexpr const char kNetCfgInstanceId[] = "NetCfgInstanceId";  // "NT" only
constexpr const char kDriverDesc[] = "DriverDesc";
constexpr const char kNetworkAddress[] = "NetworkAddress";

// In the interface's TCP/IP key ("NameServer" in the resolver key on "98").
constexpr const char kIpAddress[] = "IPAddress";
constexpr const char kSubnetMaskNt[] = "SubnetMask";
constexpr const char kIpMask98[] = "IPMask";  // every family but "NT"
constexpr const char kDefaultGateway[] = "DefaultGateway";
constexpr const char kEnableDhcp[] = "EnableDHCP";
// "NT" only. Windows may leave it at 1 after a static address was set on an
// unplugged card, and then ignores a later "EnableDHCP" of 1.
constexpr const char kDisableDhcpOnConnect[] = "DisableDhcpOnConnect";
constexpr const char kNameServer[] = "NameServer";

// Byte counts. Texts are written zero-padded to their full length.
constexpr std::uint32_t kSubkeyNameLimit = 255;   // characters, terminator included
constexpr std::uint32_t kAdapterTextBytes = 255;  // "NetCfgInstanceId", "DriverDesc"
constexpr std::uint32_t kAddressBytes = 16;       // the addresses, the mask, "NetworkAddress"
constexpr std::uint32_t kLongestAddress = kAddressBytes - 1;  // characters
// A multi-string of an address written with both terminators.
constexpr std::uint32_t kLongestAddressMultiSzBytes = kLongestAddress + 2;
// Enough for every address list Windows keeps; bounded all the same.
constexpr std::uint32_t kAddressReadBytes = 4096;
constexpr std::uint32_t kEnableDhcpBytes = 4;
constexpr std::uint32_t kNameServerReadBytes = 128;
constexpr std::uint32_t kNameServerBytes = 40;

}  // namespace registry_layout
