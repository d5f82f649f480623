#include "ui/AddConfigurationDialog.h"

#include "config/ConfigurationList.h"
#include "config/Validation.h"
#include "resource.h"
#include "ui/MessageBoxPrompts.h"
#include "ui/UiServices.h"

namespace {

constexpr const char kDhcpAddressText[] = "0.0.0.0";
constexpr const char kCompleteAllFields[] = "Complete all fields";
constexpr int kAddressLimit = 15;
// The form ipconfig prints, "00-A0-C9-11-22-33", pasted whole.
constexpr int kMacLimit = 17;

// The list the open dialog adds to, and whether it stored a configuration.
struct AddRun {
    ConfigurationList* list;
    bool stored;
};
// Set while the dialog is open.
AddRun* g_run = nullptr;

// The fields that DHCP fills and disables, in the order they are written.
constexpr int kAddressFields[] = {IDC_IP_ADDRESS, IDC_MASK, IDC_GATEWAY, IDC_DNS1, IDC_DNS2};

// The validator reads the dialog's controls through this.
class DialogForm : public ConfigurationForm {
public:
    explicit DialogForm(HWND dialog) : dialog_(dialog) {}

    bool IsDhcpChecked() override { return IsChecked(dialog_, IDC_DHCP); }

    void ReadFieldText(FormField field, char (&text)[kTextFieldSize]) override {
        GetControlText(dialog_, ControlOf(field), text);
    }

private:
    static int ControlOf(FormField field) {
        switch (field) {
            case FormField::Name:
                return IDC_NAME;
            case FormField::IpAddress:
                return IDC_IP_ADDRESS;
            case FormField::MacAddress:
                return IDC_MAC_ADDRESS;
            case FormField::Mask:
                return IDC_MASK;
            case FormField::Gateway:
                return IDC_GATEWAY;
            case FormField::Dns1:
                return IDC_DNS1;
            case FormField::Dns2:
                return IDC_DNS2;
        }
        return IDC_NAME;
    }

    HWND dialog_;
};

void OnInitDialog(HWND dialog) {
    SetControlText(dialog, IDC_MAC_ADDRESS, kDefaultMacAddress);
    LimitText(dialog, IDC_IP_ADDRESS, kAddressLimit);
    LimitText(dialog, IDC_MAC_ADDRESS, kMacLimit);
    LimitText(dialog, IDC_MASK, kAddressLimit);
    LimitText(dialog, IDC_GATEWAY, kAddressLimit);
    LimitText(dialog, IDC_DNS1, kAddressLimit);
    LimitText(dialog, IDC_DNS2, kAddressLimit);
}

// DHCP on fills the address fields with "0.0.0.0" and disables them; off
// only enables them again, keeping their texts.
void OnDhcpToggled(HWND dialog) {
    const bool on = SendMessageA(GetDlgItem(dialog, IDC_DHCP), BM_GETCHECK, 0, 0) != BST_UNCHECKED;
    if (on) {
        for (int id : kAddressFields)
            SetControlText(dialog, id, kDhcpAddressText);
    }
    for (int id : kAddressFields)
        EnableControl(dialog, id, !on);
}

void OnAdd(HWND dialog) {
    // Another add is still waiting for its overwrite answer.
    if (g_run->list->Busy()) return;
    Configuration record{};
    const char* message = "";
    DialogForm form(dialog);
    if (!ValidateConfigurationForm(form, record, message)) {
        ShowError(dialog, message[0] != '\0' ? message : kCompleteAllFields);
        return;
    }
    // The overwrite question has no owner, as the list asks it.
    MessageBoxPrompts prompts(nullptr);
    if (!AddConfiguration(*g_run->list, record, prompts)) return;
    g_run->stored = true;
    EndDialog(dialog, kDialogResult);
}

INT_PTR CALLBACK AddConfigurationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog);
            return 0;
        case WM_COMMAND:
            // Escape (IDCANCEL) is deliberately not among these.
            switch (LOWORD(wParam)) {
                case IDC_DHCP:
                    OnDhcpToggled(dialog);
                    break;
                case IDC_ADD:
                    OnAdd(dialog);
                    break;
                case IDC_CANCEL:
                    EndDialog(dialog, kDialogResult);
                    break;
                default:
                    break;
            }
            return 0;
        case WM_CLOSE:
        case WM_DESTROY:
            EndDialog(dialog, kDialogResult);
            return 0;
        default:
            return 0;
    }
}

}  // namespace

bool AddConfigurationDialog(HWND owner, ConfigurationList& list) {
    AddRun run{&list, false};
    AddRun* const outer = g_run;
    g_run = &run;
    DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_ADD_CONFIGURATION), owner,
                    AddConfigurationDialogProc, 0);
    g_run = outer;
    return run.stored;
}
