// Drives the real quorrex.exe from outside its process: fields, buttons, message boxes, the
// attribute chooser and the result list, as another program on the same desktop sees them.
#pragma once

#include "e2e/BoxIcon.h"
#include "resources/resource.h" // the program's control numbers

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct ProgramBox {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    BoxIcon icon = BoxIcon::None;
};

// How a run that was started with Generate ended.
struct RunEnd {
    bool ended = false;                 // false: still busy when the deadline passed
    std::optional<ProgramBox> box;      // the message box it showed, if it showed one
    std::wstring count;                 // the count label at that moment
};

using Rows = std::vector<std::vector<std::wstring>>;

class RunningProgram {
public:
    // Starts the program and waits for its main window; check Started() afterwards.
    RunningProgram();
    // The same with another copy of the program, started in the given current folder.
    RunningProgram(const std::wstring& exe, const std::wstring& currentFolder);
    // Answers any message box, closes the program, and ends it outright if it does not go.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return m_window != nullptr; }
    HWND Window() const { return m_window; }
    HANDLE Process() const { return m_process.hProcess; }
    bool HasExited() const;

    void SetField(int id, const std::wstring& text) const;
    std::wstring ControlText(int id) const;
    void TypeCredentials(const std::wstring& domain, const std::wstring& user, const std::wstring& password) const;
    void TypeFilter(const std::wstring& filter) const;

    // Posts the Generate press (posted: the program shows its boxes from inside the handler).
    void PressGenerate() const;
    // Posts the Advanced press; the chooser comes up with WaitForChooser.
    void PressAdvanced() const;
    // Waits for the run started last to end: a message box of the program, or a count written
    // and the program idle again.
    RunEnd WaitForRunEnd(std::chrono::milliseconds deadline) const;
    // Presses OK on a box and waits until it has gone.
    bool AnswerBox(const ProgramBox& box) const;

    // Posts the About press; the box comes up with WaitForDialog.
    void PressAbout() const;
    // The chooser dialog, once it is shown; null after the deadline.
    HWND WaitForChooser(std::chrono::milliseconds deadline) const;
    // A dialog of the program with this caption, once it is shown; null after the deadline.
    HWND WaitForDialog(const std::wstring& caption, std::chrono::milliseconds deadline) const;
    // Presses a dialog's button and waits until the dialog has gone.
    bool CloseDialog(HWND dialog, int buttonId) const;

    // Clicks "G e n e r a t e  CSV" (or gives the command of the list's menu named) and, in the
    // save dialog that comes up, saves under the given Windows path; false when no save dialog came
    // up before the deadline.
    bool SaveCsvAs(const std::wstring& path, std::chrono::milliseconds deadline,
                   int menuCommand = IDC_GENERATE_CSV) const;

    // Whether the program's window thread answers within the time given.
    bool Responds(std::chrono::milliseconds within) const;

    std::vector<std::wstring> Headers() const;
    int RowCount() const;
    Rows ReadRows() const;

    // The program's message box, if it shows one (visible or about to be).
    std::optional<ProgramBox> FindBox() const;
    // Waits for the program's next message box, with its icon read; nothing after the deadline.
    std::optional<ProgramBox> WaitForBox(std::chrono::milliseconds deadline) const;

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
};

// A list box's entries in another process.
std::vector<std::wstring> ListBoxEntries(HWND listBox);
