// Leaves libstdc++'s demangler out of the program (about 48 KB of it). Its
// only caller is the default terminate handler, which names an uncaught
// exception's type on stderr before it aborts; a windowed program has no
// stderr, so nobody reads that name. The link wraps __cxa_demangle to this
// stub (src/CMakeLists.txt), and the handler writes the type's raw name
// instead; the abort that follows is the same.
#include <cstddef>

extern "C" char* __wrap___cxa_demangle(const char*, char*, std::size_t*, int* status) {
    // -2: "not a valid mangled name", which makes the caller print the raw one.
    if (status != nullptr) *status = -2;
    return nullptr;
}
