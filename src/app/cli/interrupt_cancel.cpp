#include "interrupt_cancel.h"

#include <atomic>
#include <csignal>

namespace velmora::cli {

namespace {

// A signal handler reaches only what is global; these two are set and cleared by the one
// CancelOnInterrupt alive and read by the handler.
std::atomic<WorkProgress*> watched{nullptr};
volatile std::sig_atomic_t interrupted = 0;
static_assert(std::atomic<WorkProgress*>::is_always_lock_free);

struct sigaction previousInt;
struct sigaction previousTerm;

extern "C" void OnInterrupt(int) {
    interrupted = 1;
    if (WorkProgress* progress = watched.load()) progress->Cancel();
}

}  // namespace

CancelOnInterrupt::CancelOnInterrupt(WorkProgress& progress) {
    interrupted = 0;
    watched.store(&progress);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;  // the second signal takes the default way
    // A signal the process was started to ignore (a background job, nohup) stays ignored.
    sigaction(SIGINT, nullptr, &previousInt);
    sigaction(SIGTERM, nullptr, &previousTerm);
    if (previousInt.sa_handler != SIG_IGN) sigaction(SIGINT, &action, nullptr);
    if (previousTerm.sa_handler != SIG_IGN) sigaction(SIGTERM, &action, nullptr);
}

CancelOnInterrupt::~CancelOnInterrupt() {
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
    watched.store(nullptr);
}

bool CancelOnInterrupt::Interrupted() const {
    return interrupted != 0;
}

}  // namespace velmora::cli
