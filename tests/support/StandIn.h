// The fake of a kind that stands in for the system now: the newest one, while it lives. A fake made
// while another lives stands in for that one until it goes; then the other is current again.
#pragma once

template <typename Fake>
class StandIn {
public:
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    static Fake& Current() { return *s_current; }

protected:
    StandIn() : m_outer(s_current) { s_current = static_cast<Fake*>(this); }
    ~StandIn() { s_current = m_outer; }

private:
    inline static Fake* s_current = nullptr;
    Fake* m_outer;
};
