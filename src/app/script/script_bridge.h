#pragma once

#include <QJSValue>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

#include "core/automation/automation_error.h"
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
    ScriptBridge(QJSEngine& engine, QObject& guiSide, tidemark::FileSystem& files,
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
            QMetaObject::invokeMethod(
                &m_gui, [&] { call(); }, Qt::BlockingQueuedConnection);
        } else {
            std::optional<R> result;
            QMetaObject::invokeMethod(
                &m_gui, [&] { result.emplace(call()); }, Qt::BlockingQueuedConnection);
            return std::move(*result);
        }
    }

    // Raises the error into the script as an Error whose message and
    // description are the message text and whose number is the string id.
    void raise(const tidemark::AutomationError& error) const;

    // The script's value for an item: a memo group object, a memo object,
    // or null.
    QJSValue wrapItem(const tidemark::ItemHandle& item) const;
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
    QObject& m_gui;
    tidemark::FileSystem& m_files;
    tidemark::FolderServices& m_folders;
    const tidemark::Settings& m_settings;
};
