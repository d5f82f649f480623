#include "app/CommandRun.h"

#include <windows.h>

#include "adapter/LiveState.h"
#include "adapter/Win32Registry.h"
#include "app/AdminCommands.h"
#include "app/ApplyCommand.h"
#include "app/CommandLog.h"
#include "app/CommandOutput.h"
#include "config/ConfigFile.h"
#include "ui/ConfigFileMutex_win.h"
#include "ui/SystemApply.h"
#include "ui/UiServices.h"

namespace {

class WindowsAdminHost : public AdminHost {
public:
    explicit WindowsAdminHost(const PlatformProfile& profile) : profile_(profile) {}
    bool WindowHoldsConfigFile(const char* path) override { return ConfigFileHeldByWindow(path); }
    std::string LiveState(const AdapterEntry& adapter) override {
        return ListedLiveState(adapter, profile_);
    }
    // As the window's sorted combo box orders its lines.
    bool ListedBefore(const char* first, const char* second) override {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first, -1, second, -1) ==
               CSTR_LESS_THAN;
    }
    FileCalls& Files() override { return calls_; }

private:
    const PlatformProfile& profile_;
    FileCalls calls_;
};

bool IsCopyOfNicset(CommandAction action) {
    return action == CommandAction::kElevatedApply || action == CommandAction::kRestartHelper ||
           action == CommandAction::kWrongHelperLine || action == CommandAction::kWrongElevatedLine;
}

// Each line of `text` ending in CR LF.
std::string WithLineEnds(const char* text) {
    std::string lines;
    for (; *text != '\0'; ++text) {
        if (*text == '\n') lines += '\r';
        lines += *text;
    }
    return lines + "\r\n";
}

// What the command writes to the caller: /list its lines, and its ending
// when that is not 0; /? the usage; the others their ending line.
std::string OutputLines(const CommandRequest& request, const CommandOutcome& outcome,
                        const std::string& ending) {
    const std::string endingLine = EndingLine(outcome.exitCode, ending);
    switch (request.action) {
        case CommandAction::kList:
            return outcome.exitCode == kStatusApplied ? outcome.listing
                                                      : outcome.listing + endingLine;
        case CommandAction::kShowUsage:
            return WithLineEnds(kUsageText);
        default:
            return endingLine;
    }
}

void ShowBox(const CommandRequest& request, const CommandOutcome& outcome,
             const PlatformProfile& profile, const std::string& lines, bool toConsole) {
    switch (outcome.message) {
        case CommandMessage::kNothing:
            break;
        case CommandMessage::kApplyReport:
            ShowApplyReport(nullptr, outcome.report, profile, request.interfaceName.c_str());
            break;
        case CommandMessage::kError:
            ShowError(nullptr, outcome.text);
            break;
        case CommandMessage::kComplete:
            ShowMessage(nullptr, outcome.text, kCompleteTitle, MB_ICONINFORMATION);
            break;
        case CommandMessage::kUsage:
            ShowMessage(nullptr, kUsageText, kUsageTitle,
                        outcome.exitCode == kStatusApplied ? MB_ICONINFORMATION : MB_ICONWARNING);
            break;
        case CommandMessage::kListing:
            // The console has the lines already.
            if (!toConsole)
                ShowMessage(
                    nullptr, ListingBoxText(lines).c_str(), kUsageTitle,
                    outcome.exitCode == kStatusApplied ? MB_ICONINFORMATION : MB_ICONWARNING);
            break;
    }
}

}  // namespace

std::string ListedLiveState(const AdapterEntry& adapter, const PlatformProfile& profile) {
    // The "98" family's interface key is no TCP/IP key name; it has no live state either.
    return IsNtFamily(profile) ? LiveStateText(ReadLiveState(adapter.interfaceKey)) : std::string();
}

// No splash, no window and no single-instance test: a script or a shortcut
// may run it while the window is open. One message box at most, owned by
// nobody.
int RunCommandLine(const CommandRequest& request, const PlatformProfile& profile) {
    Win32Registry registry;
    SystemApplyPlatform platform(nullptr, profile);
    WindowsAdminHost host(profile);
    if (IsCopyOfNicset(request.action)) {
        const CommandOutcome outcome =
            RunCommand(request, registry, profile, platform, kConfigFileName, host);
        // A copy's exit code may use every bit of the process's exit code.
        return static_cast<int>(outcome.exitCode);
    }

    CommandOutput output;
    CommandLog log;
    CommandOutcome outcome;
    // A log that cannot be written stops the command before it does anything.
    if (request.logged && !log.Open(request.logPath.c_str(), Is98Family(profile))) {
        outcome = CommandError(kStatusWrongCommandLine, kLogOpenError, request.logPath.c_str());
        outcome.ending = outcome.message;
        if (request.quiet) outcome.message = CommandMessage::kNothing;
    } else {
        outcome = RunCommand(request, registry, profile, platform, kConfigFileName, host);
    }

    const std::string ending = EndingText(outcome, profile, request.interfaceName.c_str());
    if (request.logged) {
        LogRecord record;
        FillMachineFields(record);
        record.command = request.command;
        record.configuration = request.configuration;
        record.interfaceName = request.interfaceName;
        record.status = outcome.exitCode;
        record.message = ending;
        // A line that cannot be written leaves the status as it is.
        log.Append(LogLine(record));
    }

    const std::string lines = OutputLines(request, outcome, ending);
    const bool written = output.Write(lines);
    // Under SYSTEM or a remote shell nobody may be there to answer a box.
    if (!output.ToStandardOutput()) ShowBox(request, outcome, profile, lines, written);
    return static_cast<int>(outcome.exitCode);
}
