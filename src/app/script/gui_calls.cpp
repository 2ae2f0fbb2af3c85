#include "app/script/gui_calls.h"

#include <QMetaObject>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// How long the window's thread watches for the next call after one, and the
// most it serves in one go before its own events come again.
constexpr auto kWatchForNext = std::chrono::microseconds(200);
constexpr auto kServeAtMost = std::chrono::milliseconds(4);
// How long the script's thread watches for its answer before it sleeps.
constexpr auto kWatchForAnswer = std::chrono::microseconds(200);

// One step of a short watch: tells the processor that this thread spins,
// without leaving it to the system (a system call each step would cost as
// much as the wake-up the watch saves).
inline void relax() {
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#else
    std::this_thread::yield();
#endif
}

// Watches for `ready` until `deadline`, reading the clock now and then.
template <class Ready>
bool watch(Ready ready, Clock::time_point deadline) {
    for (unsigned step = 0;; ++step) {
        if (ready())
            return true;
        if ((step & 63) == 0 && Clock::now() >= deadline)
            return ready();
        relax();
    }
}

}  // namespace

GuiCalls::GuiCalls() = default;

void GuiCalls::callErased(void* context, Invoker invoke) {
    m_context = context;
    m_invoke = invoke;
    m_state.store(kWaiting);
    // Either serve() still watches and sees the call, or it has stopped and
    // this wakes it through the event queue (a wake that finds nothing
    // waiting is harmless).
    if (!m_serving.load())
        QMetaObject::invokeMethod(this, &GuiCalls::serve, Qt::QueuedConnection);

    const auto answered = [this] { return m_state.load(std::memory_order_acquire) == kDone; };
    if (!watch(answered, Clock::now() + kWatchForAnswer)) {
        std::unique_lock<std::mutex> hold(m_lock);
        m_done.wait(hold, [this] { return m_state.load(std::memory_order_acquire) == kDone; });
    }
    m_state.store(kIdle);
}

void GuiCalls::runWaitingCall() {
    m_inCall = true;
    m_invoke(m_context);
    m_inCall = false;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_state.store(kDone, std::memory_order_release);
    }
    m_done.notify_one();
}

void GuiCalls::serve() {
    // A dialog a call opened dispatches events itself: the call it belongs
    // to is still running.
    if (m_inCall)
        return;
    m_serving.store(true);
    const auto start = Clock::now();
    const auto waiting = [this] { return m_state.load(std::memory_order_acquire) == kWaiting; };
    while (watch(waiting, Clock::now() + kWatchForNext)) {
        runWaitingCall();
        if (Clock::now() - start > kServeAtMost)
            break;
    }
    m_serving.store(false);
    // A call that came as the watch ended waits its turn behind the events.
    if (m_state.load() == kWaiting)
        QMetaObject::invokeMethod(this, &GuiCalls::serve, Qt::QueuedConnection);
}
