#pragma once

#include <QLoggingCategory>

// The automation server: name ownership, clients coming and going.
Q_DECLARE_LOGGING_CATEGORY(lcAutomationServer)
