// The real program given real input while it searches the test domain: an Escape and an impatient
// double click on "Generate", as a user gives them to a window that is busy.
#include "e2e/DomainFixture.h"

#include <cstdio>

namespace {

using namespace std::chrono_literals;

void SendKey(WORD key)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
}

void SendDoubleClick(HWND window)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT input[4] = {};
    const DWORD flags[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 4; ++i) {
        input[i].type = INPUT_MOUSE;
        input[i].mi.dwFlags = flags[i];
    }
    ::SendInput(4, input, sizeof(INPUT));
}

TEST_F(DomainTest, EscapeAndADoubleClickDuringASearchNeitherCloseTheProgramNorRunItAgain)
{
    TypeAdministrator(domain.dnsName);
    const HWND window = program->Window();
    const HWND generate = ::GetDlgItem(window, IDC_GENERATE);
    ::SetForegroundWindow(window);
    ::SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(generate), TRUE);
    ASSERT_TRUE(program->Responds(5s));
    // The input must reach the program, with the focus where Escape would close it.
    ASSERT_EQ(::GetForegroundWindow(), window);
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &thread));
    ASSERT_EQ(thread.hwndFocus, generate);

    program->PressGenerate();
    // A thread takes posted messages before input: the press starts the run, and the input that
    // follows waits in the busy program's queue.
    SendKey(VK_ESCAPE);
    SendDoubleClick(generate);
    const RunEnd end = program->WaitForRunEnd(kRunDeadline);
    ASSERT_TRUE(end.ended) << Describe(end);
    ASSERT_FALSE(program->HasExited()) << "the Escape or a click closed the program";

    const size_t all = ExpectedEntries().size();
    std::printf("the run %s\n", end.box ? "was stopped by the Escape" : "listed everything (the Escape was lost)");
    if (end.box) {
        // The Escape arrived (under Wine a key typed while the thread waits in a directory call
        // may be lost): the rows read so far stay.
        EXPECT_EQ(end.box->text, L"The search was stopped. The list holds only the objects read so far.");
        EXPECT_EQ(end.box->icon, BoxIcon::Information);
        EXPECT_EQ(std::to_wstring(program->RowCount()), end.count);
        EXPECT_LE(static_cast<size_t>(program->RowCount()), all);
        ASSERT_TRUE(program->AnswerBox(*end.box));
    } else {
        EXPECT_EQ(end.count, std::to_wstring(all));
    }

    // A replayed click would start the query again, which writes "0" first.
    const std::wstring count = program->ControlText(IDC_OBJECT_COUNT);
    const auto until = std::chrono::steady_clock::now() + 4s;
    while (std::chrono::steady_clock::now() < until) {
        ASSERT_EQ(program->ControlText(IDC_OBJECT_COUNT), count) << "the search ran again";
        ASSERT_FALSE(program->FindBox().has_value()) << "a second run showed a box";
        ::Sleep(20);
    }
    EXPECT_FALSE(program->HasExited());
    EXPECT_TRUE(program->Responds(5s));
}

} // namespace
