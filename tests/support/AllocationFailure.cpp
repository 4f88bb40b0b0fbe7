// The global operator new of the test programs, with a switch for one failing allocation.
#include "support/AllocationFailure.h"

#include <cstdlib>
#include <new>

namespace {
thread_local bool t_failNext = false;
}

void FailNextAllocation()
{
    t_failNext = true;
}

bool AllocationFailurePending()
{
    return t_failNext;
}

void* operator new(std::size_t size)
{
    if (t_failNext) {
        t_failNext = false;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
