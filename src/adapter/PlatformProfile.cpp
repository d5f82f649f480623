#include "adapter/PlatformProfile.h"

#include "adapter/RegistryLayout.h"

void SelectPlatformProfile(std::uint32_t versionWord, PlatformProfile& profile) {
    const bool is98 = (versionWord & 0x80000000u) != 0;
    profile.family = is98 ? kFamily98 : kFamilyNt;
    profile.tcpipBasePath =
        is98 ? registry_layout::kTcpipBasePath98 : registry_layout::kTcpipBasePathNt;
    profile.adapterClassBasePath =
        is98 ? registry_layout::kAdapterClassBasePath98 : registry_layout::kAdapterClassBasePathNt;
}

bool IsNtFamily(const PlatformProfile& profile) {
    return profile.family == kFamilyNt;
}

bool Is98Family(const PlatformProfile& profile) {
    return profile.family == kFamily98;
}
