// CQuorrexApp: the application object; it runs the main dialog and ends with it.
#pragma once

#include "framework/WinApp.h"

class CQuorrexApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
