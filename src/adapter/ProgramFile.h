// This program's own file, named in any language. On the "NT" family the
// wide calls give it whole, where the ANSI ones turn a folder named in
// another script into question marks; they are looked up at run time, so
// that the program still loads on the "98" family, whose ANSI calls are
// used there. Windows only (ProgramFile_win.cpp).
#pragma once

#include <string>

// Whether this is the "NT" family, from the version word.
bool IsNtFamilyProcess();

// The full path of the running program; empty when it cannot be had, the
// thread's last error then saying why.
std::wstring OwnProgramFile();

// Text of the ANSI code page as wide text, and back (what does not fit
// becomes the code page's default character).
std::wstring WidenAnsi(const std::string& text);
std::string NarrowToAnsi(const std::wstring& text);
