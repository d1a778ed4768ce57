#include "core/sample_store.h"

#include <stdexcept>
#include <string>

namespace trindel {

void SampleStore::checkSlot(int64_t slot) {
    if (slot < 0 || slot >= kSlotLimit) {
        throw std::out_of_range("sample store slot out of range: " + std::to_string(slot));
    }
}

void SampleStore::growTo(int64_t slot) {
    constexpr int64_t perStep = kGrowthBytes / static_cast<int64_t>(sizeof(float));
    const int64_t wanted = ((slot + 1 + perStep - 1) / perStep) * perStep;
    if (wanted > size()) {
        values_.resize(static_cast<size_t>(wanted), 0.0f);
    }
}

void SampleStore::set(int64_t slot, float value) {
    at(slot) = value;
}

float& SampleStore::at(int64_t slot) {
    checkSlot(slot);
    if (slot >= size()) {
        growTo(slot);
    }
    return values_[static_cast<size_t>(slot)];
}

float SampleStore::get(int64_t slot) const {
    checkSlot(slot);
    return slot < size() ? values_[static_cast<size_t>(slot)] : 0.0f;
}

void SampleStore::reserveSlots(int64_t slotCount) {
    if (slotCount > 0) {
        checkSlot(slotCount - 1);
        growTo(slotCount - 1);
    }
}

const float* SampleStore::row(int channel, int64_t count) const {
    const int64_t first = slotOf(channel, 0);
    if (count <= 0) {
        return first < size() ? values_.data() + first : nullptr;
    }
    if (first + count > size()) {
        return nullptr;
    }
    return values_.data() + first;
}

}  // namespace trindel
