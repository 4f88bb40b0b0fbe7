// The dialog framework's window procedures: a C++ exception in a handler ends there.
#include "framework/Dialog.h"

#include "resources/resource.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

constexpr int kOutOfMemoryCommand = 4242;
constexpr int kFailingCommand = 4243;

class ThrowingDialog : public CDialog {
public:
    ThrowingDialog() : CDialog(IDD_ATTRIBUTES) {}

protected:
    bool OnCommand(int id, int code, HWND control) override
    {
        if (id == kOutOfMemoryCommand)
            throw std::bad_alloc();
        if (id == kFailingCommand)
            throw std::runtime_error("failed");
        return CDialog::OnCommand(id, code, control);
    }
};

TEST(DialogFramework, AnExceptionInAHandlerStopsAtTheWindowProcedureAndIsReported)
{
    MessageBoxRecorder boxes;
    ThrowingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.SendMessage(WM_COMMAND, kOutOfMemoryCommand), FALSE);
    EXPECT_EQ(dialog.SendMessage(WM_COMMAND, kFailingCommand), FALSE);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, L"There is not enough memory to complete the operation.");
    EXPECT_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(boxes.boxes()[1].text, L"The operation could not be completed.");
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd)) << "the dialog goes on";
    dialog.DestroyWindow();
}

} // namespace
