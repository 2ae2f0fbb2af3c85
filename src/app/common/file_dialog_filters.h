#pragma once

#include <QStringList>
#include <cstdint>

// The name filters of a string-table filter ("name\pattern\name\pattern\"),
// as Qt's file dialogs want them: each name with its pattern in parentheses.
QStringList fileDialogFilters(std::uint32_t filterStringId);
