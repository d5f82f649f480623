// Helpers for the configuration tests: scripted answers to the questions, a
// scratch directory per test, whole-file reads and writes, record building.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/BoundedText.h"
#include "config/Configuration.h"
#include "config/UserPrompts.h"

struct Prompt {
    std::string text;
    std::string title;
};

// Answers questions from a script and keeps every question and notice.
class ScriptedPrompts : public UserPrompts {
public:
    std::deque<bool> answers;
    std::vector<Prompt> questions;
    std::vector<Prompt> errors;
    std::function<void()> whileAsking;  // runs while a question is open

    bool AskYesNo(const char* text, const char* title) override {
        questions.push_back({text, title});
        if (whileAsking) whileAsking();
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowError(const char* text, const char* title) override {
        errors.push_back({text, title});
    }
};

// A fresh directory under the system's temporary folder, removed afterwards.
class ScratchDirectory {
public:
    ScratchDirectory() {
        static unsigned counter = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("nicset-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string File(const char* name) const { return (path_ / name).string(); }
    // The names of the files left in the directory.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path_;
};

// The file's bytes, "" when there is no file; one read, as files run to 64 MB.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return "";
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0).read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Makes `link` a second name of the existing file `target`, as someone who
// plants a link would: a symbolic link natively, a hard link on Windows.
// Defined beside each platform's failed-save test.
bool PlantLink(const std::string& target, const std::string& link);

// While one lives, any one allocation of more than `bytes` fails with
// std::bad_alloc, as when memory runs out; the test program's operator new
// (ConfigFileTest.cpp) asks it.
class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t bytes) { Largest() = bytes; }
    ~AllocationLimit() { Largest() = SIZE_MAX; }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

    static std::size_t& Largest() {
        static std::size_t largest = SIZE_MAX;
        return largest;
    }
};

struct RecordTexts {
    std::string name;
    bool dhcp = false;
    std::string ipAddress = "", macAddress = "", mask = "", gateway = "", dns1 = "", dns2 = "";
};

inline Configuration MakeRecord(const RecordTexts& texts) {
    Configuration record{};
    CopyText(record.name, texts.name.c_str());
    record.dhcpEnabled = texts.dhcp ? 1 : 0;
    CopyText(record.ipAddress, texts.ipAddress.c_str());
    CopyText(record.macAddress, texts.macAddress.c_str());
    CopyText(record.mask, texts.mask.c_str());
    CopyText(record.gateway, texts.gateway.c_str());
    CopyText(record.dns1, texts.dns1.c_str());
    CopyText(record.dns2, texts.dns2.c_str());
    return record;
}

inline RecordTexts TextsOf(const Configuration& record) {
    return {record.name, record.dhcpEnabled != 0, record.ipAddress, record.macAddress,
            record.mask, record.gateway,          record.dns1,      record.dns2};
}

inline bool operator==(const RecordTexts& a, const RecordTexts& b) {
    return a.name == b.name && a.dhcp == b.dhcp && a.ipAddress == b.ipAddress &&
           a.macAddress == b.macAddress && a.mask == b.mask && a.gateway == b.gateway &&
           a.dns1 == b.dns1 && a.dns2 == b.dns2;
}

inline std::ostream& operator<<(std::ostream& out, const RecordTexts& t) {
    return out << "{" << t.name << "|" << (t.dhcp ? "Si" : "No") << "|" << t.ipAddress << "|"
               << t.macAddress << "|" << t.mask << "|" << t.gateway << "|" << t.dns1 << "|"
               << t.dns2 << "}";
}

template <typename List>
std::vector<RecordTexts> TextsOf(const List& list) {
    std::vector<RecordTexts> texts;
    for (const Configuration& record : list)
        texts.push_back(TextsOf(record));
    return texts;
}
