#include "app/options/executable_files_filter.h"

#include <QFileSystemModel>

bool ExecutableFilesFilter::offers(const QFileInfo& file) {
    return file.isDir() || (file.isFile() && file.isExecutable());
}

bool ExecutableFilesFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files)
        return true;
    return offers(files->fileInfo(files->index(sourceRow, 0, sourceParent)));
}
