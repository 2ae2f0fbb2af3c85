#pragma once

#include <memory>

#include "app/frame/command_line.h"

class Application;
class AutomationServer;
class KeyFilter;
struct AppEnvironment;

// Exit codes of a start that did not reach the main loop.
namespace StartupCode {
inline constexpr int kQuiet = 0;               // nothing to show: cancelled, or handed elsewhere
inline constexpr int kApplicationFailed = -2;  // the Application could not be made
inline constexpr int kWindowSetupFailed = -3;  // window class, menus or resident services
inline constexpr int kWindowFailed = -4;       // the main window could not be made
inline constexpr int kNoteFailed = -5;         // the first empty note could not be made
inline constexpr int kHelpFailed = -6;         // the help note: load failed or shown elsewhere
inline constexpr int kTemplateFailed = -7;     // no note from a template
inline constexpr int kRegistrationFailed = 1;  // "RegServer" could not write the activation file
}  // namespace StartupCode

// What a start-up came to: either a running Application whose window is
// shown (the caller runs the event loop), or an exit code.
struct StartupOutcome {
    bool runLoop = false;
    int exitCode = StartupCode::kQuiet;
    std::unique_ptr<Application> application;
    std::unique_ptr<KeyFilter> keyFilter;
    // The resident process's automation objects on the session bus; null
    // when the bus or the name was not to be had.
    std::unique_ptr<AutomationServer> automationServer;

    StartupOutcome();
    StartupOutcome(StartupOutcome&&) noexcept;
    StartupOutcome& operator=(StartupOutcome&&) noexcept;
    ~StartupOutcome();
};

// The process start after the command line was read: server registration
// (the activation file written or removed, and nothing else),
// the first-run choice, the Application and its window, the help note or a
// template, the note arguments, the window shown, the start-up option.
// Needs a QApplication.
StartupOutcome startUp(const CommandLine& commandLine, AppEnvironment& environment);
