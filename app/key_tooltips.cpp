#include "app/key_tooltips.h"

#include <QKeySequence>
#include <QStringList>

#include "app/shortcuts.h"

QString TooltipWithKeys(const QString& tooltip, int commandId) {
  const QList<QKeySequence> keys = CommandShortcuts(commandId);
  if (keys.isEmpty()) return tooltip;
  QStringList names;
  for (const QKeySequence& key : keys) names << key.toString(QKeySequence::NativeText);
  // The tooltips keep a space at each end; the keys go inside them.
  QString text = tooltip;
  const bool spaced = text.endsWith(QLatin1Char(' '));
  if (spaced) text.chop(1);
  return text + QStringLiteral(" (") + names.join(QStringLiteral(", ")) + QStringLiteral(")") +
         (spaced ? QStringLiteral(" ") : QString());
}
