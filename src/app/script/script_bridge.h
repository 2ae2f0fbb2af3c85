#pragma once

#include <QJSValue>
#include <QObject>
#include <QThread>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/automation/automation_error.h"
#include "app/script/gui_calls.h"
#include "core/automation/item_object.h"

class QJSEngine;
class QWidget;
class ScriptGui;

namespace tidemark {
class FileSystem;
class FolderServices;
class Settings;
}  // namespace tidemark

// What every script object shares within one run: the engine it lives in,
// the window's thread the note belongs to, and the services the objects
// are made with. Made on the engine's thread; lives as long as the engine.
class ScriptBridge {
public:
    ScriptBridge(QJSEngine& engine, GuiCalls& guiSide, tidemark::FileSystem& files,
                 tidemark::FolderServices& folders, const tidemark::Settings& settings)
        : m_engine(engine),
          m_gui(guiSide),
          m_files(files),
          m_folders(folders),
          m_settings(settings) {}

    QJSEngine& engine() const { return m_engine; }
    tidemark::FileSystem& files() const { return m_files; }
    tidemark::FolderServices& folders() const { return m_folders; }
    const tidemark::Settings& settings() const { return m_settings; }

    // Runs `call` on the window's thread and hands back its result: the
    // note and the widgets are only ever touched there. The script's
    // thread waits meanwhile.
    template <class F>
    auto onGui(F&& call) const -> std::invoke_result_t<F> {
        using R = std::invoke_result_t<F>;
        if (QThread::currentThread() == m_gui.thread())
            return call();
        if constexpr (std::is_void_v<R>) {
            auto work = [&] {
                m_released.clear();
                call();
            };
            m_gui.call(work);
        } else {
            std::optional<R> result;
            auto work = [&] {
                m_released.clear();
                result.emplace(call());
            };
            m_gui.call(work);
            return std::move(*result);
        }
    }

    // An item object the script let go of: its reference is dropped on
    // the window's thread with the next call there (a script lets go of
    // thousands; one call each would double the calls).
    void releaseItem(tidemark::ItemHandle item) const;
    // Drops every item reference let go of so far; before the run ends.
    void releaseHeldItems() const;

    // Raises the error into the script as an Error whose message and
    // description are the message text and whose number is the string id.
    void raise(const tidemark::AutomationError& error) const;

    // The script's object for an item, owned by the engine: a memo group
    // object, a memo object, or null.
    QObject* wrapItem(const tidemark::ItemHandle& item) const;
    QJSValue wrap(QObject* object) const;

    // For members whose outcome is a Result: its value, or the neutral
    // value after raising its error.
    template <class T>
    T take(tidemark::Result<T> result, T neutral = T()) const {
        if (result.Ok())
            return std::move(result).Value();
        raise(result.Error());
        return neutral;
    }
    void take(const tidemark::Status& status) const {
        if (!status.Ok())
            raise(status.Error());
    }

private:
    QJSEngine& m_engine;
    static constexpr std::size_t kReleasedAtMost = 1024;

    GuiCalls& m_gui;
    // Item references let go of on the script's thread, waiting for the
    // window's; touched by either only while the other waits.
    mutable std::vector<tidemark::ItemHandle> m_released;
    tidemark::FileSystem& m_files;
    tidemark::FolderServices& m_folders;
    const tidemark::Settings& m_settings;
};
