#include "platform/dialog_template.h"

#include <QComboBox>
#include <QFontMetrics>

#include "platform/fonts.h"
#include "platform/program_paths.h"

DialogUnits DialogBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width of the 52 Latin letters, rounded, as the classic
  // dialog manager measures it.
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnitsToPixels(const DialogUnits& units, int x, int y, int width, int height) {
  return QRect(x * units.baseX / 4, y * units.baseY / 8, width * units.baseX / 4, height * units.baseY / 8);
}

QDialog* CreateTemplateDialog(QWidget* owner, const std::string& caption, int cx, int cy, const std::string& faceName,
                              int pointSize) {
  auto* dialog = new QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                        Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  dialog->setWindowTitle(QString::fromStdString(caption));
  dialog->setFont(MakePointFont(faceName, pointSize));
  dialog->setWindowIcon(ProgramIcon());
  const QRect size = DialogUnitsToPixels(DialogBaseUnits(dialog->font()), 0, 0, cx, cy);
  dialog->setFixedSize(size.width(), size.height());
  return dialog;
}

void PlaceTemplateControl(QDialog& dialog, QWidget* control, int id, int x, int y, int width, int height) {
  control->setParent(&dialog);
  control->setObjectName(QString::number(id));
  QRect place = DialogUnitsToPixels(DialogBaseUnits(dialog.font()), x, y, width, height);
  if (qobject_cast<QComboBox*>(control) != nullptr) place.setHeight(control->sizeHint().height());
  control->setGeometry(place);
}

int ReadDialogNumber(const std::string& text) {
  // The dialog reads only the first 6 characters of the box.
  const std::string head = text.substr(0, 6);
  std::size_t i = 0;
  while (i < head.size() && (head[i] == ' ' || head[i] == '\t' || head[i] == '\n' || head[i] == '\r' ||
                             head[i] == '\v' || head[i] == '\f'))
    ++i;
  bool negative = false;
  if (i < head.size() && (head[i] == '+' || head[i] == '-')) negative = head[i++] == '-';
  long value = 0;
  while (i < head.size() && head[i] >= '0' && head[i] <= '9') value = value * 10 + (head[i++] - '0');
  return static_cast<int>(negative ? -value : value);
}
