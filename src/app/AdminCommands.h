// The command line's /backup and /list, which do what the BackUp button and
// the window's two lists do, and the lines an administrator's script reads:
// /list's lines, the ending line and the log line. Platform-free: tested
// natively.
#pragma once

#include <cstddef>
#include <string>

#include "adapter/Interfaces.h"
#include "adapter/PlatformProfile.h"
#include "adapter/Registry.h"
#include "app/ApplyCommand.h"
#include "config/FileReplace.h"
#include "config/UserPrompts.h"

// The statuses of /backup beyond those an Apply has.
enum AdminStatus : int {
    kStatusNameExists = 11,  // a configuration of that name exists; nothing saved
    kStatusWindowOpen = 12,  // a Nicset window has the file open; nothing saved
    kStatusSaveFailed = 13,  // the save failed; the old file is untouched
};

constexpr const char kLogOpenError[] = "The log file cannot be written: ";
constexpr const char kWindowOpenError[] =
    "Close Nicset's window first: it saves Nicset.conf when it closes";
constexpr const char kNameExistsError[] = "A configuration of that name exists: ";
constexpr const char kConfigFileWriteError[] = "Error writing config file ";

// /list in a box shows this many lines, then how many more there are.
constexpr std::size_t kListingBoxLines = 30;

// What /backup and /list need of the machine beyond the registry.
class AdminHost {
public:
    virtual ~AdminHost() = default;
    // Whether a Nicset window holds the configuration file `path` open: it
    // saves the file when it closes, over whatever a command wrote.
    virtual bool WindowHoldsConfigFile(const char* path) = 0;
    // The interface's live state as the main window's status bar words it;
    // "" where it cannot be read.
    virtual std::string LiveState(const AdapterEntry& adapter) = 0;
    // Whether the window's interface list shows `first` before `second`.
    virtual bool ListedBefore(const char* first, const char* second) = 0;
    // The file system calls of the load and the save.
    virtual FileCalls& Files() = 0;
};

// No window, no live state, names in ASCII order with letter case aside, and
// the system's own file calls.
AdminHost& PlainAdminHost();

// Prompts that show nothing: a command's one box, or its one ending line, is
// its ending. Every question gets `answer`.
class SilentPrompts : public UserPrompts {
public:
    explicit SilentPrompts(bool answer) : answer_(answer) {}
    bool AskYesNo(const char*, const char*) override { return answer_; }
    void ShowError(const char*, const char*) override {}

private:
    bool answer_;
};

// /backup: the interface's current settings saved as `request.configuration`
// with the program's own load and save. Statuses in this order: 12, 3, 4,
// 11, 13; the file is written only on success.
CommandOutcome RunBackup(const CommandRequest& request, Registry& registry,
                         const PlatformProfile& profile, const char* configPath, unsigned codePage,
                         AdminHost& host);

// /list: a line for every interface in the window's order, then one for every
// configuration in the file's order; status 3, with the interface lines
// alone, when the file cannot be read.
CommandOutcome RunList(Registry& registry, const PlatformProfile& profile, const char* configPath,
                       AdminHost& host);

// `text` for one column: each tab, CR or LF byte a blank.
std::string OneColumn(const char* text);

// `text` on one line: each line break (CR LF, LF or CR) written as " / ".
std::string OneLine(const std::string& text);

// The text of the message that `outcome` ends with, /quiet or not.
std::string EndingText(const CommandOutcome& outcome, const PlatformProfile& profile,
                       const char* interfaceName);

// The status, a tab and the message on one line, then CR LF.
std::string EndingLine(std::uint32_t status, const std::string& text);

// What one log line records, each field as it is to stand.
struct LogRecord {
    std::string time;  // "YYYY-MM-DD hh:mm:ss", local time
    std::string computer;
    std::string user;
    std::string command;  // "apply", "backup" or "list"
    std::string configuration;
    std::string interfaceName;
    std::uint32_t status = 0;
    std::string message;
};

// The record's 8 fields, tab-separated, then CR LF; a tab or a line break
// inside a field cannot split it.
std::string LogLine(const LogRecord& record);

// What a box shows of /list's lines: the first kListingBoxLines, then
// "... and <n> more"; without the CR of each line end.
std::string ListingBoxText(const std::string& listing);
