#include "ui/MainWindow.h"

#include "resource.h"
#include "ui/UiServices.h"

// TODO: interfaces, configurations, Apply, Add, Delete, BackUp, help and the
// maker label. For now the window only closes.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_EXIT) EndDialog(dialog, kDialogResult);
        return FALSE;
    case WM_CLOSE:
    case WM_DESTROY:
        EndDialog(dialog, kDialogResult);
        return FALSE;
    default:
        return FALSE;
    }
}
