// Every registry key path and value name that Nicset reads or writes, all
// below HKEY_LOCAL_MACHINE. The spelling is the registry's own: the mixed
// "System"/"SYSTEM" and the small "b" in the class GUID are deliberate.
#pragma once

namespace registry_layout {

// Base paths; each ends in a backslash so that a subkey name and another
// backslash can be appended.
constexpr const char kTcpipBasePath98[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\";
constexpr const char kAdapterClassBasePath98[] = "System\\CurrentControlSet\\Services\\Class\\Net\\";
constexpr const char kTcpipBasePathNt[] =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
constexpr const char kAdapterClassBasePathNt[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002bE10318}\\";

// The "98" family keeps one resolver list for all interfaces here.
constexpr const char kResolverKey98[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP\\";

}  // namespace registry_layout
