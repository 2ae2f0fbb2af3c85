#include "app/frame/command_icons.h"

#include <QHash>

namespace {

using namespace tidemark;

QString iconFile(CommandId id) {
    switch (id) {
        case kCmdOpenNote:
            return QStringLiteral("open");
        case kCmdSave:
            return QStringLiteral("save");
        case kCmdPrint:
            return QStringLiteral("print");
        case kCmdCut:
            return QStringLiteral("cut");
        case kCmdCopy:
            return QStringLiteral("copy");
        case kCmdPaste:
            return QStringLiteral("paste");
        case kCmdDelete:
            return QStringLiteral("delete");
        case kCmdFindNextDown:
            return QStringLiteral("find-down");
        case kCmdFindNextUp:
            return QStringLiteral("find-up");
        case kCmdLayoutSideBySide:
            return QStringLiteral("layout-side-by-side");
        case kCmdLayoutStacked:
            return QStringLiteral("layout-stacked");
        case kCmdLayoutAlternate:
            return QStringLiteral("layout-alternate");
        case kCmdSwitchPane:
            return QStringLiteral("switch-pane");
        case kCmdPreviousMemo:
            return QStringLiteral("previous-memo");
        case kCmdNextMemo:
            return QStringLiteral("next-memo");
        case kCmdParentGroup:
            return QStringLiteral("parent-group");
        case kCmdNewMemo:
            return QStringLiteral("new-memo");
        case kCmdNewGroup:
            return QStringLiteral("new-group");
        case kCmdLockGroup:
            return QStringLiteral("lock");
        case kCmdSetRemarks:
            return QStringLiteral("remarks");
        case kCmdSetTextColour:
            return QStringLiteral("text-colour");
        case kCmdSetBackgroundColour:
            return QStringLiteral("background-colour");
        case kCmdStrikeOut:
            return QStringLiteral("strike-out");
        case kCmdWordWrap:
            return QStringLiteral("word-wrap");
        case kCmdRemarksIsLink:
            return QStringLiteral("link");
        case kCmdCopyAttributes:
            return QStringLiteral("copy-attributes");
        case kCmdApplyAttributes:
            return QStringLiteral("apply-attributes");
        default:
            return QString();
    }
}

QIcon fromResource(const QString& name) {
    static QHash<QString, QIcon> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        it = cache.insert(name, QIcon(QStringLiteral(":/icons/%1.svg").arg(name)));
    }
    return it.value();
}

}  // namespace

QIcon commandIcon(CommandId id) {
    const QString name = iconFile(id);
    return name.isEmpty() ? QIcon() : fromResource(name);
}

QIcon programIcon(bool modified) {
    return fromResource(modified ? QStringLiteral("app-modified") : QStringLiteral("app"));
}

QIcon statusIcon(StatusIcon icon) {
    switch (icon) {
        case StatusIcon::kNoteItems:
            return fromResource(QStringLiteral("status-items"));
        case StatusIcon::kHint:
            return fromResource(QStringLiteral("status-hint"));
        case StatusIcon::kLink:
            return fromResource(QStringLiteral("status-link"));
        case StatusIcon::kFailure:
            return fromResource(QStringLiteral("status-failure"));
        case StatusIcon::kTextFilesOnly:
            return fromResource(QStringLiteral("status-text-files"));
        case StatusIcon::kNone:
            break;
    }
    return QIcon();
}

// Outside any namespace, as the resource macro needs.
static void initTidemarkResources() {
    Q_INIT_RESOURCE(tidemark);
}

void initResources() {
    initTidemarkResources();
}
