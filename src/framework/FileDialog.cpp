// The save-file dialog in force.
#include "framework/FileDialog.h"

namespace {
SaveFileDialogFunction g_saveFileDialog = ::GetSaveFileNameW;
}

bool ShowSaveFileDialog(OPENFILENAMEW& dialog)
{
    return g_saveFileDialog(&dialog) != FALSE;
}

SaveFileDialogFunction SetSaveFileDialogFunction(SaveFileDialogFunction function)
{
    SaveFileDialogFunction previous = g_saveFileDialog;
    g_saveFileDialog = function ? function : ::GetSaveFileNameW;
    return previous;
}
