// Holds the Wine session's desktop from the harness's setup to its teardown,
// as a logged-on user's desktop lives on Windows. Wine closes a desktop a
// second after the last program that used it exits; a program started just
// then waits on the closing desktop before its first window can show, far
// longer than a start takes. Started by scripts/wine-harness.sh.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A window of its own, never shown, makes this process a user of the
    // desktop; nothing on the screen changes.
    if (CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr) ==
        nullptr)
        return 1;
    // The harness waits for this file in the working folder before it goes on.
    HANDLE ready = CreateFileA("keeper.ready", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(ready);
    // The teardown stops the server, and this process with it.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
