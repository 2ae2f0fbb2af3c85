#pragma once

#include <QString>
#include <functional>
#include <optional>

// The name of the note file that the first save of a new note creates when
// automatic saving is on: "マイ ノート.tmk" in `folder`, or, when that is
// taken, "マイ ノート1.tmk", "マイ ノート2.tmk" … up to 9999. Nothing when
// all are taken.
std::optional<QString> freeDefaultNotePath(const QString& folder,
                                           const std::function<bool(const QString&)>& exists);

// The folders tried in order: the user's documents folder, then the desktop.
// Each is created when missing; an empty string when it cannot be.
QString documentsFolder();
QString desktopFolder();
