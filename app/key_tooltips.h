#pragma once
// Tooltips that name the keys of their command.

#include <QString>

// The tooltip with the command's keys in brackets after it, in the
// desktop's way of writing keys; as it was for a command without keys.
QString TooltipWithKeys(const QString& tooltip, int commandId);
