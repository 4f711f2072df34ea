// Hands the newest value from one producer thread to one consumer thread without a lock: three
// slots, one being written, one being read and one between them, which the two sides swap
// atomically. Neither side ever waits, and a value is never read while it is being written.
#pragma once

#include <array>
#include <atomic>

template <typename T> class TLatestValue {
public:
    // Producer only.
    void Publish(const T& value) {
        fSlots[fWriting] = value;
        fWriting = fMiddle.exchange(fWriting | Fresh, std::memory_order_acq_rel) & Index;
    }

    // Consumer only: the newest value published since the last call, or nullptr when there is
    // none. The value stays valid until the next call.
    const T* Take() {
        if ((fMiddle.load(std::memory_order_relaxed) & Fresh) == 0)
            return nullptr;
        fReading = fMiddle.exchange(fReading, std::memory_order_acq_rel) & Index;
        return &fSlots[fReading];
    }

private:
    static constexpr int Index = 3;
    static constexpr int Fresh = 4;
    std::array<T, 3> fSlots{};
    int fWriting = 0;
    std::atomic<int> fMiddle{1};
    int fReading = 2;
};
