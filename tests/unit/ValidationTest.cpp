#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "config/Validation.h"

namespace {

TEST(ValidationTest, ParseDottedQuadNeedsFourPartsOfUpToThreeDigits) {
    struct Row {
        const char* text;
        bool parsed;
        DottedQuad quad;
    };
    const Row rows[] = {
        {"192.168.1.1", true, {{192, 168, 1, 1}}},
        {"010.001.000.255", true, {{10, 1, 0, 255}}},
        {"0.0.0.0", true, {{0, 0, 0, 0}}},
        {"1..3.4", false, {}},
        {".1.2.3", false, {}},
        {"1.2.3.", false, {}},
        {"...", false, {}},
        {"1a.2.3.4", false, {}},
        {"10.0.0.1 ", false, {}},
        {" 10.0.0.1", false, {}},
        {"10.0.0.+1", false, {}},
        {"10.0.0.1\r", false, {}},
        {"256.0.0.1", false, {}},
        {"0010.0.0.1", false, {}},
        {"1.2.3.4444", false, {}},
        {"", false, {}},
        {"1.2.3", false, {}},
        {"1.2.3.4.5", false, {}},
        {"1.2.3.4.", false, {}},
        {"1234", false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        DottedQuad quad{{-7, -7, -7, -7}};
        ASSERT_EQ(ParseDottedQuad(row.text, quad), row.parsed);
        EXPECT_EQ(IsDottedQuad(row.text), row.parsed);
        if (!row.parsed) continue;
        for (int part = 0; part < 4; ++part) {
            EXPECT_EQ(quad.parts[part], row.quad.parts[part]);
        }
    }
}

TEST(ValidationTest, IsValidAddressChecksClassAndParts) {
    struct Row {
        const char* text;
        bool valid;
    };
    const Row rows[] = {
        {"192.168.1.1", true},      {"10.0.0.254", true},
        {"172.16.255.1", true},     {"1.2.3.4", true},
        {"126.0.0.1", true},        {"128.0.0.1", true},
        {"223.255.255.254", true},  {"010.001.1.1", true},
        {"1..3.4", false},          {"1a.2.3.4", false},
        {"10.0.0.1 ", false},       {"10.0.0.1a", false},
        {"10.-5.-1.-1", false},     {"127.0.0.1", false},
        {"0.0.0.0", false},         {"224.0.0.1", false},
        {"255.255.255.255", false}, {"10.0.0.0", false},
        {"10.0.0.255", false},      {"10.256.0.1", false},
        {"10.0.256.1", false},      {".1.2.3", false},
        {"1.2.3.", false},          {" 10.0.0.1", false},
        {"1.2.3", false},           {"", false},
        {"-1.2.3.4", false},        {"10.0.0.1.", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(IsValidAddress(row.text), row.valid);
    }
}

TEST(ValidationTest, MaskIsContiguousAndCoversTheAddressClass) {
    struct Row {
        const char* address;
        const char* mask;
        bool matches;
    };
    const Row rows[] = {
        {"10.1.2.3", "255.0.0.0", true},       {"10.1.2.3", "0.255.255.255", false},
        {"10.1.2.3", "255.0.255.7", false},    {"172.16.0.1", "255.255.0.0", true},
        {"172.16.0.1", "255.0.0.0", false},    {"192.168.1.1", "255.255.255.0", true},
        {"192.168.1.1", "255.255.0.0", false}, {"192.168.1.1", "255.255.255.255", true},
        {"10.1.2.3", "255.255.255", false},    {"127.0.0.1", "255.255.255.255", false},
        {"1.2.3", "255.0.0.0", false},         {"10.1.2.3", "0255.0.0.0", false},
        {"10.1.2.3", "255.128.0.0", true},     {"10.1.2.3", "255.0.255.0", false},
        {"10.1.2.3", "255.255.255.254", true}, {"010.0.0.1", "255.255.0.0", true},
        {"10.1.2.3", "255.0.0.1", false},      {"10.1.2.3", "255.0.0.0 ", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.address << " / " << row.mask);
        EXPECT_EQ(MaskMatchesAddress(row.address, row.mask), row.matches);
    }
}

TEST(ValidationTest, MacAddressesAreTakenAsPeopleWriteThemAndStoredAsTwelveDigits) {
    struct Row {
        const char* text;
        const char* normalized;  // null: refused
    };
    const Row rows[] = {
        {"00A0C9112233", "00A0C9112233"},
        {"00a0c9112233", "00A0C9112233"},
        {"00-a0-c9-11-22-33", "00A0C9112233"},
        {"00:A0:C9:11:22:33", "00A0C9112233"},
        {"02-00-4C-4F-4F-50", "02004C4F4F50"},
        {"Default", "Default"},
        {"dEFAULT", "Default"},
        {"", ""},
        {"00-A0-C9:11-22-33", nullptr},  // mixed separators
        {"00.A0.C9.11.22.33", nullptr},
        {"0-0A0-C9-11-22-33", nullptr},
        {"00A0C91122", nullptr},
        {"00A0C9112233445", nullptr},
        {"00A0C911223G", nullptr},
        {" 00A0C9112233", nullptr},
        {"00-A0-C9-11-22-33-", nullptr},
        {"000000000000", nullptr},
        {"FF-FF-FF-FF-FF-FF", nullptr},
        {"ff:ff:ff:ff:ff:ff", nullptr},
        {"01-00-5E-00-00-01", nullptr},  // a group address
        {"03A0C9112233", nullptr},
        {"Defaults", nullptr},
        {"Default ", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        char normalized[kTextFieldSize] = "untouched";
        ASSERT_EQ(NormalizeMacAddress(row.text, normalized), row.normalized != nullptr);
        EXPECT_STREQ(normalized, row.normalized ? row.normalized : "untouched");
    }
}

// A form that hands out its texts without cutting them: a text of 128 or
// more characters fills the whole buffer with no terminator.
class FakeForm : public ConfigurationForm {
public:
    explicit FakeForm(const RecordTexts& texts) : dhcp_(texts.dhcp) {
        texts_ = {{FormField::Name, texts.name},
                  {FormField::IpAddress, texts.ipAddress},
                  {FormField::MacAddress, texts.macAddress},
                  {FormField::Mask, texts.mask},
                  {FormField::Gateway, texts.gateway},
                  {FormField::Dns1, texts.dns1},
                  {FormField::Dns2, texts.dns2}};
    }
    bool IsDhcpChecked() override { return dhcp_; }
    void ReadFieldText(FormField field, char (&text)[kTextFieldSize]) override {
        const std::string& value = texts_[field];
        std::memset(text, 0xbd, sizeof text);
        std::memcpy(text, value.c_str(), std::min(value.size() + 1, sizeof text));
    }

private:
    bool dhcp_;
    std::map<FormField, std::string> texts_;
};

TEST(ValidationTest, FormIsReadInOrderUpToTheFirstFailure) {
    const RecordTexts valid = {"Oficina",       false,         "192.168.1.20", "Default",
                               "255.255.255.0", "192.168.1.1", "192.168.1.1",  "192.168.1.2"};
    auto with = [&valid](auto change) {
        RecordTexts texts = valid;
        change(texts);
        return texts;
    };
    const std::string longName(200, 'n');
    struct Row {
        const char* what;
        RecordTexts form;
        bool verdict;
        const char* message;
        RecordTexts record;
    };
    const Row rows[] = {
        {"all valid", valid, true, "", valid},
        {"optional addresses empty", with([](RecordTexts& t) { t.gateway = t.dns1 = t.dns2 = ""; }),
         true, "", with([](RecordTexts& t) { t.gateway = t.dns1 = t.dns2 = ""; })},
        {"bad IP",
         with([](RecordTexts& t) { t.ipAddress = "127.0.0.1"; }),
         false,
         "Verify an IP",
         {"", false, "127.0.0.1"}},
        {"bad IP and mask: only the IP is reported",
         with([](RecordTexts& t) {
             t.ipAddress = "1.2.3";
             t.mask = "x";
         }),
         false,
         "Verify an IP",
         {"", false, "1.2.3"}},
        {"mask of another class",
         with([](RecordTexts& t) { t.mask = "255.255.0.0"; }),
         false,
         "The entered Mask doesn't match the IP Address",
         {"", false, "192.168.1.20", "", "255.255.0.0"}},
        {"gateway 0.0.0.0",
         with([](RecordTexts& t) { t.gateway = "0.0.0.0"; }),
         false,
         "Verify a Gateway",
         {"", false, "192.168.1.20", "", "255.255.255.0", "0.0.0.0"}},
        {"bad first DNS",
         with([](RecordTexts& t) { t.dns1 = "1.2.3"; }),
         false,
         "Verify the first DNS",
         {"", false, "192.168.1.20", "", "255.255.255.0", "192.168.1.1", "1.2.3"}},
        {"bad second DNS",
         with([](RecordTexts& t) { t.dns2 = "300.1.1.1"; }),
         false,
         "Verify the second DNS",
         {"", false, "192.168.1.20", "", "255.255.255.0", "192.168.1.1", "192.168.1.1",
          "300.1.1.1"}},
        {"name empty", with([](RecordTexts& t) { t.name = ""; }), false, "",
         with([](RecordTexts& t) { t.name = ""; })},
        {"MAC empty", with([](RecordTexts& t) { t.macAddress = ""; }), false, "",
         with([](RecordTexts& t) { t.macAddress = ""; })},
        {"MAC as ipconfig prints it",
         with([](RecordTexts& t) { t.macAddress = "00-a0-c9-11-22-33"; }), true, "",
         with([](RecordTexts& t) { t.macAddress = "00A0C9112233"; })},
        {"MAC default in small letters", with([](RecordTexts& t) { t.macAddress = "default"; }),
         true, "", valid},
        {"bad MAC after the second DNS",
         with([](RecordTexts& t) { t.macAddress = "01-00-5E-00-00-01"; }), false, "Verify the MAC",
         with([](RecordTexts& t) {
             t.macAddress = "01-00-5E-00-00-01";
             t.name = "";
         })},
        {"a long name is cut to 127 characters", with([&](RecordTexts& t) { t.name = longName; }),
         true, "", with([&](RecordTexts& t) { t.name = longName.substr(0, 127); })},
        {"a pasted line break becomes a blank",
         with([](RecordTexts& t) { t.name = "Evil\r\nDireccion IP: 6.6.6.6"; }), true, "",
         with([](RecordTexts& t) { t.name = "Evil  Direccion IP: 6.6.6.6"; })},
        {"DHCP on reads only name and MAC",
         with([](RecordTexts& t) {
             t.dhcp = true;
             t.ipAddress = "bad";
             t.macAddress = "";
         }),
         true,
         "",
         {"Oficina", true}},
        {"DHCP on with the MAC alone",
         {"", true, "1.2.3.4", "Default"},
         true,
         "",
         {"", true, "", "Default"}},
        {"DHCP on with neither", {"", true, "1.2.3.4", "", "255.0.0.0"}, false, "", {"", true}},
        {"DHCP on checks the MAC as it reads it",
         {"Cafe", true, "", "00-00-00-00-00-00"},
         false,
         "Verify the MAC",
         {"", true, "", "00-00-00-00-00-00"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeForm form(row.form);
        Configuration record;
        std::memset(&record, 0xbd, sizeof record);
        const char* message = "junk";

        EXPECT_EQ(ValidateConfigurationForm(form, record, message), row.verdict);

        EXPECT_STREQ(message, row.message);
        EXPECT_EQ(TextsOf(record), row.record);
        EXPECT_EQ(record.dhcpEnabled, row.record.dhcp ? 1 : 0);
    }
}

}  // namespace
