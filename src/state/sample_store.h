// The sample store: one growable array of 32-bit floats holding every chart value of a run.
// Slot = channel x 2,000,002 + sample. It grows in whole 4,096-byte steps, zero-filled, and
// never shrinks; indexes outside the addressable rows are refused with std::out_of_range.
// The storage is one address range reserved for every addressable slot and mapped lazily, so
// slots never written cost no memory and growing never copies or zero-fills.
#pragma once

#include <cstdint>
#include <memory>

namespace trindel {

class SampleStore {
  public:
    SampleStore() = default;
    SampleStore(const SampleStore& other);
    SampleStore& operator=(const SampleStore& other);
    SampleStore(SampleStore&&) noexcept = default;
    SampleStore& operator=(SampleStore&&) noexcept = default;

    static constexpr int64_t kRowStride = 2000002;
    static constexpr int64_t kMaxSamplesPerChannel = 2000000;
    static constexpr int64_t kGrowthBytes = 4096;
    // Rows 0..16 are addressable (row 0 is not a channel but some callers use slot numbers).
    static constexpr int64_t kSlotLimit = 17 * kRowStride;

    static int64_t slotOf(int channel, int64_t sample) { return channel * kRowStride + sample; }

    // Writes a value, growing the store when the slot lies beyond its size.
    void set(int64_t slot, float value);
    void set(int channel, int64_t sample, float value) { set(slotOf(channel, sample), value); }

    // Reads a value; slots beyond the current size read as 0 without growing the store.
    float get(int64_t slot) const;
    float get(int channel, int64_t sample) const { return get(slotOf(channel, sample)); }

    // Reference to a slot, growing the store as needed (for in-place updates).
    float& at(int64_t slot);

    // Number of slots currently allocated (always a whole number of 4,096-byte steps).
    int64_t size() const { return size_; }

    // Makes sure every slot below `slotCount` exists (used before bulk writes).
    void reserveSlots(int64_t slotCount);

    // Direct read access to a channel row for fast writers: pointer to `count` values starting at
    // sample 0 of the channel, or nullptr when the row is not allocated that far.
    const float* row(int channel, int64_t count) const;

  private:
    static void checkSlot(int64_t slot);
    void growTo(int64_t slot);

    struct Unmap {
        void operator()(float* values) const;
    };
    // kSlotLimit floats of zero-filled, lazily mapped memory (allocated on first growth).
    std::unique_ptr<float[], Unmap> values_;
    int64_t size_ = 0;
};

}  // namespace trindel
