#include <tuple>

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "config/ConfigurationMatch.h"

namespace {

const Configuration kOffice = MakeRecord(
    {"Office", false, "10.1.1.1", "02A0C9112233", "255.0.0.0", "10.1.1.9", "9.9.9.9", "8.8.8.8"});
const Configuration kHome = MakeRecord({"Home", true, "", "Default"});

Configuration Named(Configuration record, const std::string& name) {
    CopyText(record.name, name.c_str());
    return record;
}

TEST(TrayMenuTest, MatchComparesWhatTheInterfaceHolds) {
    using C = Configuration;
    // DHCP of both; a field holding one text in the saved record, one in the current.
    const std::tuple<bool, char(C::*)[kTextFieldSize], const char*, const char*, bool> rows[] = {
        {true, &C::ipAddress, "1.2.3.4", "", true},  // DHCP hands out address, mask, gateway
        {true, &C::dns1, "1.1.1.1", "1.1.1.2", false},
        {false, &C::ipAddress, "10.1.1.1", "10.1.1.2", false},
        {false, &C::mask, "255.0.0.0", "255.255.0.0", false},
        {false, &C::gateway, "10.1.1.9", "10.1.1.8", false},
        {false, &C::dns2, "8.8.8.8", "8.8.4.4", false},
        {false, &C::macAddress, "02A0C9112234", "02A0C9112233", false},
        {false, &C::ipAddress, "010.1.1.001", "10.1.1.1", true},
        {false, &C::ipAddress, "", "", true},
        {false, &C::macAddress, "02-a0-c9-11-22-33", "02:A0:C9:11:22:33", true},
        {false, &C::macAddress, "Default", "02A0C9112233", false},
        {false, &C::macAddress, "", "Default", true},  // both keep the card's own
        {false, &C::macAddress, "01-00-5E-00-00-01", "01005E000001", false},  // a group's
    };
    for (const auto& [dhcp, field, savedText, currentText, matches] : rows) {
        SCOPED_TRACE(std::string(savedText) + " / " + currentText);
        Configuration saved = kOffice, current = Named(kOffice, "Back - card");
        saved.dhcpEnabled = dhcp ? 1 : 0;
        current.dhcpEnabled = dhcp ? 7 : 0;  // any value but 0 is on
        CopyText(saved.*field, savedText);
        CopyText(current.*field, currentText);
        EXPECT_EQ(ConfigurationMatches(saved, current), matches);
    }
    EXPECT_FALSE(ConfigurationMatches(kHome, MakeRecord({"Home", false, "", "Default"})));
    // Apply writes a second server alone as the first.
    EXPECT_TRUE(ConfigurationMatches(MakeRecord({"", false, "", "", "", "", "", "9.9.9.9"}),
                                     MakeRecord({"", false, "", "", "", "", "9.9.9.9"})));
}

}  // namespace
