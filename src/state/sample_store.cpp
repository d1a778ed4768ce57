#include "state/sample_store.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

namespace trindel {

namespace {

constexpr size_t kReservedBytes = static_cast<size_t>(SampleStore::kSlotLimit) * sizeof(float);

float* reserveAll() {
    void* m = mmap(nullptr, kReservedBytes, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (m == MAP_FAILED) {
        throw std::bad_alloc();
    }
    return static_cast<float*>(m);
}

}  // namespace

void SampleStore::Unmap::operator()(float* values) const {
    munmap(values, kReservedBytes);
}

SampleStore::SampleStore(const SampleStore& other) {
    *this = other;
}

SampleStore& SampleStore::operator=(const SampleStore& other) {
    if (this == &other) {
        return *this;
    }
    if (other.size_ == 0) {
        values_.reset();
        size_ = 0;
        return *this;
    }
    std::unique_ptr<float[], Unmap> fresh(reserveAll());
    std::memcpy(fresh.get(), other.values_.get(), static_cast<size_t>(other.size_) * sizeof(float));
    values_ = std::move(fresh);
    size_ = other.size_;
    return *this;
}

void SampleStore::checkSlot(int64_t slot) {
    if (slot < 0 || slot >= kSlotLimit) {
        throw std::out_of_range("sample store slot out of range: " + std::to_string(slot));
    }
}

void SampleStore::growTo(int64_t slot) {
    constexpr int64_t perStep = kGrowthBytes / static_cast<int64_t>(sizeof(float));
    const int64_t wanted = ((slot + 1 + perStep - 1) / perStep) * perStep;
    if (!values_) {
        values_.reset(reserveAll());
    }
    // Pages of the reserved range read as zero until first written.
    size_ = std::max(size_, std::min(wanted, kSlotLimit));
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
        return first < size() ? values_.get() + first : nullptr;
    }
    if (first + count > size()) {
        return nullptr;
    }
    return values_.get() + first;
}

}  // namespace trindel
