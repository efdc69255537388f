#include "toolkit/handle_map.h"

namespace {
constexpr std::size_t kInitialSlots = 997;
}

HandleMap::HandleMap() : slots_(kInitialSlots) {}

std::size_t HandleMap::grownSize(std::size_t size) {
    for (std::size_t k = 1;; ++k) {
        std::size_t candidate = k * k + k + 41;
        if (candidate > 2 * size) return candidate;
    }
}

HandleMap::Entry* HandleMap::findEntry(Key key) {
    if (key == 0) return nullptr;
    std::size_t slotNumber = homeSlot(key);
    if (slots_[slotNumber - 1].key == 0) return nullptr;
    for (std::size_t step = 0; step < slots_.size(); ++step) {
        Entry& entry = slots_[slotNumber - 1];
        if (entry.key == key) return &entry;
        slotNumber = nextSlot(slotNumber);
    }
    return nullptr;
}

void* HandleMap::find(Key key) const {
    const Entry* entry = const_cast<HandleMap*>(this)->findEntry(key);
    return entry ? entry->value : nullptr;
}

void HandleMap::bind(Key key, void* value) {
    if (key == 0) return;
    if (Entry* existing = findEntry(key)) {
        existing->value = value;
        return;
    }
    insert(Entry{key, value, 0});
}

void HandleMap::unbind(Key key) {
    if (Entry* existing = findEntry(key)) existing->value = nullptr;
}

void HandleMap::insert(const Entry& entry) {
    for (;;) {
        std::size_t slotNumber = homeSlot(entry.key);
        for (std::size_t step = 0; step < slots_.size(); ++step) {
            Entry& candidate = slots_[slotNumber - 1];
            if (candidate.key == 0) {
                candidate = entry;
                ++count_;
                return;
            }
            slotNumber = nextSlot(slotNumber);
        }
        grow();
    }
}

void HandleMap::grow() {
    std::vector<Entry> old(grownSize(slots_.size()));
    old.swap(slots_);
    count_ = 0;
    for (const Entry& entry : old) {
        if (entry.key != 0) insert(entry);
    }
}
