#include "app/common/command_actions.h"

#include <QActionGroup>

#include "platform/qt_key_sequences.h"

namespace {

// The text an alias was made with, before any key text was added.
constexpr char kOwnTextProperty[] = "tidemarkOwnText";

}  // namespace

CommandActions::CommandActions(QObject* parent) : QObject(parent) {
    auto* layouts = new QActionGroup(this);
    layouts->setExclusive(true);
    for (const CommandInfo& info : commandTable()) {
        const CommandId id = info.id;
        auto* action = new QAction(menuTextOf(id), this);
        action->setObjectName(QStringLiteral("command%1").arg(id));
        action->setData(int(id));
        const QString help = statusHelpOf(id);
        action->setStatusTip(help);
        action->setToolTip(help);
        const CommandStyle style = commandStyle(id);
        action->setCheckable(style != CommandStyle::kPlain);
        if (style == CommandStyle::kRadio)
            layouts->addAction(action);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, id] { dispatch(id); });
        m_actions.insert(id, action);
    }
}

QAction* CommandActions::action(CommandId id) const {
    return m_actions.value(id, nullptr);
}

QAction* CommandActions::alias(CommandId id, const QString& text) {
    QAction* main = action(id);
    if (!main)
        return nullptr;
    auto* face = new QAction(main->icon(), text, this);
    face->setObjectName(QStringLiteral("command%1.alias%2").arg(id).arg(m_aliases[id].size()));
    face->setData(int(id));
    face->setStatusTip(main->statusTip());
    face->setToolTip(main->toolTip());
    face->setCheckable(main->isCheckable());
    face->setChecked(main->isChecked());
    face->setEnabled(main->isEnabled());
    connect(face, &QAction::triggered, this, [this, id] { dispatch(id); });
    m_aliases[id].append(face);
    return face;
}

QAction* CommandActions::addRangeAction(CommandId id, const QString& text, Handler handler,
                                        QObject* owner) {
    auto* action = new QAction(text, owner);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setData(int(id));
    action->setStatusTip(statusHelpOf(id));
    connect(action, &QAction::triggered, this, [this, id, handler] {
        emit commandStarting(id);
        handler();
        emit commandFinished(id);
    });
    return action;
}

void CommandActions::setHandler(CommandId id, Handler handler, StateRule rule) {
    m_handlers.insert(id, std::move(handler));
    if (rule) {
        m_rules.insert(id, std::move(rule));
    } else {
        m_rules.remove(id);
    }
}

void CommandActions::setAliasCheckRule(CommandId id, std::function<bool()> rule) {
    m_aliasChecks.insert(id, std::move(rule));
}

bool CommandActions::dispatch(CommandId id) {
    QAction* main = action(id);
    auto handler = m_handlers.find(id);
    if (!main || handler == m_handlers.end() || m_busy)
        return false;
    // A command the state rule greys out is ignored, whichever way it came.
    const CommandState state = m_rules.contains(id) ? m_rules[id]() : CommandState{};
    if (!state.enabled) {
        applyState(id, state);
        return false;
    }
    emit commandStarting(id);
    // Copied: a handler may replace its own registration.
    const Handler run = handler.value();
    run();
    emit commandFinished(id);
    return true;
}

void CommandActions::updateActions() {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const CommandId id = it.key();
        if (m_busy) {
            // No rule runs while a job holds the window; the check marks stay.
            it.value()->setEnabled(false);
            for (QAction* face : m_aliases.value(id))
                face->setEnabled(false);
            continue;
        }
        CommandState state{false, false};
        if (m_handlers.contains(id)) {
            state = m_rules.contains(id) ? m_rules[id]() : CommandState{};
        }
        applyState(id, state);
    }
}

void CommandActions::applyState(CommandId id, const CommandState& state) {
    const auto show = [](QAction* face, bool enabled, bool checked) {
        face->setEnabled(enabled);
        if (face->isCheckable() && face->isChecked() != checked) {
            const QSignalBlocker quiet(face);
            face->setChecked(checked);
        }
    };
    if (QAction* main = m_actions.value(id))
        show(main, state.enabled, state.checked);
    const auto aliasCheck = m_aliasChecks.constFind(id);
    const bool aliasChecked =
        aliasCheck == m_aliasChecks.cend() ? state.checked : state.enabled && (*aliasCheck)();
    for (QAction* face : m_aliases.value(id))
        show(face, state.enabled, aliasChecked);
}

void CommandActions::setAliasText(QAction* face, const QString& text) {
    const QString shown = face->text();
    const qsizetype tab = shown.indexOf(u'\t');
    face->setProperty(kOwnTextProperty, text);
    face->setText(tab >= 0 ? text + shown.mid(tab) : text);
}

void CommandActions::applyShortcuts(const tidemark::KeyTable& keys) {
    const QMap<int, QList<QKeySequence>> shortcuts = shortcutsByCommand(keys);
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const CommandId id = it.key();
        it.value()->setShortcuts(shortcuts.value(id));
        // Menus show the key as the key table writes it, after a tab (a text
        // with a tab of its own keeps Qt from adding its spelling).
        const QString keyText = QString::fromStdString(keys.KeyTextOf(id));
        const auto withKey = [&keyText](QString text) {
            if (keyText.isEmpty())
                return text;
            const qsizetype tab = text.indexOf(u'\t');
            if (tab >= 0)
                text.truncate(tab);
            return text + u'\t' + keyText;
        };
        it.value()->setText(withKey(menuTextOf(id)));
        for (QAction* face : m_aliases.value(id)) {
            if (!face->property(kOwnTextProperty).isValid())
                face->setProperty(kOwnTextProperty, face->text());
            face->setText(withKey(face->property(kOwnTextProperty).toString()));
        }
    }
    m_rangeShortcuts.clear();
    m_rangeKeyTexts.clear();
    for (auto it = shortcuts.cbegin(); it != shortcuts.cend(); ++it) {
        const auto id = static_cast<CommandId>(it.key());
        if (m_actions.contains(id))
            continue;
        m_rangeShortcuts.insert(id, it.value());
        m_rangeKeyTexts.insert(id, QString::fromStdString(keys.KeyTextOf(id)));
    }
    emit shortcutsApplied();
}
