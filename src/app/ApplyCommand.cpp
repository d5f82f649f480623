#include "app/ApplyCommand.h"

#include <cstdio>

#include "adapter/Interfaces.h"
#include "config/ConfigFile.h"
#include "config/ConfigurationList.h"
#include "config/FileText.h"

namespace {

// Cut to the message's size: a name on the command line may be of any length.
CommandOutcome Error(int status, const char* text, const char* detail) {
    CommandOutcome outcome;
    outcome.status = status;
    outcome.message = CommandMessage::kError;
    std::snprintf(outcome.text, sizeof outcome.text, "%s%s", text, detail);
    return outcome;
}

int StatusOf(ApplyResult result) {
    switch (result) {
        case ApplyResult::kApplied:
            return kStatusApplied;
        case ApplyResult::kRefused:
            return kStatusRefused;
        case ApplyResult::kPutBack:
        case ApplyResult::kAccessDenied:  // nothing written either
            return kStatusPutBack;
        case ApplyResult::kPartlyChanged:
            break;
    }
    return kStatusPartlyChanged;
}

CommandOutcome Apply(const CommandRequest& request, Registry& registry,
                     const PlatformProfile& profile, const char* configPath, unsigned codePage) {
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

    CommandOutcome outcome;
    outcome.applyResult = ApplyInterfaceSettings(registry, profile, *adapter, *configuration);
    outcome.status = StatusOf(outcome.applyResult);
    outcome.message = CommandMessage::kApplyResult;
    return outcome;
}

}  // namespace

CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, const char* configPath,
                          unsigned codePage) {
    CommandOutcome outcome;
    if (request.action == CommandAction::kApply) {
        outcome = Apply(request, registry, profile, configPath, codePage);
    } else {
        outcome.status =
            request.action == CommandAction::kShowUsage ? kStatusApplied : kStatusWrongCommandLine;
        outcome.message = CommandMessage::kUsage;
    }
    if (request.quiet) outcome.message = CommandMessage::kNothing;
    return outcome;
}

CommandOutcome RunCommand(const CommandRequest& request, Registry& registry,
                          const PlatformProfile& profile, const char* configPath) {
    return RunCommand(request, registry, profile, configPath, AnsiCodePage());
}
