// Idle work runs a slice a tick until it is done, and a slice ends when its time is up or input
// waits.
#include "framework/IdleWork.h"

#include "support/DialogDriver.h"
#include "support/MainWindowStandIn.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

namespace {

using namespace std::chrono_literals;

TEST(IdleWork, RunsUntilTheWorkIsDoneOrFailsAndNotAfter)
{
    struct Case {
        const char* what;
        int ticksUntilDone;
        bool throws;
    };
    for (const Case& c : {Case{"done after three ticks", 3, false}, Case{"failed on the first", 1, true}}) {
        MainWindowStandIn window;
        int ticks = 0;
        CIdleWork work([&](const IdleSlice&) {
            if (++ticks == c.ticksUntilDone && c.throws)
                throw std::runtime_error("failed");
            return ticks < c.ticksUntilDone;
        });
        work.Arm(window.m_hWnd);
        EXPECT_TRUE(PumpMessagesUntil([&] { return !work.Armed(); }, 5000)) << c.what;
        PumpMessagesUntil([] { return false; }, 100);
        EXPECT_EQ(ticks, c.ticksUntilDone) << c.what;
    }
}

TEST(IdleWork, ASliceEndsWhenItsTimeIsUpOrInputWaits)
{
    EXPECT_TRUE(IdleSlice(0ms).Over());
    EXPECT_FALSE(IdleSlice::Endless().Over());

    MainWindowStandIn window;
    ::SetForegroundWindow(window.m_hWnd);
    PumpMessages();
    EXPECT_FALSE(IdleSlice(1h).Over());
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_SHIFT;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(::SendInput(2, keys, sizeof(INPUT)), 2u);
    // The keys reach the queue through the display; nothing takes them out meanwhile.
    const ULONGLONG deadline = ::GetTickCount64() + 5000;
    while (!::GetInputState() && ::GetTickCount64() < deadline)
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_KEY);
    EXPECT_TRUE(IdleSlice(1h).Over()) << "with a key waiting";
    PumpMessages();
}

} // namespace
