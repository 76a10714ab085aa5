#include "designspace/background_work.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace velmora {

std::string CurrentExceptionText() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown error";
    }
}

int JobThreads(std::size_t count, int threads) {
    const std::size_t wanted = static_cast<std::size_t>(std::clamp(threads, 1, 256));
    return static_cast<int>(std::max<std::size_t>(1, std::min(wanted, count)));
}

void RunJobs(std::size_t count, int threads, const WorkProgress& progress,
             const std::function<void(std::size_t k, int slot)>& job,
             const std::function<void(std::size_t k, const std::string& what)>& failed) {
    std::atomic<std::size_t> next{0};
    auto work = [&](int slot) {
        for (;;) {
            if (progress.Cancelled()) return;
            const std::size_t k = next.fetch_add(1, std::memory_order_relaxed);
            if (k >= count) return;
            try {
                job(k, slot);
            } catch (...) {
                try {
                    failed(k, CurrentExceptionText());
                } catch (...) {
                    // Memory too short even to record the failure: the job is dropped.
                }
            }
        }
    };
    const int used = JobThreads(count, threads);
    std::vector<std::thread> workers;
    workers.reserve(static_cast<std::size_t>(used));
    // A thread the system refuses to start leaves its share to the others.
    try {
        for (int slot = 1; slot < used; ++slot) workers.emplace_back(work, slot);
    } catch (const std::system_error&) {
    }
    work(0);
    for (std::thread& worker : workers) worker.join();
}

bool BackgroundThread::Start(std::function<void()> work, std::function<void()> ended) {
    if (Running()) return false;
    {
        std::lock_guard lock(failureMutex_);
        failure_.clear();
    }
    failed_.store(false, std::memory_order_relaxed);
    finished_.store(false, std::memory_order_relaxed);
    auto tell = [ended = std::move(ended)]() noexcept {
        try {
            if (ended) ended();
        } catch (...) {
            // The watcher finds out when it next looks.
        }
    };
    auto body = [this, work = std::move(work), tell] {
        try {
            work();
        } catch (...) {
            failed_.store(true, std::memory_order_relaxed);
            try {
                std::string text = CurrentExceptionText();
                std::lock_guard lock(failureMutex_);
                failure_ = std::move(text);
            } catch (...) {
                // No memory for the text: Failure() names the cause itself.
            }
        }
        finished_.store(true, std::memory_order_release);
        tell();
    };
    try {
        thread_ = std::thread(std::move(body));
    } catch (const std::system_error& e) {
        std::lock_guard lock(failureMutex_);
        failure_ = e.what();
        failed_.store(true, std::memory_order_relaxed);
        finished_.store(true, std::memory_order_release);
        tell();
        return false;
    }
    return true;
}

void BackgroundThread::Join() {
    if (thread_.joinable()) thread_.join();
}

std::string BackgroundThread::Failure() const {
    if (!failed_.load(std::memory_order_relaxed)) return {};
    std::lock_guard lock(failureMutex_);
    return failure_.empty() ? "out of memory" : failure_;
}

}  // namespace velmora
