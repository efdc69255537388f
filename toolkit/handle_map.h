// The toolkit's map from window handle to the control bound to it: an open-addressing
// table whose probe path steps two slots on through an odd number of slots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class HandleMap {
  public:
    using Key = std::uintptr_t;

    struct Entry {
        Key key = 0;
        void* value = nullptr;
        std::uintptr_t extra = 0;
    };

    HandleMap();

    // Binds key to value. A key bound before (the system reuses handle values of
    // destroyed windows) gets the new value, so a lookup always gives the newest binding.
    void bind(Key key, void* value);
    // Forgets the value bound to key; the key keeps its slot so probe paths stay whole.
    void unbind(Key key);
    // The value bound to key, or nullptr. Key 0 is never found.
    void* find(Key key) const;

    std::size_t slotCount() const { return slots_.size(); }
    std::size_t entryCount() const { return count_; }
    // Slot numbers count from 1, as the probe arithmetic does.
    std::size_t homeSlot(Key key) const { return key % slots_.size() + 1; }
    std::size_t nextSlot(std::size_t slot) const { return (slot + 1) % slots_.size() + 1; }
    const Entry& slot(std::size_t number) const { return slots_[number - 1]; }

    // The size the table grows to from a full table of size slots.
    static std::size_t grownSize(std::size_t size);

  private:
    Entry* findEntry(Key key);
    void insert(const Entry& entry);
    void grow();

    std::vector<Entry> slots_;
    std::size_t count_ = 0;
};
