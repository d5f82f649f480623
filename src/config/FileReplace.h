// The two steps of a safe save that differ between platforms.
#pragma once

#include <cstdio>

// Flushes the file's buffers and asks the system to put its data on the disk.
// False when either fails.
bool CommitFileToDisk(std::FILE* file);

// Puts the file `source` in place of `target` in one step: afterwards
// `target` is either the old file or the whole new one, never a mix. False
// when the replacement failed; `target` is then unchanged.
bool ReplaceFileAtomically(const char* source, const char* target);
