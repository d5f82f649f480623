// DLLs that older Windows may lack (SetupAPI, IP Helper) are loaded when a
// call asks for them, never imported, so that the program still starts on
// the "98" family. Each comes from the system folder by its full path: a
// bare name would be looked for in the program's folder first, where anyone
// may have put a DLL of that name. Windows only (SystemLibrary_win.cpp).
#pragma once

#include <cstdint>

// The system folder's DLL `name`, such as "setupapi.dll", loaded; null on
// failure, `error` then saying why (never 0). FreeSystemLibrary lets it go.
void* LoadSystemLibrary(const char* name, std::uint32_t& error);
void FreeSystemLibrary(void* library);

// The address of the function `name` of `library`; null when it lacks it.
void* LibraryFunction(void* library, const char* name);

// The same into `function`, whose type is the SDK's own
// (decltype(&::Function)); false when it is missing.
template <typename Function>
bool FindFunction(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(LibraryFunction(library, name));
    return function != nullptr;
}
