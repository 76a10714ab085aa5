#pragma once

#include <utility>

namespace velmora {

// Raises a flag for the life of a scope and gives it back its former value however the scope
// is left (return or exception): the one way the program guards against re-entry and keeps
// change handlers quiet while it fills controls itself. Nested scopes restore in order.
class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) : flag_(flag), former_(std::exchange(flag, true)) {}
    ~ScopedFlag() { flag_ = former_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
    bool former_;
};

}  // namespace velmora
