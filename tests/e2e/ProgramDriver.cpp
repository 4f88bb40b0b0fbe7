// RunningProgram: the program's windows read and driven through messages, its list view read
// through memory of its own process.
#include "e2e/ProgramDriver.h"

#include <commctrl.h>

#include <stdexcept>

#ifndef QUORREX_EXE
#error QUORREX_EXE must name the program under test
#endif

namespace {

constexpr int kMessageBoxText = 0xFFFF;
constexpr UINT kMessageTimeoutMs = 10000;

using Clock = std::chrono::steady_clock;

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

std::wstring TextOf(HWND window)
{
    // WM_GETTEXT is carried across processes for every window class.
    std::wstring text(4096, L'\0');
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length))
        return {};
    text.resize(length);
    return text;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId)
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A block of memory inside another process, for messages whose arguments point to memory.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, size_t bytes)
        : m_process(process), m_address(::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE,
                                                         PAGE_READWRITE))
    {
        if (!m_address)
            throw std::runtime_error("VirtualAllocEx failed");
    }
    ~RemoteBlock() { ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE); }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    BYTE* Address(size_t offset = 0) const { return static_cast<BYTE*>(m_address) + offset; }
    void Write(size_t offset, const void* data, size_t bytes) const
    {
        if (!::WriteProcessMemory(m_process, Address(offset), data, bytes, nullptr))
            throw std::runtime_error("WriteProcessMemory failed");
    }
    void Read(size_t offset, void* data, size_t bytes) const
    {
        if (!::ReadProcessMemory(m_process, Address(offset), data, bytes, nullptr))
            throw std::runtime_error("ReadProcessMemory failed");
    }

private:
    HANDLE m_process;
    void* m_address;
};

constexpr size_t kTextChars = 8192;

} // namespace

RunningProgram::RunningProgram() : RunningProgram(QUORREX_EXE, L"") {}

RunningProgram::RunningProgram(const std::wstring& exe, const std::wstring& currentFolder)
{
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &m_process))
        return;
    ::WaitForInputIdle(m_process.hProcess, 20000);
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (!m_window && Clock::now() < deadline && !HasExited()) {
        for (HWND window : TopLevelWindowsOf(m_process.dwProcessId)) {
            if (::IsWindowVisible(window) && TextOf(window) == L"Quorrex" && ::GetDlgItem(window, IDC_RESULT_LIST))
                m_window = window;
        }
        if (!m_window)
            ::Sleep(20);
    }
}

RunningProgram::~RunningProgram()
{
    if (!m_process.hProcess)
        return;
    // A box or the chooser would keep the program from seeing Close: end them first.
    for (int i = 0; i < 5 && !HasExited(); ++i) {
        bool any = false;
        for (HWND window : TopLevelWindowsOf(m_process.dwProcessId)) {
            if (window != m_window && ClassOf(window) == L"#32770") {
                ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
                ::PostMessageW(window, WM_COMMAND, IDOK, 0);
                any = true;
            }
        }
        if (!any)
            break;
        ::Sleep(200);
    }
    if (m_window && !HasExited())
        ::PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(m_window, IDC_CLOSE)));
    if (::WaitForSingleObject(m_process.hProcess, 20000) != WAIT_OBJECT_0) {
        ::TerminateProcess(m_process.hProcess, 99);
        // Gone before whatever checks its files or removes its folder.
        ::WaitForSingleObject(m_process.hProcess, 10000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

bool RunningProgram::HasExited() const
{
    return ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
}

void RunningProgram::SetField(int id, const std::wstring& text) const
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(::GetDlgItem(m_window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                          SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result);
}

std::wstring RunningProgram::ControlText(int id) const
{
    return TextOf(::GetDlgItem(m_window, id));
}

void RunningProgram::TypeCredentials(const std::wstring& domain, const std::wstring& user,
                                     const std::wstring& password) const
{
    SetField(IDC_DOMAIN_NAME, domain);
    SetField(IDC_USER, user);
    SetField(IDC_PASSWORD, password);
}

void RunningProgram::TypeFilter(const std::wstring& filter) const
{
    SetField(IDC_FILTER, filter);
}

void RunningProgram::PressGenerate() const
{
    // An empty count tells a finished run ("0" or more written) from one not yet started.
    SetField(IDC_OBJECT_COUNT, L"");
    ::PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(IDC_GENERATE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(m_window, IDC_GENERATE)));
}

void RunningProgram::PressAdvanced() const
{
    SetField(IDC_OBJECT_COUNT, L"");
    ::PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(IDC_ADVANCED, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(m_window, IDC_ADVANCED)));
}

