#include "app/ApplyCommand.h"

#include <cstdio>

#include "adapter/Interfaces.h"
#include "app/AdminCommands.h"
#include "common/AsciiCase.h"
#include "config/ConfigFile.h"
#include "config/ConfigurationList.h"
#include "config/FileText.h"
#include "ui/ApplyCheck.h"

// Cut to the message's size: a name on the command line may be of any length.
CommandOutcome CommandError(int status, const char* text, const char* detail) {
    CommandOutcome outcome;
    outcome.exitCode = static_cast<std::uint32_t>(status);
    outcome.message = CommandMessage::kError;
    std::snprintf(outcome.text, sizeof outcome.text, "%s%s", text, detail);
    return outcome;
}

const AdapterEntry* ChooseInterface(const CommandRequest& request, const AdapterList& adapters,
                                    unsigned codePage, CommandOutcome& refusal) {
    if (request.interfaceNamed) {
        const AdapterEntry* named =
            FindInterfaceByName(adapters, request.interfaceName.c_str(), codePage);
        if (named == nullptr) {
            refusal = CommandError(kStatusNoInterface,
                                   "Interface not found: ", request.interfaceName.c_str());
        }
        return named;
    }
    if (adapters.size() != 1) {
        refusal = CommandError(kStatusNoInterface,
                               adapters.empty() ? "No network interface found"
                                                : "Several interfaces: name one with /interface",
                               "");
        return nullptr;
    }
    return &adapters.front();
}

namespace {

CommandOutcome Reported(const ApplyReport& report) {
    CommandOutcome outcome;
    outcome.report = report;
    outcome.exitCode = static_cast<std::uint32_t>(StatusOf(report));
    outcome.message = CommandMessage::kApplyReport;
    return outcome;
}

CommandOutcome Apply(const CommandRequest& request, Registry& registry,
                     const PlatformProfile& profile, ApplyPlatform& platform,
                     const char* configPath, unsigned codePage) {
    // A load cut short still holds what it read; only the name decides.
    ConfigurationList configurations;
    if (ReadConfigFile(configPath, configurations) == FileReadResult::kCannotOpen)
        return CommandError(kStatusNoConfiguration, kConfigFileOpenError, configPath);
    const Configuration* configuration =
        FindConfigurationByName(configurations, request.configuration.c_str());
    if (configuration == nullptr) {
        return CommandError(kStatusNoConfiguration,
                            "Configuration not found: ", request.configuration.c_str());
    }

    AdapterList adapters;
    EnumerateInterfaces(registry, profile, adapters, nullptr);
    CommandOutcome refusal;
    const AdapterEntry* adapter = ChooseInterface(request, adapters, codePage, refusal);
    if (adapter == nullptr) return refusal;

    ApplyReport report = RunApply(registry, profile, platform, platform.Route(), *adapter,
                                  *configuration, request.restart);
    CheckLiveUse(platform, *adapter, *configuration, report);
    return Reported(report);
}

// The card the window picked, as the copy lists the cards now: the same
// class subkey, TCP/IP key name and shown name, or none. The line's texts
// are only compared, never made into a registry path.
const AdapterEntry* FindPickedInterface(const AdapterList& adapters, const ElevatedApply& order) {
    for (const AdapterEntry& entry : adapters) {
        if (order.classSubkey != entry.classSubkey) continue;
        const bool same = EqualIgnoringAsciiCase(InterfaceGuidOf(entry.interfaceKey).c_str(),
                                                 order.interfaceGuid.c_str()) &&
                          order.interfaceName == entry.description;
        return same ? &entry : nullptr;
    }
    return nullptr;
}

// The elevated copy checks everything again and writes itself, whatever its
// rights: it never starts another copy.
CommandOutcome ApplyElevated(const ElevatedApply& order, Registry& registry,
                             const PlatformProfile& profile, ApplyPlatform& platform) {
    AdapterList adapters;
    EnumerateInterfaces(registry, profile, adapters, nullptr);
    const AdapterEntry* adapter = FindPickedInterface(adapters, order);
    ApplyReport report;
    if (adapter == nullptr) {
        report.end = ApplyEnd::kInterfaceNotFound;
    } else {
        report = RunApply(registry, profile, platform, ApplyRoute::kInProcess, *adapter,
                          order.configuration, order.restart);
    }
    CommandOutcome outcome;
    outcome.report = report;
    outcome.exitCode = ChildExitCode(report);
    return outcome;
}

}  // namespace

CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, ApplyPlatform& platform,
                          const char* configPath, unsigned codePage, AdminHost& host) {
    CommandOutcome outcome;
    switch (request.action) {
        case CommandAction::kApply:
            outcome = Apply(request, registry, profile, platform, configPath, codePage);
            break;
        case CommandAction::kBackup:
            outcome = RunBackup(request, registry, profile, configPath, codePage, host);
            break;
        case CommandAction::kList:
            outcome = RunList(registry, profile, configPath, host);
            break;
        case CommandAction::kElevatedApply:
            return ApplyElevated(request.elevated, registry, profile, platform);
        case CommandAction::kRestartHelper:
            // The restart process itself: it restarts here and starts nothing.
            outcome.exitCode = platform.RestartHere(request.restartSubkey.c_str());
            return outcome;
        case CommandAction::kWrongElevatedLine:
            outcome.exitCode = ChildExitCodeOfWrongLine();
            return outcome;
        case CommandAction::kWrongHelperLine:
            outcome.exitCode = kRestartInvalidParameter;
            return outcome;
        case CommandAction::kShowUsage:
            outcome.exitCode = kStatusApplied;
            outcome.message = CommandMessage::kUsage;
            break;
        case CommandAction::kRunWindow:
        case CommandAction::kRunTray:
        case CommandAction::kWrongCommandLine:
            outcome.exitCode = kStatusWrongCommandLine;
            outcome.message = CommandMessage::kUsage;
            break;
    }
    outcome.ending = outcome.message;
    if (request.quiet) outcome.message = CommandMessage::kNothing;
    return outcome;
}

CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, ApplyPlatform& platform,
                          const char* configPath, unsigned codePage) {
    return RunCommand(request, registry, profile, platform, configPath, codePage, PlainAdminHost());
}

CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, ApplyPlatform& platform,
                          const char* configPath, AdminHost& host) {
    return RunCommand(request, registry, profile, platform, configPath, AnsiCodePage(), host);
}
