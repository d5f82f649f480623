// Questions and notices of the configuration list and file, as message boxes.
#pragma once

#include <windows.h>

#include "config/UserPrompts.h"

class MessageBoxPrompts : public UserPrompts {
public:
    // `owner` may be null: the box then has no owner window.
    explicit MessageBoxPrompts(HWND owner) : owner_(owner) {}

    bool AskYesNo(const char* text, const char* title) override;
    void ShowError(const char* text, const char* title) override;

private:
    HWND owner_;
};
