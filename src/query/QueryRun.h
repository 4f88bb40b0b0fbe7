// One query run, from the "Generate" press to the filled result list.
#pragma once

#include "framework/Wnd.h"

// Empties the dialog's result list, sets the count to "0", binds to the typed domain and searches it.
void RunQuery(CWnd& dialog);