std::optional<ProgramBox> RunningProgram::FindBox() const
{
    for (HWND window : TopLevelWindowsOf(m_process.dwProcessId)) {
        if (window == m_window || ClassOf(window) != L"#32770" || !::GetDlgItem(window, kMessageBoxText))
            continue;
        ProgramBox box;
        box.window = window;
        box.caption = TextOf(window);
        box.text = TextOf(::GetDlgItem(window, kMessageBoxText));
        return box;
    }
    return std::nullopt;
}

bool RunningProgram::Responds(std::chrono::milliseconds within) const
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(m_window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(within.count()), &result) !=
           0;
}

// Waits for a box to be drawn and reads its icon from the screen.
static void ReadIconWhenShown(ProgramBox& box)
{
    const auto shownBy = Clock::now() + std::chrono::seconds(10);
    while ((!::IsWindowVisible(box.window) || (box.icon = RecogniseIcon(box.window)) == BoxIcon::None) &&
           Clock::now() < shownBy)
        ::Sleep(50);
    // The first look may catch the icon half drawn.
    for (int i = 0; i < 20 && box.icon == BoxIcon::Unrecognised; ++i) {
        ::Sleep(50);
        box.icon = RecogniseIcon(box.window);
    }
}

RunEnd RunningProgram::WaitForRunEnd(std::chrono::milliseconds deadline) const
{
    RunEnd end;
    const auto until = Clock::now() + deadline;
    while (Clock::now() < until && !HasExited()) {
        end.box = FindBox();
        // "0" is written at the start of every run; the end writes the number of rows. A box
        // after the count is made before the window thread reads messages again.
        if (!end.box) {
            const std::wstring count = ControlText(IDC_OBJECT_COUNT);
            if (count.empty() || count == L"0" || !Responds(std::chrono::seconds(10))) {
                ::Sleep(20);
                continue;
            }
            end.box = FindBox();
        }
        if (end.box)
            ReadIconWhenShown(*end.box);
        end.ended = true;
        end.count = ControlText(IDC_OBJECT_COUNT);
        break;
    }
    return end;
}

std::optional<ProgramBox> RunningProgram::WaitForBox(std::chrono::milliseconds deadline) const
{
    const auto until = Clock::now() + deadline;
    while (Clock::now() < until && !HasExited()) {
        if (std::optional<ProgramBox> box = FindBox()) {
            ReadIconWhenShown(*box);
            return box;
        }
        ::Sleep(20);
    }
    return std::nullopt;
}

bool RunningProgram::AnswerBox(const ProgramBox& box) const
{
    ::PostMessageW(box.window, WM_COMMAND, IDOK, 0);
    const auto until = Clock::now() + std::chrono::seconds(20);
    while (::IsWindow(box.window) && Clock::now() < until)
        ::Sleep(20);
    return !::IsWindow(box.window);
}

void RunningProgram::PressAbout() const
{
    ::PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(m_window, IDC_ABOUT)));
}

HWND RunningProgram::WaitForChooser(std::chrono::milliseconds deadline) const
{
    return WaitForDialog(L"Attributes", deadline);
}

HWND RunningProgram::WaitForDialog(const std::wstring& caption, std::chrono::milliseconds deadline) const
{
    const auto until = Clock::now() + deadline;
    while (Clock::now() < until && !HasExited()) {
        for (HWND window : TopLevelWindowsOf(m_process.dwProcessId)) {
            if (window != m_window && ::IsWindowVisible(window) && TextOf(window) == caption)
                return window;
        }
        ::Sleep(20);
    }
    return nullptr;
}

