#include "config/ConfigFile.h"

#include <string>

#include "config/FileReplace.h"
#include "config/FileText.h"

namespace {

constexpr const char kErrorTitle[] = "Error";

void ShowFileError(const char* what, const char* path, UserPrompts& prompts) {
    char text[256];
    std::snprintf(text, sizeof text, "%s%s", what, path);
    prompts.ShowError(text, kErrorTitle);
}

}  // namespace

FileReadResult ReadConfigFile(const char* path, ConfigurationList& list) {
    // Binary mode: the reader handles the line ends itself, the same on every build.
    FileHandle file(std::fopen(path, "rb"));
    if (!file) return FileReadResult::kCannotOpen;
    // A read error ends the load as the end of the file does.
    std::string bytes;
    ReadWholeFile(file.get(), bytes, kLargestConfigFileBytes);
    file.reset();
    if (bytes.size() > kLargestConfigFileBytes) return FileReadResult::kCannotOpen;
    DecodeFileText(bytes);
    return ReadConfigurations(bytes, list) ? FileReadResult::kWhole : FileReadResult::kPartial;
}

bool LoadConfigurations(const char* path, ConfigurationList& list, UserPrompts& prompts) {
    const FileReadResult result = ReadConfigFile(path, list);
    if (result == FileReadResult::kWhole) return true;
    // The list cannot hold the whole file, and the save at closing would
    // replace the file with what it holds: the file is kept first.
    if (result == FileReadResult::kPartial) {
        FileCalls system;
        KeepFileCopy(path, system);
    }
    ShowFileError(kConfigFileOpenError, path, prompts);
    return false;
}

bool SaveConfigurations(const char* path, const ConfigurationList& list, UserPrompts& prompts,
                        FileCalls& calls) {
    if (!KeepUnreadableFile(path, calls)) {
        ShowFileError("Error writing config file ", path, prompts);
        return false;
    }
    // The old file stays untouched until the new one is complete on disk.
    const std::string temporaryPath = std::string(path) + ".tmp";
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

bool SaveConfigurations(const char* path, const ConfigurationList& list, UserPrompts& prompts) {
    FileCalls system;
    return SaveConfigurations(path, list, prompts, system);
}
