// The saved configurations, in the order they were added (file order after a
// load), with the add-or-replace, delete and lookup rules of the main window.
#pragma once

#include <cstddef>
#include <vector>

#include "config/Configuration.h"
#include "config/UserPrompts.h"

class ConfigurationList {
public:
    using const_iterator = std::vector<Configuration>::const_iterator;

    std::size_t Size() const { return records_.size(); }
    const Configuration& operator[](std::size_t index) const { return records_[index]; }
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }

    // Appends without any question (the file loader). False when memory for
    // the record cannot be had, or while a question is open; the list is then
    // unchanged.
    bool Append(const Configuration& record);

    // Makes room for `count` records in one piece, so that a load of many
    // does not copy them over and over as the list grows. Only a hint: when
    // the memory cannot be had, nothing changes.
    void Reserve(std::size_t count);

    // True while the overwrite or the delete question is open. The question
    // keeps a position in the list, so no other operation may change it then.
    bool Busy() const { return busy_; }

private:
    friend bool AddConfiguration(ConfigurationList&, Configuration, UserPrompts&);
    friend bool DeleteConfigurationByName(ConfigurationList&, const char*, UserPrompts&);

    // Marks the list busy for the lifetime of a question.
    class BusyScope {
    public:
        explicit BusyScope(ConfigurationList& list) : list_(list) { list_.busy_ = true; }
        ~BusyScope() { list_.busy_ = false; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        ConfigurationList& list_;
    };

    // Index of the first record named `name`, or Size() when there is none.
    std::size_t IndexOf(const char* name) const;

    std::vector<Configuration> records_;
    bool busy_ = false;
};

// Adds `record` at the end. When a record of the same name exists, asks
// whether to overwrite it; Yes removes the first such record and appends the
// new one (so it becomes the last), No leaves the list unchanged. Returns
// `stored`: false only when the user declined, the list was busy or memory
// ran out.
bool AddConfiguration(ConfigurationList& list, Configuration record, UserPrompts& prompts);

// The first record whose name equals `name` exactly (case and blanks count),
// or nullptr. Also nullptr while the list is busy.
const Configuration* FindConfigurationByName(const ConfigurationList& list, const char* name);

// Asks whether to delete the first record named `name` and removes it on Yes.
// True when a record was removed. Nothing is asked when no record has the name.
bool DeleteConfigurationByName(ConfigurationList& list, const char* name, UserPrompts& prompts);
