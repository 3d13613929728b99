#include "fileio/import_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "model/tab_lifecycle.h"
#include "model/ui_text.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "platform/window_handles.h"

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QString SizeText(int width, int height) { return QString::number(width) + "×" + QString::number(height); }

void AddLabel(QDialog& dialog, int id, const char* text, int x, int y, int width, int height) {
  auto* label = new QLabel(QString::fromUtf8(text));
  PlaceTemplateControl(dialog, label, id, x, y, width, height);
}

QTreeWidget* AddList(QDialog& dialog, const std::vector<ImportEntry>& entries, const std::vector<ImportPlan>& plans) {
  auto* list = new QTreeWidget;
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::NoSelection);
  list->setHeaderLabels(
      {UiText(QT_TRANSLATE_NOOP("Quillet2", "大きさ")), UiText(QT_TRANSLATE_NOOP("Quillet2", "ビット")),
       UiText(QT_TRANSLATE_NOOP("Quillet2", "使用色数")), UiText(QT_TRANSLATE_NOOP("Quillet2", "取り込み後"))});
  const std::vector<bool> checks = DefaultImportChecks(entries);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ImportEntry& entry = entries[i];
    auto* item = new QTreeWidgetItem(list);
    item->setText(0, SizeText(entry.width, entry.height));
    item->setText(1, QString::number(entry.bitCount) + (entry.png ? " PNG" : ""));
    if (entry.problem.empty()) {
      item->setText(2, QString::number(plans[i].sourceColours));
      item->setText(3, Text(DescribeResult(plans[i], UiString)));
      item->setCheckState(0, checks[i] ? Qt::Checked : Qt::Unchecked);
    } else {
      item->setText(3, UiText(QT_TRANSLATE_NOOP("Quillet2", "%1（%2）"))
                           .arg(UiText(IMPORT_UNREADABLE), UiText(entry.problem.c_str())));
      // An unreadable image can never be chosen.
      item->setFlags(item->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled));
    }
  }
  list->header()->setStretchLastSection(true);
  for (int column = 0; column < 3; ++column) list->resizeColumnToContents(column);
  PlaceTemplateControl(dialog, list, ID_IMPORT_LIST, 7, 16, 266, 90);
  return list;
}

// Shows the losses of the checked images and allows OK only with one
// checked.
void UpdateLosses(QDialog& dialog, const std::vector<ImportEntry>& entries, const std::vector<ImportPlan>& plans) {
  auto* list = FindControl<QTreeWidget>(dialog, ID_IMPORT_LIST);
  QStringList lines;
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    if (entries[i].problem.empty() && list->topLevelItem(i)->checkState(0) == Qt::Checked)
      lines << QString::number(i + 1) + ". " + Text(DescribeLoss(plans[i], UiString));
  FindControl<QPlainTextEdit>(dialog, ID_IMPORT_LOSSES)->setPlainText(lines.join('\n'));
  FindControl<QPushButton>(dialog, IDOK)->setEnabled(!lines.isEmpty());
}

}  // namespace

std::vector<bool> DefaultImportChecks(const std::vector<ImportEntry>& entries) {
  std::vector<bool> checks(entries.size(), false);
  int largest = -1;
  bool any = false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ImportEntry& entry = entries[i];
    if (!entry.problem.empty()) continue;
    if (entry.width <= MAX_IMAGE_SIZE && entry.height <= MAX_IMAGE_SIZE) checks[i] = any = true;
    if (largest < 0 || entry.width * entry.height > entries[largest].width * entries[largest].height)
      largest = static_cast<int>(i);
  }
  if (!any && largest >= 0) checks[largest] = true;
  return checks;
}

std::optional<ImportChoice> RunImportDialog(const std::vector<ImportEntry>& entries,
                                            const std::vector<ImportPlan>& plans) {
  QDialog* dialog = CreateTemplateDialog(windowHandles.main, IMPORT_TITLE, 280, 178, "ＭＳ Ｐゴシック", 9);
  dialog->setObjectName(QStringLiteral("2300"));
  AddLabel(*dialog, ID_IMPORT_LIST_LABEL, QT_TRANSLATE_NOOP("Quillet2", "取り込む画像にチェックをつけてください"), 7, 5,
           266, 9);
  QTreeWidget* list = AddList(*dialog, entries, plans);
  AddLabel(*dialog, ID_IMPORT_LOSS_LABEL, QT_TRANSLATE_NOOP("Quillet2", "取り込みで失われるもの"), 7, 110, 266, 9);
  auto* losses = new QPlainTextEdit;
  losses->setReadOnly(true);
  losses->setLineWrapMode(QPlainTextEdit::NoWrap);
  PlaceTemplateControl(*dialog, losses, ID_IMPORT_LOSSES, 7, 120, 266, 34);
  auto* dither = new QCheckBox(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "256色に減らすときディザをかける")));
  PlaceTemplateControl(*dialog, dither, ID_IMPORT_DITHER, 7, 160, 150, 12);
  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(*dialog, ok, IDOK, 176, 158, 45, 15);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(*dialog, cancel, IDCANCEL, 228, 158, 45, 15);
  PlaceDialogOverMain(*dialog);
  UpdateLosses(*dialog, entries, plans);

  QObject::connect(list, &QTreeWidget::itemChanged, dialog, [=, &entries, &plans] {
    UpdateLosses(*dialog, entries, plans);
  });
  QObject::connect(ok, &QPushButton::clicked, dialog, [=] { dialog->done(IDOK); });
  QObject::connect(cancel, &QPushButton::clicked, dialog, [=] { dialog->done(IDCANCEL); });

  const int result = RunModalDialog(*dialog);
  std::optional<ImportChoice> choice;
  if (result == IDOK) {
    choice.emplace();
    choice->dither = dither->isChecked();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      if (entries[i].problem.empty() && list->topLevelItem(i)->checkState(0) == Qt::Checked)
        choice->entries.push_back(i);
  }
  delete dialog;
  return choice;
}
