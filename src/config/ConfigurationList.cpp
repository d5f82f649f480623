#include "config/ConfigurationList.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

namespace {

constexpr std::size_t kQuestionSize = 256;
constexpr const char kWarningTitle[] = "Warning";

}  // namespace

bool ConfigurationList::Append(const Configuration& record) {
    if (busy_) return false;
    try {
        records_.push_back(record);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void ConfigurationList::Reserve(std::size_t count) {
    if (busy_) return;
    try {
        records_.reserve(records_.size() + count);
    } catch (const std::exception&) {
        // A list that grows as it goes reads the same records.
    }
}

std::size_t ConfigurationList::IndexOf(const char* name) const {
    for (std::size_t index = 0; index < records_.size(); ++index) {
        if (std::strcmp(records_[index].name, name) == 0) return index;
    }
    return records_.size();
}

bool AddConfiguration(ConfigurationList& list, Configuration record, UserPrompts& prompts) {
    if (list.busy_) return false;

    const std::size_t found = list.IndexOf(record.name);
    if (found == list.Size()) return list.Append(record);

    char question[kQuestionSize];
    std::snprintf(question, sizeof question, "%s%s%s", "The name ", record.name,
                  " is already in use.\nDo you want to overwrite?");
    bool overwrite;
    {
        ConfigurationList::BusyScope busy(list);
        overwrite = prompts.AskYesNo(question, kWarningTitle);
    }
    if (!overwrite) return false;

    // Moving the old record to the end and overwriting it there needs no
    // memory, so a replacement can never lose the record it replaces.
    std::vector<Configuration>& records = list.records_;
    std::rotate(records.begin() + static_cast<std::ptrdiff_t>(found),
                records.begin() + static_cast<std::ptrdiff_t>(found) + 1, records.end());
    records.back() = record;
    return true;
}

const Configuration* FindConfigurationByName(const ConfigurationList& list, const char* name) {
    if (list.Busy()) return nullptr;
    for (const Configuration& record : list) {
        if (std::strcmp(record.name, name) == 0) return &record;
    }
    return nullptr;
}

bool DeleteConfigurationByName(ConfigurationList& list, const char* name, UserPrompts& prompts) {
    if (list.busy_) return false;
    const std::size_t found = list.IndexOf(name);
    if (found == list.Size()) return false;

    char question[kQuestionSize];
    // "goy" is the program's own text, as its users know it; left as it is.
    std::snprintf(question, sizeof question, "%s%s\n%s", "You're goy to delete the configuration ",
                  list[found].name, "Do you want to continue?");
    bool remove;
    {
        ConfigurationList::BusyScope busy(list);
        remove = prompts.AskYesNo(question, kWarningTitle);
    }
    if (!remove) return false;
    list.records_.erase(list.records_.begin() + static_cast<std::ptrdiff_t>(found));
    return true;
}
