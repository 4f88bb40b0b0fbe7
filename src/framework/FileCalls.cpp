// The file calls in force, the system's by default.
#include "framework/FileCalls.h"

FileCalls SystemFileCalls()
{
    return {::WriteFile, ::ReplaceFileW, ::MoveFileExW};
}

FileCalls& TheFileCalls()
{
    static FileCalls calls = SystemFileCalls();
    return calls;
}
