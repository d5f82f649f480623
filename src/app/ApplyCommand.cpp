#include "app/ApplyCommand.h"

#include <cstdio>

#include "adapter/Interfaces.h"
#include "config/ConfigFile.h"
#include "config/ConfigurationList.h"
#include "config/FileText.h"
#include "ui/ApplyCheck.h"

namespace {

// Cut to the message's size: a name on the command line may be of any length.
CommandOutcome Error(int status, const char* text, const char* detail) {
    CommandOutcome outcome;
    outcome.exitCode = static_cast<std::uint32_t>(status);
    outcome.message = CommandMessage::kError;
    std::snprintf(outcome.text, sizeof outcome.text, "%s%s", text, detail);
    return outcome;
}

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
        return Error(kStatusNoConfiguration, kConfigFileOpenError, configPath);
    const Configuration* configuration =
        FindConfigurationByName(configurations, request.configuration.c_str());
    if (configuration == nullptr) {
        return Error(kStatusNoConfiguration,
                     "Configuration not found: ", request.configuration.c_str());
    }

    AdapterList adapters;
    EnumerateInterfaces(registry, profile, adapters, nullptr);
    const AdapterEntry* adapter = nullptr;
    if (request.interfaceNamed) {
        adapter = FindInterfaceByName(adapters, request.interfaceName.c_str(), codePage);
        if (adapter == nullptr) {
            return Error(kStatusNoInterface,
                         "Interface not found: ", request.interfaceName.c_str());
        }
    } else if (adapters.size() != 1) {
        return Error(kStatusNoInterface,
                     adapters.empty() ? "No network interface found"
                                      : "Several interfaces: name one with /interface",
                     "");
    } else {
        adapter = &adapters.front();
    }

    ApplyReport report = RunApply(registry, profile, platform, platform.Route(), *adapter,
                                  *configuration, request.restart);
    CheckLiveUse(platform, *adapter, *configuration, report);
    return Reported(report);
}

// The elevated copy checks everything again and writes itself, whatever its
// rights: it never starts another copy.
CommandOutcome ApplyElevated(const ElevatedApply& order, Registry& registry,
                             const PlatformProfile& profile, ApplyPlatform& platform,
                             unsigned codePage) {
    AdapterList adapters;
    EnumerateInterfaces(registry, profile, adapters, nullptr);
    const AdapterEntry* adapter = FindInterfaceByName(adapters, order.interfaceName.c_str(), codePage);
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
                          const char* configPath, unsigned codePage) {
    CommandOutcome outcome;
    switch (request.action) {
        case CommandAction::kApply:
            outcome = Apply(request, registry, profile, platform, configPath, codePage);
            break;
        case CommandAction::kElevatedApply:
            return ApplyElevated(request.elevated, registry, profile, platform, codePage);
        case CommandAction::kRestartHelper:
            outcome.exitCode = platform.RestartInterface(request.restartSubkey.c_str());
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
    if (request.quiet) outcome.message = CommandMessage::kNothing;
    return outcome;
}

CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, ApplyPlatform& platform,
                          const char* configPath) {
    return RunCommand(request, registry, profile, platform, configPath, AnsiCodePage());
}