bool RunningProgram::CloseDialog(HWND dialog, int buttonId) const
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
    const auto until = Clock::now() + std::chrono::seconds(20);
    while (::IsWindow(dialog) && Clock::now() < until)
        ::Sleep(20);
    return !::IsWindow(dialog);
}

bool RunningProgram::SaveCsvAs(const std::wstring& path, std::chrono::milliseconds deadline, int menuCommand) const
{
    // A menu's choice comes as a command without a control.
    const HWND control = menuCommand == IDC_GENERATE_CSV ? ::GetDlgItem(m_window, IDC_GENERATE_CSV) : nullptr;
    ::PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(menuCommand, STN_CLICKED), reinterpret_cast<LPARAM>(control));
    const auto until = Clock::now() + deadline;
    while (Clock::now() < until) {
        for (HWND window : TopLevelWindowsOf(m_process.dwProcessId)) {
            if (ClassOf(window) != L"#32770" || !::IsWindowVisible(window) || TextOf(window) != L"Save as")
                continue;
            // The file name field: the combo box of newer dialogs, the edit of older ones.
            HWND field = ::GetDlgItem(window, 0x47C);
            if (!field)
                field = ::GetDlgItem(window, 0x480);
            if (!field)
                return false;
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG,
                                  kMessageTimeoutMs, &ignored);
            ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(window, IDOK)));
            return true;
        }
        ::Sleep(20);
    }
    return false;
}

std::vector<std::wstring> RunningProgram::Headers() const
{
    HWND header = reinterpret_cast<HWND>(::SendMessageW(::GetDlgItem(m_window, IDC_RESULT_LIST), LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    RemoteBlock block(m_process.hProcess, sizeof(HDITEMW) + kTextChars * sizeof(wchar_t));
    std::vector<std::wstring> headers;
    for (int i = 0; i < count; ++i) {
        HDITEMW item = {};
        item.mask = HDI_TEXT;
        item.pszText = reinterpret_cast<LPWSTR>(block.Address(sizeof item));
        item.cchTextMax = kTextChars;
        const wchar_t none = L'\0';
        block.Write(sizeof item, &none, sizeof none);
        block.Write(0, &item, sizeof item);
        ::SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(block.Address()));
        std::wstring text(kTextChars, L'\0');
        block.Read(sizeof item, text.data(), text.size() * sizeof(wchar_t));
        text.resize(text.find(L'\0'));
        headers.push_back(text);
    }
    return headers;
}

int RunningProgram::RowCount() const
{
    return static_cast<int>(::SendMessageW(::GetDlgItem(m_window, IDC_RESULT_LIST), LVM_GETITEMCOUNT, 0, 0));
}

Rows RunningProgram::ReadRows() const
{
    HWND list = ::GetDlgItem(m_window, IDC_RESULT_LIST);
    const int columns = static_cast<int>(Headers().size());
    const int count = RowCount();
    RemoteBlock block(m_process.hProcess, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    Rows rows;
    rows.reserve(static_cast<size_t>(count));
    std::wstring text(kTextChars, L'\0');
    for (int r = 0; r < count; ++r) {
        std::vector<std::wstring> row;
        for (int c = 0; c < columns; ++c) {
            LVITEMW item = {};
            item.iSubItem = c;
            item.pszText = reinterpret_cast<LPWSTR>(block.Address(sizeof item));
            item.cchTextMax = kTextChars;
            block.Write(0, &item, sizeof item);
            const auto length = static_cast<size_t>(
                ::SendMessageW(list, LVM_GETITEMTEXTW, r, reinterpret_cast<LPARAM>(block.Address())));
            if (length >= kTextChars - 1)
                throw std::runtime_error("cell text longer than the buffer");
            block.Read(sizeof item, text.data(), length * sizeof(wchar_t));
            row.emplace_back(text.data(), length);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::wstring> ListBoxEntries(HWND listBox)
{
    // LB_GETTEXT is carried across processes like WM_GETTEXT.
    std::vector<std::wstring> entries;
    const int count = static_cast<int>(::SendMessageW(listBox, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = static_cast<size_t>(::SendMessageW(listBox, LB_GETTEXTLEN, i, 0));
        std::wstring text(length + 1, L'\0');
        ::SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        entries.push_back(text);
    }
    return entries;
}
