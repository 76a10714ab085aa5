#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace velmora {

// Background work is done one way everywhere (sweeps, the optimizer, the tool windows): a run
// shares a WorkProgress with whoever watches it, hands its pieces to RunJobs, and a window or
// command starts the whole run on a BackgroundThread. Whatever a piece throws is caught where
// it happens and becomes a failed piece or a message; nothing reaches std::terminate.

// What a run shares with its watchers: the cancel request, the count of finished pieces and
// their total. Every member may be called from any thread; Cancel also from a signal handler.
class WorkProgress {
  public:
    void Cancel() noexcept { cancelled_.store(true, std::memory_order_relaxed); }
    bool Cancelled() const noexcept { return cancelled_.load(std::memory_order_relaxed); }
    void SetTotal(std::size_t total) noexcept { total_.store(total, std::memory_order_relaxed); }
    std::size_t Total() const noexcept { return total_.load(std::memory_order_relaxed); }
    void AddDone(std::size_t count = 1) noexcept {
        done_.fetch_add(count, std::memory_order_release);
    }
    std::size_t Done() const noexcept { return done_.load(std::memory_order_acquire); }

  private:
    std::atomic<bool> cancelled_{false};
    std::atomic<std::size_t> total_{0};
    std::atomic<std::size_t> done_{0};
};
static_assert(std::atomic<bool>::is_always_lock_free, "Cancel is called from signal handlers");

// Runs job(k, slot) for k = 0 .. count-1 on `threads` threads (clamped to 1..256 and to the
// count; the calling thread is one of them), each free thread taking the next k, so job k is
// the same whatever thread runs it. `slot` (0 .. threads-1) names the thread, for state of its
// own such as an evaluator. No job starts once `progress` is cancelled. A job that throws is
// passed to failed(k, what) on its thread and the others go on; if `failed` throws too, that
// job is dropped.
void RunJobs(std::size_t count, int threads, const WorkProgress& progress,
             const std::function<void(std::size_t k, int slot)>& job,
             const std::function<void(std::size_t k, const std::string& what)>& failed);

// The number of threads RunJobs will use for `threads` requested and `count` jobs.
int JobThreads(std::size_t count, int threads);

// The text of the exception being handled ("unknown error" when it is no std::exception).
// Only inside a catch block.
std::string CurrentExceptionText();

// One piece of work on a thread of its own, owned by whoever started it. What the work throws
// is kept as Failure() text instead of ending the program. The destructor waits for the work,
// so the owner cancels it first.
class BackgroundThread {
  public:
    BackgroundThread() = default;
    BackgroundThread(const BackgroundThread&) = delete;
    BackgroundThread& operator=(const BackgroundThread&) = delete;
    ~BackgroundThread() { Join(); }

    // False, and nothing started, while earlier work has not been joined. `ended`, when given,
    // is called once the work has returned or thrown (Finished() is then true), on the work's
    // thread, so a watcher can be told at once instead of finding out when it next looks.
    bool Start(std::function<void()> work, std::function<void()> ended = {});
    // Started and not yet joined.
    bool Running() const { return thread_.joinable(); }
    // The work has returned or thrown; Join will not wait.
    bool Finished() const { return finished_.load(std::memory_order_acquire); }
    void Join();
    // Why the last work ended early: the text of what it threw, empty when it returned.
    std::string Failure() const;

  private:
    std::thread thread_;
    std::atomic<bool> finished_{false};
    std::atomic<bool> failed_{false};
    mutable std::mutex failureMutex_;
    std::string failure_;
};

}  // namespace velmora
