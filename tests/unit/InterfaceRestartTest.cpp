#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "adapter/InterfaceRestart.h"

namespace {

const char kKey0001[] = "{4d36e972-e325-11ce-bfc1-08002be10318}\\0001";
const char kKey0001Up[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001";
const char kKey00010[] = "{4d36e972-e325-11ce-bfc1-08002be10318}\\00010";

struct FakeDevice {
    bool readable;  // an unreadable one fills in its key all the same, so a match on it shows
    std::string driverKey;
};

enum class Call { kNone, kOpen, kSelect, kSetParams, kCallInstaller, kReadFlags };

// What SetupAPI answers: the devices, the one call that fails and the error it leaves, ...
struct Script {
    std::vector<FakeDevice> devices;
    Call failing = Call::kNone;
    std::uint32_t error = 0, flags = 0, helperOutcome = 0;
};

class ScriptedDeviceCalls : public DeviceCalls, private Script {
public:
    explicit ScriptedDeviceCalls(const Script& script) : Script(script) {}
    int opened = 0, closed = 0;
    int restarted = -1;        // the device the class installer was called for
    std::string helperSubkey;  // what the helper was started with

    DeviceCallResult OpenNetworkDevices() override { return Step(Call::kOpen, opened); }
    DeviceCallResult SelectDevice(std::uint32_t index) override {
        if (failing != Call::kSelect && index >= devices.size()) return {false, 259};
        current_ = static_cast<int>(index);
        return Step(Call::kSelect, current_);
    }
    DeviceCallResult ReadDriverKey(std::string& driverKey) override {
        driverKey = devices[current_].driverKey;
        return {devices[current_].readable, 13};  // ERROR_INVALID_DATA, when unreadable
    }
    DeviceCallResult SetPropertyChange() override { return Step(Call::kSetParams, paramsFor_); }
    DeviceCallResult CallPropertyChange() override {
        // Without the parameters for this very device there is nothing to call it for.
        return paramsFor_ == current_ ? Step(Call::kCallInstaller, restarted)
                                      : DeviceCallResult{false, 0xE0000217};
    }
    DeviceCallResult ReadInstallFlags(std::uint32_t& installFlags) override {
        installFlags = flags;
        return Step(Call::kReadFlags, current_);
    }
    void CloseNetworkDevices() override { ++closed; }
    std::uint32_t RunHelper(const char* classSubkey) override {
        helperSubkey = opened > closed ? "(the list still open)" : classSubkey;
        return helperOutcome;
    }

private:
    // The scripted call fails; another succeeds and marks `done`.
    DeviceCallResult Step(Call call, int& done) {
        if (call == failing) return {false, error};
        done = call == Call::kOpen ? done + 1 : current_;
        return {true, 0};
    }
    int current_ = -1, paramsFor_ = -1;
};

const std::vector<FakeDevice> kTwoCards = {{true, kKey00010}, {true, kKey0001}};
const std::vector<FakeDevice> kMixed = {{false, kKey0001}, {true, kKey00010}, {true, kKey0001Up}};

TEST(InterfaceRestartTest, RestartsTheAdapterDeviceOfADigitsSubkeyAndSaysHowItWent) {
    const std::uint32_t kWow64 = kRestartInWow64;  // the helper runs on this one only
    const struct {
        const char* label;
        Script script;
        std::uint32_t expected;
        int restarted;
        const char* subkey = "0001";
    } rows[] = {
        {"letter case aside, past an unreadable one", {kMixed}, 0, 2},
        {"\\0001 is not \\00010", {{{true, kKey00010}}}, 1168, -1},
        {"\\00010 is not \\0001", {{{true, kKey0001}}}, 1168, -1, "00010"},
        {"an unreadable driver key", {{{false, kKey0001}}}, 1168, -1},
        {"an empty list", {}, 1168, -1},
        {"a subkey of letters", {kTwoCards}, 87, -1, "00a1"},
        {"no subkey", {kTwoCards}, 87, -1, nullptr},
        {"an empty subkey", {kTwoCards}, 87, -1, ""},
        {"six digits", {kTwoCards}, 87, -1, "000001"},
        {"1 to 5 digits", {{{true, kKey00010}}}, 1168, -1, "0"},
        {"the list refused", {kTwoCards, Call::kOpen, 5}, 5, -1},
        {"the list fails leaving 0", {kTwoCards, Call::kOpen, 0}, 31, -1},
        {"enumeration fails", {kTwoCards, Call::kSelect, 6}, 6, -1},
        {"enumeration fails leaving 0", {kTwoCards, Call::kSelect, 0}, 31, -1},
        {"parameters refused", {kTwoCards, Call::kSetParams, 5}, 5, -1},
        {"parameters fail leaving 0 (Wine)", {kTwoCards, Call::kSetParams, 0}, 31, -1},
        {"class installer refuses", {kTwoCards, Call::kCallInstaller, 5}, 5, -1},
        {"class installer leaves 0", {kTwoCards, Call::kCallInstaller, 0}, 31, -1},
        {"flags unreadable", {kTwoCards, Call::kReadFlags, 13}, 13, 1},
        {"flags fail leaving 0", {kTwoCards, Call::kReadFlags, 0}, 31, 1},
        {"DI_NEEDREBOOT", {kTwoCards, Call::kNone, 0, 0x100}, 3010, 1},
        {"DI_NEEDRESTART", {kTwoCards, Call::kNone, 0, 0x80}, 3010, 1},
        {"other flags only", {kTwoCards, Call::kNone, 0, ~0x180u}, 0, 1},
        {"WOW64: helper restarts", {kTwoCards, Call::kCallInstaller, kWow64, 0, 0}, 0, -1},
        {"WOW64: the helper's outcome", {kTwoCards, Call::kSetParams, kWow64, 0, 1168}, 1168, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ScriptedDeviceCalls calls(row.script);
        EXPECT_EQ(RestartInterface(calls, row.subkey), row.expected);
        EXPECT_EQ(calls.restarted, row.restarted);
        EXPECT_EQ(calls.opened, row.expected == 87 || row.script.failing == Call::kOpen ? 0 : 1);
        EXPECT_EQ(calls.closed, calls.opened);
        EXPECT_EQ(calls.helperSubkey, row.script.error == kWow64 ? "0001" : "");
    }
}

// A restart runs in a process of its own: which program, and its outcome.
TEST(InterfaceRestartTest, TheRestartProcessIsThisProgramOrNicset64AndItsExitIsTheOutcome) {
    const std::wstring own = L"C:\\\u0141\u00f3d\u017a\u65e5\u672c\\Nicset.exe";
    const std::wstring helper = L"C:\\\u0141\u00f3d\u017a\u65e5\u672c\\Nicset64.exe";
    // 32-bit Windows or the "98" family; WoW64; a 64-bit build, which never
    // starts another copy of itself.
    EXPECT_EQ(RestartProgramOf(own, false, false), own);
    EXPECT_EQ(RestartProgramOf(own, false, true), helper);
    EXPECT_EQ(RestartProgramOf(own, true, false), own);
    EXPECT_EQ(RestartProgramOf(own, true, true), own);
    EXPECT_EQ(RestartProgramOf(L"Nicset.exe", false, true), L"");

    using H = ProcessRun::How;
    const struct {
        const char* label;
        std::wstring program;
        ProcessRun run;
        std::uint32_t outcome;
    } outcomes[] = {
        {"restarted, however long it took", own, {H::kEnded, 0}, 0},
        {"its exit status as it is", helper, {H::kEnded, 3010}, 3010},
        {"a code of its own", own, {H::kEnded, 0xE0000235}, 0xE0000235},
        {"Nicset64.exe missing", helper, {H::kNotStarted, 2}, kRestartHelperMissing},
        {"its name in other letters", L"d:\\NICSET64.EXE", {H::kNotStarted, 2}, 0x20000002},
        {"this program gone", own, {H::kNotStarted, 2}, 2},
        {"not started otherwise", helper, {H::kNotStarted, 5}, 5},
        {"not started, no code", own, {H::kNotStarted, 0}, 31},
        {"its ending lost", own, {H::kLost, 6}, 6},
    };
    for (const auto& row : outcomes) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(RestartOutcomeOf(row.program, row.run), row.outcome);
    }
}

}  // namespace
