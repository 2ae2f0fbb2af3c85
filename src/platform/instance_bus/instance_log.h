#pragma once

#include <QLoggingCategory>

// Messages of the instance bus: refused folders, dropped connections, peers
// that were skipped. Enable with QT_LOGGING_RULES="tidemark.instance.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcInstanceBus)
