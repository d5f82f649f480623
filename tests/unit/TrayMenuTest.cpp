#include <array>
#include <tuple>

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "config/ConfigurationMatch.h"
#include "ui/DpiScale.h"
#include "ui/TrayMenu.h"
#include "ui/TrayPresence.h"

namespace {

const Configuration kOffice = MakeRecord(
    {"Office", false, "10.1.1.1", "02A0C9112233", "255.0.0.0", "10.1.1.9", "9.9.9.9", "8.8.8.8"});
const Configuration kHome = MakeRecord({"Home", true, "", "Default"});

Configuration Named(Configuration record, const std::string& name) {
    CopyText(record.name, name.c_str());
    return record;
}

std::vector<const Configuration*> Rows(const std::vector<Configuration>& records) {
    std::vector<const Configuration*> rows;
    for (const Configuration& record : records)
        rows.push_back(&record);
    return rows;
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

TEST(TrayMenuTest, TipNamesTheFirstMatchElseTheAddressCutWhole) {
    const std::string atCut = std::string(54, 'a') + "\x82\xa0";  // a character on bytes 63-64
    // Interface, first row's name (kOffice's values, as "Alpha" after it), values, code page, tip.
    const std::tuple<const char*, std::string, Configuration, unsigned, std::string> rows[] = {
        {"", "Zed", kOffice, 1252, "Nicset"},
        {"Card", "Zed", kOffice, 1252, "Nicset: Zed"},
        {"Card", "Zed", MakeRecord({"", true, "", "02A0C9112233"}), 1252, "Nicset: DHCP"},
        {"Card", "Zed", MakeRecord({"", false, "10.9.9.9"}), 1252, "Nicset: 10.9.9.9"},
        {"Card", "Zed", MakeRecord({""}), 1252, "Nicset: no address"},
        {"Card", std::string(127, 'x'), kOffice, 1252, "Nicset: " + std::string(55, 'x')},
        {"Card", atCut, kOffice, 932, "Nicset: " + std::string(54, 'a')},
    };
    for (const auto& [interfaceName, firstName, current, codePage, tip] : rows) {
        SCOPED_TRACE(tip);
        const std::vector<Configuration> saved = {Named(kOffice, firstName), kHome,
                                                  Named(kOffice, "Alpha")};
        EXPECT_EQ(TrayTip(Rows(saved), interfaceName, current, codePage), tip);
    }
    // ", in use" when the live state matches the named configuration too.
    LiveState live;
    live.read = LiveState::Read::kListed;
    live.connected = true;
    live.configuration = kOffice;
    const auto tip = [&live](const std::string& name, const Configuration& current) {
        return TrayTip(Rows({Named(kOffice, name)}), "Card", current, 1252, &live);
    };
    EXPECT_EQ(tip("Zed", kOffice), "Nicset: Zed, in use");
    EXPECT_EQ(tip("Zed", MakeRecord({"", true})), "Nicset: DHCP");
    EXPECT_EQ(tip(std::string(127, 'x'), kOffice), "Nicset: " + std::string(47, 'x') + ", in use");
    CopyText(live.configuration.mask, "255.255.0.0");
    EXPECT_EQ(tip("Zed", kOffice), "Nicset: Zed");
}

std::string Rendered(const std::vector<Configuration>& saved, const char* name, bool busy) {
    std::string rendered;
    for (const TrayMenuLine& line : TrayMenuLines(Rows(saved), name, kOffice, busy)) {
        rendered += line.separator ? "--" : line.text + "|" + std::to_string(line.commandId);
        rendered += std::string(line.checked ? "v" : "") + (line.greyed ? "g" : "") + ";";
    }
    return rendered;
}

TEST(TrayMenuTest, MenuKeepsTheListOrderAndChecksTheMatches) {
    const std::vector<Configuration> saved = {Named(kOffice, "Zed"), Named(kHome, "R&D"),
                                              Named(kOffice, "Lab\t2"), Named(kHome, "")};
    const std::string tail = "--;Open Nicset|39002;Exit|39003;";
    EXPECT_EQ(Rendered(saved, "", true), "Pick an interface first|0g;" + tail);
    EXPECT_EQ(Rendered(saved, "A & B", false),
              "A && B|0g;Zed|40000v;R&&D|40001;Lab 2|40002v; |40003;" + tail);
    EXPECT_EQ(Rendered(saved, "A & B", true),
              "A && B|0g;Zed|40000vg;R&&D|40001g;Lab 2|40002vg; |40003g;" + tail);
    const std::string many = Rendered(std::vector<Configuration>(31, kHome), "Card", false);
    EXPECT_EQ(many.substr(many.find("|40029")), "|40029;More...|39001;" + tail);

    std::size_t row = 99999;
    EXPECT_FALSE(TrayConfigurationRow(39999, row) || TrayConfigurationRow(65535, row));
    EXPECT_TRUE(TrayConfigurationRow(65534, row));
    EXPECT_EQ(row, 25534u);
}

TEST(TrayPresenceTest, AHiddenWindowWithNoIconForGoodShowsItselfMinimized) {
    using I = TrayIconState;
    using A = TrayWindowAction;
    // Each state's action: neither minimized nor hidden, hidden, minimized, both.
    const std::pair<I, std::array<A, 4>> rows[] = {
        {I::kShown, {A::kNone, A::kNone, A::kHide, A::kNone}},
        {I::kTrying, {A::kNone, A::kNone, A::kNone, A::kNone}},
        {I::kLost, {A::kNone, A::kShowMinimized, A::kNone, A::kShowMinimized}},
    };
    for (const auto& [icon, actions] : rows)
        for (int at = 0; at < 4; ++at)
            EXPECT_EQ(TrayWindowActionFor(icon, at >= 2, at % 2 == 1), actions[at]) << at;
    // Tried for 2 minutes after the first refusal.
    EXPECT_EQ(TrayStateAfterTry(false, 119999), I::kTrying);
    EXPECT_EQ(TrayStateAfterTry(false, 120000), I::kLost);
    EXPECT_EQ(TrayStateAfterTry(true, 120000), I::kShown);
}

TEST(DpiScaleTest, SizesScaleAsMulDivRoundsAndTheSplashDoubles) {
    const int at96[] = {140, 93, kSmallIconPixels, -11};  // columns, icon, label font height
    // The DPI, the sizes at it and whether the splash doubles.
    const std::tuple<unsigned, std::array<int, 4>, bool> rows[] = {
        {96, {140, 93, 16, -11}, false},  {120, {175, 116, 20, -14}, false},
        {144, {210, 140, 24, -17}, true},  // 139.5 and -16.5: halves away from zero
        {168, {245, 163, 28, -19}, true}, {192, {280, 186, 32, -22}, true},
    };
    for (const auto& [dpi, sizes, doubleSplash] : rows) {
        SCOPED_TRACE(dpi);
        for (int size = 0; size < 4; ++size)
            EXPECT_EQ(ScaleToDpi(at96[size], dpi), sizes[size]);
        EXPECT_EQ(UsesDoubleSizeSplash(dpi), doubleSplash);
    }
}

TEST(DpiScaleTest, TheSplashFitsItsPictureAboutItsCentre) {
    // A window at 100,50 with a 2-pixel frame around its client area; the
    // client's and the picture's sizes, and the window's new place.
    const std::tuple<int, int, int, int, PixelRect> rows[] = {
        {270, 166, 270, 166, {100, 50, 374, 220}},  // 96 DPI: the picture fits
        {405, 249, 540, 332, {33, 9, 577, 345}},    // 144 DPI: grows by 135 x 83
        {337, 207, 270, 166, {133, 70, 407, 240}},  // 120 DPI: shrinks by 67 x 41
    };
    for (const auto& [clientWidth, clientHeight, width, height, expected] : rows) {
        SCOPED_TRACE(clientWidth);
        const PixelRect outer = {100, 50, 104 + clientWidth, 54 + clientHeight};
        const PixelRect fitted = FitClientArea(outer, clientWidth, clientHeight, width, height);
        EXPECT_EQ(std::make_tuple(fitted.left, fitted.top, fitted.right, fitted.bottom),
                  std::make_tuple(expected.left, expected.top, expected.right, expected.bottom));
    }
}

}  // namespace
