#include "config/ConfigFile.h"

#include <cstring>
#include <new>
#include <string>

#include "config/FileReplace.h"
#include "config/FileText.h"

namespace {

constexpr const char kErrorTitle[] = "Error";
constexpr const char kTemporarySuffix[] = ".tmp";
// Where a save cut off halfway may have left the file, in the order they are
// put back: the old file moved aside, else the new one complete or not (the
// reader takes its complete blocks).
constexpr const char* kLeftoverSuffixes[] = {kAsideSuffix, kTemporarySuffix};

void ShowFileError(const char* what, const char* path, UserPrompts& prompts) {
    char text[256];
    std::snprintf(text, sizeof text, "%s%s", what, path);
    prompts.ShowError(text, kErrorTitle);
}

FileReadResult ReadOpenFile(std::FILE* file, ConfigurationList& list) {
    try {
        std::string bytes;
        const bool read = ReadWholeFile(file, bytes, kLargestConfigFileBytes);
        if (bytes.size() > kLargestConfigFileBytes) return FileReadResult::kCannotOpen;
        DecodeFileText(bytes, AnsiCodePage());
        // A read error ends the text early: what follows is not in the list.
        return ReadConfigurations(bytes, list) && read ? FileReadResult::kWhole
                                                       : FileReadResult::kPartial;
    } catch (const std::bad_alloc&) {
        return FileReadResult::kPartial;
    }
}

bool IsThere(const char* path, FileCalls& calls) {
    bool absent = false;
    FileHandle file(calls.OpenForReading(path, absent));
    return !absent;
}

// Opens the file to load, putting back what a save cut off halfway left in
// its place. Null when there is nothing to read; `session` tells what is
// still to be kept.
std::FILE* OpenOrPutBack(const char* path, ConfigFileSession& session, FileCalls& calls) {
    bool absent = false;
    std::FILE* file = calls.OpenForReading(path, absent);
    // A file that is there but cannot be read is kept before any replace.
    if (!absent) return file;
    const std::string aside = std::string(path) + kAsideSuffix;
    const std::string temporary = std::string(path) + kTemporarySuffix;
    if (IsThere(aside.c_str(), calls) && IsThere(temporary.c_str(), calls) &&
        !MoveToNextCopy(aside.c_str(), path, calls) &&
        KeepFileCopy(temporary.c_str(), path, calls)) {
        // Kept: the next save need not judge it again.
        calls.RemoveEntry(temporary.c_str());
    }
    for (const char* suffix : kLeftoverSuffixes) {
        session.unkept = suffix;  // until it is put back
        const std::string leftover = std::string(path) + suffix;
        file = calls.OpenForReading(leftover.c_str(), absent);
        if (!file && absent) continue;
        if (!file) return nullptr;
        std::fclose(file);
        if (calls.Move(leftover.c_str(), path)) {
            session.unkept = "";
            return calls.OpenForReading(path, absent);
        }
        // Read where it is; the saves copy it before they write anything.
        return calls.OpenForReading(leftover.c_str(), absent);
    }
    session.unkept = nullptr;  // the first start: there is nothing to lose
    return nullptr;
}

}  // namespace

FileReadResult ReadConfigFile(const char* path, ConfigurationList& list) {
    // Binary mode: the reader handles the line ends itself, the same on every build.
    FileHandle file(std::fopen(path, "rb"));
    if (!file) return FileReadResult::kCannotOpen;
    return ReadOpenFile(file.get(), list);
}

bool LoadConfigurations(const char* path, ConfigurationList& list, UserPrompts& prompts,
                        ConfigFileSession& session, FileCalls& calls) {
    // Until the file is read whole, it is to be kept whole.
    session.unkept = "";
    FileReadResult result = FileReadResult::kPartial;
    try {
        FileHandle file(OpenOrPutBack(path, session, calls));
        result = file ? ReadOpenFile(file.get(), list) : FileReadResult::kCannotOpen;
    } catch (const std::bad_alloc&) {
        result = FileReadResult::kPartial;
    }
    // A leftover that could not be put back is kept by the saves, read whole or not.
    if (result == FileReadResult::kWhole && session.unkept && *session.unkept == '\0') {
        session.unkept = nullptr;
        return true;
    }
    ShowFileError(kConfigFileOpenError, path, prompts);
    return false;
}

bool LoadConfigurations(const char* path, ConfigurationList& list, UserPrompts& prompts,
                        ConfigFileSession& session) {
    FileCalls system;
    return LoadConfigurations(path, list, prompts, session, system);
}

namespace {

// False, with nothing replaced, when the save must stop.
bool KeepWhatWouldBeLost(const char* path, ConfigFileSession& session, FileCalls& calls) {
    if (session.unkept == nullptr) return KeepUnreadableFile(path, calls);
    const std::string unkept = std::string(path) + session.unkept;
    if (!KeepFileCopy(unkept.c_str(), path, calls)) return false;
    const bool fileItself = *session.unkept == '\0';
    session.unkept = nullptr;
    // That copy keeps the file as the load found it; a leftover's copy does not.
    return fileItself || KeepUnreadableFile(path, calls);
}

bool Save(const char* path, const ConfigurationList& list, UserPrompts& prompts,
          ConfigFileSession& session, FileCalls& calls) {
    const std::string temporaryPath = std::string(path) + kTemporarySuffix;
    // A leftover the session read from is copied whatever it holds.
    const bool temporaryKept =
        session.unkept != nullptr && std::strcmp(session.unkept, kTemporarySuffix) == 0;
    if (!KeepWhatWouldBeLost(path, session, calls) ||
        (!temporaryKept && !KeepLeftoverTemporary(temporaryPath.c_str(), path, calls))) {
        ShowFileError("Error writing config file ", path, prompts);
        return false;
    }
    // The old file stays untouched until the new one is complete on disk.
    FileHandle file(CreateFileAfresh(temporaryPath.c_str(), calls));
    if (!file) {
        ShowFileError(kConfigFileOpenError, path, prompts);
        return false;
    }

    bool written = WriteConfigurations(file.get(), list) && calls.CommitToDisk(file.get());
    written = std::fclose(file.release()) == 0 && written;
    if (written && ReplaceFile(temporaryPath.c_str(), path, calls)) return true;

    calls.RemoveEntry(temporaryPath.c_str());
    ShowFileError("Error writing config file ", path, prompts);
    return false;
}

}  // namespace

bool SaveConfigurations(const char* path, const ConfigurationList& list, UserPrompts& prompts,
                        ConfigFileSession& session, FileCalls& calls) {
    try {
        return Save(path, list, prompts, session, calls);
    } catch (const std::bad_alloc&) {
        // Never while the temporary file is open; one left is removed by the next save.
        ShowFileError("Error writing config file ", path, prompts);
        return false;
    }
}

bool SaveConfigurations(const char* path, const ConfigurationList& list, UserPrompts& prompts,
                        ConfigFileSession& session) {
    FileCalls system;
    return SaveConfigurations(path, list, prompts, session, system);
}
