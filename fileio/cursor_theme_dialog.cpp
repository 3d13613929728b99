#include "fileio/cursor_theme_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "fileio/cursor_theme_names.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "platform/window_handles.h"

namespace {

QString AliasText(const ThemeCursorShape& shape) {
  QStringList names;
  for (const char* alias : shape.aliases) names << QString::fromUtf8(alias);
  if (names.isEmpty()) return UiText(QT_TRANSLATE_NOOP("Quillet2", "別名のリンク: なし"));
  return UiText(QT_TRANSLATE_NOOP("Quillet2", "別名のリンク: %1")).arg(names.join(QStringLiteral(", ")));
}

}  // namespace

std::optional<ThemeExportChoice> RunThemeExportDialog(const std::string& folder, const std::string& name) {
  QDialog* dialog = CreateTemplateDialog(windowHandles.main, THEME_DIALOG_TITLE, 300, 92, "ＭＳ Ｐゴシック", 9);
  dialog->setObjectName(QStringLiteral("2400"));
  auto* folderLabel = new QLabel(UiText(QT_TRANSLATE_NOOP("Quillet2", "テーマのフォルダ")));
  PlaceTemplateControl(*dialog, folderLabel, ID_THEME_FOLDER_LABEL, 7, 9, 60, 9);
  auto* folderEdit = new QLineEdit(QString::fromStdString(folder));
  PlaceTemplateControl(*dialog, folderEdit, ID_THEME_FOLDER, 70, 7, 170, 13);
  auto* browse = new QPushButton(UiText(QT_TRANSLATE_NOOP("Quillet2", "参照...")));
  PlaceTemplateControl(*dialog, browse, ID_THEME_BROWSE, 246, 7, 47, 13);
  auto* nameLabel = new QLabel(UiText(QT_TRANSLATE_NOOP("Quillet2", "カーソルの名前")));
  PlaceTemplateControl(*dialog, nameLabel, ID_THEME_NAME_LABEL, 7, 29, 60, 9);
  auto* names = new QComboBox;
  const ThemeCursorShape* start = ThemeShapeNamed(name);
  for (const ThemeCursorShape& shape : ThemeCursorShapes()) {
    names->addItem(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(shape.name), UiText(shape.meaning)),
                   QString::fromUtf8(shape.name));
    if (&shape == start) names->setCurrentIndex(names->count() - 1);
  }
  PlaceTemplateControl(*dialog, names, ID_THEME_NAME, 70, 27, 223, 120);
  auto* aliases = new QLabel;
  PlaceTemplateControl(*dialog, aliases, ID_THEME_ALIASES, 70, 45, 223, 18);
  aliases->setWordWrap(true);
  const auto showAliases = [names, aliases] {
    const ThemeCursorShape* shape = ThemeShapeNamed(names->currentData().toString().toStdString());
    aliases->setText(shape != nullptr ? AliasText(*shape) : QString());
  };
  showAliases();
  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(*dialog, ok, IDOK, 190, 70, 50, 15);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(*dialog, cancel, IDCANCEL, 243, 70, 50, 15);
  PlaceDialogOverMain(*dialog);

  QObject::connect(names, &QComboBox::currentIndexChanged, dialog, showAliases);
  QObject::connect(browse, &QPushButton::clicked, dialog, [folderEdit] {
    if (const auto chosen = ChooseFolder(THEME_DIALOG_TITLE, folderEdit->text().toStdString()))
      folderEdit->setText(QString::fromStdString(*chosen));
  });
  // A theme needs a folder to go into.
  const auto allowOk = [ok, folderEdit] { ok->setEnabled(!folderEdit->text().trimmed().isEmpty()); };
  allowOk();
  QObject::connect(folderEdit, &QLineEdit::textChanged, dialog, allowOk);
  QObject::connect(ok, &QPushButton::clicked, dialog, [dialog, ok] {
    if (ok->isEnabled()) dialog->done(IDOK);
  });
  QObject::connect(cancel, &QPushButton::clicked, dialog, [dialog] { dialog->done(IDCANCEL); });

  std::optional<ThemeExportChoice> choice;
  if (RunModalDialog(*dialog) == IDOK)
    choice = ThemeExportChoice{folderEdit->text().trimmed().toStdString(), names->currentData().toString().toStdString()};
  delete dialog;
  return choice;
}
