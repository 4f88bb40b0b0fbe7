/* A DLL planted beside the program under the name of a system DLL: loaded, it leaves a marker file
   "<its own file name>.loaded" holding the path of the program that loaded it, and refuses to load,
   so that it can never stand in for the system's DLL. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    wchar_t marker[MAX_PATH + 16];
    const DWORD length = GetModuleFileNameW(self, marker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return FALSE;
    lstrcatW(marker, L".loaded");
    char program[MAX_PATH * 3] = "";
    wchar_t programW[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, programW, MAX_PATH);
    WideCharToMultiByte(CP_UTF8, 0, programW, -1, program, (int)sizeof program, NULL, NULL);
    HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, program, (DWORD)lstrlenA(program), &written, NULL);
        CloseHandle(file);
    }
    return FALSE;
}
