// ComPtr: an interface pointer that holds one reference and releases it when it goes.
#pragma once

#include <unknwn.h>

#include <utility>

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller holds (as a function that hands out an interface gives it).
    explicit ComPtr(Interface* adopted) : m_p(adopted) {}
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* Get() const { return m_p; }
    Interface* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // Where a function that hands out an interface writes it; what was held is released first.
    void** PutVoid()
    {
        Reset();
        return reinterpret_cast<void**>(&m_p);
    }
    // Gives up the reference without releasing it.
    Interface* Detach() { return std::exchange(m_p, nullptr); }
    void Reset()
    {
        if (Interface* held = std::exchange(m_p, nullptr))
            held->Release();
    }

private:
    Interface* m_p = nullptr;
};
