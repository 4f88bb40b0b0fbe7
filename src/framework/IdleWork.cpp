// CIdleWork: the timer that gives idle work its slices, and the slices' end.
#include "framework/IdleWork.h"

#include <new>

IdleSlice::IdleSlice(Clock::duration length) : m_end(Clock::now() + length), m_endsOnInput(true) {}

IdleSlice IdleSlice::Endless()
{
    return IdleSlice();
}

bool IdleSlice::Over() const
{
    return m_endsOnInput && (Clock::now() >= m_end || ::GetInputState());
}

void CIdleWork::Arm(HWND window)
{
    if (window == m_window)
        return;
    Disarm();
    // The timer is known by this object's address, which its ticks turn back into the object.
    if (::SetTimer(window, reinterpret_cast<UINT_PTR>(this), kTickInterval, OnTick))
        m_window = window;
}

void CIdleWork::Disarm()
{
    if (m_window && ::IsWindow(m_window))
        ::KillTimer(m_window, reinterpret_cast<UINT_PTR>(this));
    m_window = nullptr;
}

void CALLBACK CIdleWork::OnTick(HWND, UINT, UINT_PTR id, DWORD)
{
    auto* self = reinterpret_cast<CIdleWork*>(id);
    IdleSlice slice(kSliceLength);
    bool more = false;
    // Work done ahead tells nobody when it fails: what needs it does it again, and reports then.
    try {
        more = self->m_work(slice);
    } catch (...) {
        more = false;
    }
    if (!more)
        self->Disarm();
}
