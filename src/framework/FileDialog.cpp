// The save-file dialog in force; the system's is loaded from the system folder when first shown.
#include "framework/FileDialog.h"

#include "framework/MessageBox.h"
#include "framework/SystemLibrary.h"

namespace {

BOOL WINAPI NoSaveFileDialog(OPENFILENAMEW*)
{
    AppMessageBox(L"The save dialog cannot be shown: COMDLG32.DLL could not be loaded from the Windows system "
                  L"folder.",
                  MB_ICONERROR);
    return FALSE;
}

// Loaded at its first showing, not imported: under Wine the dialog's DLL brings the printing DLLs
// along, and those were looked for beside the program while it started.
BOOL WINAPI SystemSaveFileDialog(OPENFILENAMEW* dialog)
{
    static const SaveFileDialogFunction system = SaveFileDialogFrom(LoadSystemLibrary(L"comdlg32.dll"));
    return system(dialog);
}

SaveFileDialogFunction g_saveFileDialog = SystemSaveFileDialog;

} // namespace

SaveFileDialogFunction SaveFileDialogFrom(HMODULE comdlg32)
{
    SaveFileDialogFunction function = nullptr;
    SystemFunctions dialogs(comdlg32);
    dialogs.Find(function, "GetSaveFileNameW");
    return dialogs.Complete() ? function : NoSaveFileDialog;
}

bool ShowSaveFileDialog(OPENFILENAMEW& dialog)
{
    return g_saveFileDialog(&dialog) != FALSE;
}

SaveFileDialogFunction SetSaveFileDialogFunction(SaveFileDialogFunction function)
{
    SaveFileDialogFunction previous = g_saveFileDialog;
    g_saveFileDialog = function ? function : SystemSaveFileDialog;
    return previous;
}
