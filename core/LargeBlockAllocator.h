#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace trend {

// Memory for the data set's columns: blocks of 2 MiB and more come straight from the system,
// marked for huge pages, so a million-row load does not pay a page fault every 4 KiB.
void* AllocateLargeBlock(size_t bytes);
void FreeLargeBlock(void* block, size_t bytes);
inline constexpr size_t kLargeBlockBytes = size_t{2} << 20;

template <typename T>
struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}

    T* allocate(size_t n) {
        const size_t bytes = n * sizeof(T);
        if (bytes < kLargeBlockBytes) {
            return std::allocator<T>().allocate(n);
        }
        return static_cast<T*>(AllocateLargeBlock(bytes));
    }
    void deallocate(T* p, size_t n) noexcept {
        const size_t bytes = n * sizeof(T);
        if (bytes < kLargeBlockBytes) {
            std::allocator<T>().deallocate(p, n);
            return;
        }
        FreeLargeBlock(p, bytes);
    }
    template <typename U>
    bool operator==(const LargeBlockAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace trend
