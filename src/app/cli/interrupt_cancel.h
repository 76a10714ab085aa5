#pragma once

#include "designspace/background_work.h"

namespace velmora::cli {

// While it lives, the first SIGINT or SIGTERM cancels `progress` (so a command ends its work
// the ordinary way and keeps what is done); a second one ends the process as usual. One at a
// time: the process has one set of signal handlers.
class CancelOnInterrupt {
  public:
    explicit CancelOnInterrupt(WorkProgress& progress);
    ~CancelOnInterrupt();
    CancelOnInterrupt(const CancelOnInterrupt&) = delete;
    CancelOnInterrupt& operator=(const CancelOnInterrupt&) = delete;

    // Whether a signal cancelled the work.
    bool Interrupted() const;
};

}  // namespace velmora::cli
