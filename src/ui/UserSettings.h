// What Nicset remembers for the user between starts, in
// HKEY_CURRENT_USER\Software\Nicset: the machine's network settings stay in
// HKEY_LOCAL_MACHINE, and Nicset.conf in the working folder.
#pragma once

#include <string>

// "RestartInterface": whether Apply restarts the interface. A missing or
// unreadable value means no.
bool ReadRestartPreference();
void WriteRestartPreference(bool restart);

// "Interface": the shown name of the interface the user picked last, or "".
std::string ReadLastInterface();
void WriteLastInterface(const char* name);
