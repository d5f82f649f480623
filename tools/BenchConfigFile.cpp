// Saves and loads a configuration file of 10,000 configurations and prints
// the times. Not a test: run it by hand, optionally with a scratch folder.
//   bench_config_file [folder]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/BoundedText.h"
#include "config/ConfigFile.h"

namespace {

constexpr int kRecords = 10000;
constexpr int kRounds = 5;

class PrintedPrompts : public UserPrompts {
public:
    bool AskYesNo(const char*, const char*) override { return false; }
    void ShowError(const char* text, const char*) override { std::fprintf(stderr, "%s\n", text); }
};

ConfigurationList MakeList() {
    ConfigurationList list;
    char text[kTextFieldSize];
    for (int i = 0; i < kRecords; ++i) {
        Configuration record{};
        std::snprintf(text, sizeof text, "Configuration %05d", i);
        CopyText(record.name, text);
        record.dhcpEnabled = i % 3 == 0 ? 1 : 0;
        std::snprintf(text, sizeof text, "10.%d.%d.%d", i / 65536, i / 256 % 256, i % 254 + 1);
        CopyText(record.ipAddress, text);
        CopyText(record.macAddress, i % 2 ? kDefaultMacAddress : "00:0C:29:3A:1B:2C");
        CopyText(record.mask, "255.255.255.0");
        CopyText(record.gateway, "10.0.0.1");
        CopyText(record.dns1, "192.168.100.201");
        CopyText(record.dns2, "192.168.100.202");
        if (!list.Append(record)) return list;
    }
    return list;
}

double Milliseconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = std::string(argc > 1 ? argv[1] : ".") + "/bench-Nicset.conf";
    const ConfigurationList list = MakeList();
    PrintedPrompts prompts;
    std::vector<double> saves;
    std::vector<double> loads;
    std::size_t loaded = 0;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        if (!SaveConfigurations(path.c_str(), list, prompts)) return 1;
        saves.push_back(Milliseconds(std::chrono::steady_clock::now() - start));

        ConfigurationList read;
        start = std::chrono::steady_clock::now();
        if (!LoadConfigurations(path.c_str(), read, prompts)) return 1;
        loads.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
        loaded = read.Size();
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    long bytes = -1;
    if (file && std::fseek(file, 0, SEEK_END) == 0) bytes = std::ftell(file);
    if (file) std::fclose(file);
    std::remove(path.c_str());

    std::sort(saves.begin(), saves.end());
    std::sort(loads.begin(), loads.end());
    std::printf("%d configurations, %ld bytes, %d rounds\n", kRecords, bytes, kRounds);
    std::printf("save: best %.1f ms, median %.1f ms (written, flushed to disk, replaced)\n",
                saves.front(), saves[kRounds / 2]);
    std::printf("load: best %.1f ms, median %.1f ms (%zu configurations read)\n", loads.front(),
                loads[kRounds / 2], loaded);
    return loaded == static_cast<std::size_t>(kRecords) ? 0 : 1;
}
