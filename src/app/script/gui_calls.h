#pragma once

#include <QObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

// Hands the script thread's calls to the window's thread, one at a time, and
// waits for each to be done. A script makes tens of thousands of such calls
// (every member of every item); going through the event queue for each would
// cost two thread wake-ups a call. So the window's thread, once woken for a
// call, keeps watching for the next one for a moment before it goes back to
// its events, and the script thread watches for the answer before it sleeps.
// The window's thread serves for a bounded time in one go, so that its own
// events (the Cancel button, painting) are never held up for long.
//
// Lives on the window's thread; call() is for the script's thread only.
class GuiCalls : public QObject {
    Q_OBJECT
public:
    GuiCalls();

    // Runs `call` on the window's thread and returns when it is done.
    template <class F>
    void call(F& work) {
        callErased(&work, [](void* context) { (*static_cast<F*>(context))(); });
    }

private:
    using Invoker = void (*)(void*);

    void callErased(void* context, Invoker invoke);
    // On the window's thread: runs the waiting call and any that follow
    // closely.
    void serve();
    void runWaitingCall();

    enum State : int { kIdle, kWaiting, kDone };

    bool m_inCall = false;  // a call runs (it may have opened a dialog)
    std::atomic<int> m_state{kIdle};
    // The window's thread is in serve(), watching for calls.
    std::atomic<bool> m_serving{false};
    void* m_context = nullptr;
    Invoker m_invoke = nullptr;
    std::mutex m_lock;
    std::condition_variable m_done;
};
