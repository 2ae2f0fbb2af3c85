#pragma once

#include <QFileInfo>
#include <QSortFilterProxyModel>

// Narrows a file dialog's QFileSystemModel to folders and the files the
// user may run. Qt's own filters cannot say this: QDir::Executable on the
// dialog's model hides what does not match *every* permission left out, so
// readable files vanish along with the rest.
class ExecutableFilesFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    // Folders (to walk through) and files with execute permission.
    static bool offers(const QFileInfo& file);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
};
