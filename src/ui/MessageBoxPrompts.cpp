#include "ui/MessageBoxPrompts.h"

#include "ui/UiServices.h"

bool MessageBoxPrompts::AskYesNo(const char* text, const char* title) {
    return ShowMessage(owner_, text, title, MB_ICONWARNING | MB_YESNO) == IDYES;
}

void MessageBoxPrompts::ShowError(const char* text, const char* title) {
    ShowMessage(owner_, text, title, MB_ICONERROR);
}
