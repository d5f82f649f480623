// How the list and the configuration file put a question or a notice to the
// user. The Windows side answers with message boxes; tests answer in code.
#pragma once

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A question with the warning icon and Yes/No buttons; true for Yes.
    virtual bool AskYesNo(const char* text, const char* title) = 0;

    // A notice with the error icon and an OK button.
    virtual void ShowError(const char* text, const char* title) = 0;
};
