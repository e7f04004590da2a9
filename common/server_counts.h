// The in-process server's counters: live objects and server locks decide whether it may unload.
#pragma once

#include <atomic>
#include <cstdint>

namespace adjustui {

class ServerCounts {
  public:
    void ObjectCreated() { objects_.fetch_add(1); }
    void ObjectDestroyed() { objects_.fetch_sub(1); }
    void Lock(bool lock) { lock ? locks_.fetch_add(1) : locks_.fetch_sub(1); }
    bool CanUnload() const { return objects_.load() == 0 && locks_.load() == 0; }
    std::int32_t Objects() const { return objects_.load(); }

  private:
    std::atomic<std::int32_t> objects_{0};
    std::atomic<std::int32_t> locks_{0};
};

}  // namespace adjustui
