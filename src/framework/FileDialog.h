// The system's save-file dialog behind a replaceable function, so that tests can answer it.
#pragma once

#include <windows.h>

#include <commdlg.h>

using SaveFileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEW* dialog);

// Runs the save-file dialog described by dialog; true when the user accepted a name.
bool ShowSaveFileDialog(OPENFILENAMEW& dialog);

// Replaces the function that runs the dialog; returns the previous one. nullptr restores the
// system's.
SaveFileDialogFunction SetSaveFileDialogFunction(SaveFileDialogFunction function);

// The dialog of this module (COMDLG32, or null when it did not load); where it is missing, a
// stand-in that says so in a message box and saves nothing.
SaveFileDialogFunction SaveFileDialogFrom(HMODULE comdlg32);
