// Saves and loads a configuration file of 10,000 configurations, reads the
// same bytes raw and times the load's parse and its list apart, for
// comparison, and loads and saves a hostile file of 20 MB of block-ending
// lines. Not a test: scripts/bench.sh runs it and turns the
// "row" lines it prints into one table.
//   bench_config_file [folder] [rounds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/BoundedText.h"
#include "config/ConfigFile.h"

namespace {

constexpr int kRecords = 10000;
constexpr std::size_t kHostileBytes = 20u << 20;

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

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long FileBytes(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    long bytes = -1;
    if (file && std::fseek(file, 0, SEEK_END) == 0) bytes = std::ftell(file);
    if (file) std::fclose(file);
    return bytes;
}

// The bytes of the file, read in one call: what a load cannot beat.
std::string RawRead(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return {};
    std::string bytes(static_cast<std::size_t>(FileBytes(path)), '\0');
    bytes.resize(std::fread(&bytes[0], 1, bytes.size(), file));
    std::fclose(file);
    return bytes;
}

// One table row: what, best and median in ms, rounds, and a remark. A row
// without times (the work was refused) gives its remark alone.
void Row(const char* what, std::vector<double> times, const std::string& remark) {
    if (times.empty()) {
        std::printf("row\t%s\t-\t-\t0\t%s\n", what, remark.c_str());
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf("row\t%s\t%.1f\t%.1f\t%zu\t%s\n", what, times.front(), times[times.size() / 2],
                times.size(), remark.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    const int rounds = std::max(argc > 2 ? std::atoi(argv[2]) : 5, 1);
    const std::string path = folder + "/bench-Nicset.conf";
    const ConfigurationList list = MakeList();
    PrintedPrompts prompts;
    ConfigFileSession session;
    std::vector<double> saves, loads, raws, parses, fills;
    std::size_t loaded = 0;
    for (int round = 0; round < rounds; ++round) {
        Clock::time_point start = Clock::now();
        if (!SaveConfigurations(path.c_str(), list, prompts, session)) return 1;
        saves.push_back(Since(start));

        // Each list is gone before the next is made, so that all of them
        // get memory alike: under Wine always fresh from the system (every
        // new page a fault), natively what the C library kept from the last.
        {
            ConfigurationList read;
            start = Clock::now();
            if (!LoadConfigurations(path.c_str(), read, prompts, session)) return 1;
            loads.push_back(Since(start));
            loaded = read.Size();
        }

        start = Clock::now();
        const std::string bytes = RawRead(path);
        raws.push_back(Since(start));

        // The load's two parts alone: the text parsed into a list, and the
        // list filled with the same records without any parsing.
        {
            ConfigurationList parsed;
            start = Clock::now();
            ReadConfigurations(bytes, parsed);
            parses.push_back(Since(start));
        }
        {
            ConfigurationList filled;
            start = Clock::now();
            filled.Reserve(list.Size());
            for (const Configuration& record : list)
                filled.Append(record);
            fills.push_back(Since(start));
        }
    }
    const long bytes = FileBytes(path);
    std::remove(path.c_str());
    const std::string size = std::to_string(bytes) + " bytes";
    Row("save 10,000 (written, flushed, replaced)", saves, size);
    Row("load 10,000", loads, std::to_string(loaded) + " read");
    Row("raw read of the same bytes (one fread)", raws, size);
    Row("load's parse alone: the bytes in memory to a list", parses, "");
    Row("load's list alone: 10,000 appends to a new list", fills,
        std::to_string(list.Size() * sizeof(Configuration) >> 10) + " KB of records");

    // Every line completes a record: the most records a file of its size can give.
    std::string hostile;
    const std::string line = "2- Sevidor DNS:\n";
    while (hostile.size() + line.size() <= kHostileBytes)
        hostile += line;
    const std::string hostilePath = folder + "/bench-hostile.conf";
    std::FILE* file = std::fopen(hostilePath.c_str(), "wb");
    if (!file || std::fwrite(hostile.data(), 1, hostile.size(), file) != hostile.size()) return 1;
    std::fclose(file);
    const std::size_t records = hostile.size() / line.size();
    std::string().swap(hostile);
    ConfigurationList many;
    ConfigFileSession hostileSession;
    Clock::time_point start = Clock::now();
    const bool whole = LoadConfigurations(hostilePath.c_str(), many, prompts, hostileSession);
    const double load = Since(start);
    if (whole) {
        start = Clock::now();
        const bool saved = SaveConfigurations(hostilePath.c_str(), many, prompts, hostileSession);
        const double save = Since(start);
        const long written = FileBytes(hostilePath);
        Row("hostile 20 MB: load", {load}, std::to_string(many.Size()) + " records");
        Row("hostile 20 MB: save", {save},
            saved ? std::to_string(written) + " bytes written" : "save failed");
    } else {
        // A program that cannot hold them all (the 32-bit one) refuses the
        // load; the table says so and goes on.
        Row("hostile 20 MB: load", {},
            "refused: memory, " + std::to_string(many.Size()) + " of " + std::to_string(records) +
                " records read");
        Row("hostile 20 MB: save", {}, "not run: the load was refused");
    }
    std::remove(hostilePath.c_str());
    for (const char* suffix : {".bak", ".tmp"})
        std::remove((hostilePath + suffix).c_str());
    return loaded == static_cast<std::size_t>(kRecords) ? 0 : 1;
}
