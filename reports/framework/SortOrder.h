#pragma once

#include <QString>

// The sort text the report filter window last chose: "Asc" after it loads, ""
// for ascending, "DESC" for descending.
extern QString SortOrder;

enum class SortDirection { Ascending, Descending };

// Only "DESC" (in any letter case) sorts downwards; any other text, whatever it
// holds, sorts upwards, so no text of a window ever reaches the SQL.
SortDirection sortDirectionOf(const QString& sortText);
// The SQL keyword of a direction: "ASC" or "DESC".
QString sortKeyword(SortDirection direction);
