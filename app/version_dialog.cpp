#include "app/version_dialog.h"

#include <QCursor>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

#include "app/main_window.h"
#include "platform/dialog_template.h"
#include "platform/fonts.h"
#include "platform/modal.h"
#include "platform/ui_text.h"

namespace {

enum : int {
  ID_FRAME = 2004,
  ID_PICTURE = 2201,
  ID_VERSION = 2002,
  ID_LICENCE = 2202,
};

// The program's licence, under the version text.
inline constexpr const char* LICENCE_TEXT = QT_TRANSLATE_NOOP("Quillet2", "ＭＩＴライセンス");

}  // namespace

QPoint VersionDialogPlace(int cursorX, int dialogWidth, const QPoint& current) {
  return {std::max(0, cursorX - dialogWidth / 3), std::max(0, current.y())};
}

QPixmap VersionPicture() {
  // A quill over a sheet, in black on white with a transparent surround.
  QImage picture(32, 32, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(4, 8, 18, 22);
  for (int line = 14; line <= 26; line += 4) painter.drawLine(7, line, 18, line);
  painter.setBrush(Qt::black);
  const QPoint quill[] = {{28, 1}, {31, 3}, {16, 22}, {13, 24}, {14, 20}};
  painter.drawPolygon(quill, 5);
  painter.end();
  return QPixmap::fromImage(picture);
}

int ShowVersionDialog() {
  QDialog* dialog = CreateTemplateDialog(mainWindows.main, QT_TRANSLATE_NOOP("Quillet2", "バージョン情報"), 205, 60,
                                         "ＭＳ Ｐ明朝", 10);
  dialog->setObjectName(QStringLiteral("2200"));

  auto* frame = new QFrame;
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PlaceTemplateControl(*dialog, frame, ID_FRAME, 5, 5, 195, 40);

  // A static icon control takes the size of its icon.
  auto* picture = new QLabel;
  picture->setPixmap(VersionPicture());
  PlaceTemplateControl(*dialog, picture, ID_PICTURE, 12, 15, 20, 20);
  picture->resize(32, 32);

  auto* version = new QLabel(QString::fromUtf8(VERSION_TEXT));
  version->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  PlaceTemplateControl(*dialog, version, ID_VERSION, 40, 15, 125, 10);

  auto* licence = new QLabel(QString::fromUtf8(LICENCE_TEXT));
  licence->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  PlaceTemplateControl(*dialog, licence, ID_LICENCE, 40, 29, 125, 10);

  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(*dialog, ok, IDCANCEL, 86, 47, 30, 13);
  ok->setDefault(true);

  // Left of the cursor, at the height the dialog starts at: the top of the
  // main window.
  const QPoint start = mainWindows.main != nullptr ? mainWindows.main->frameGeometry().topLeft() : QPoint(0, 0);
  dialog->move(VersionDialogPlace(QCursor::pos().x(), dialog->frameGeometry().width(), start));

  // The version text is shown in a bold fixed-pitch Mincho of 8 points for
  // as long as the dialog is open; the label gets its own font back after.
  const QFont former = version->font();
  QFont bold = MakePointFont("ＭＳ 明朝", 8, true);
  bold.setFixedPitch(true);
  bold.setStyleHint(QFont::TypeWriter, QFont::PreferQuality);
  version->setFont(bold);

  const auto close = [dialog, version, former] {
    version->setFont(former);
    dialog->done(IDCANCEL);
  };
  QObject::connect(ok, &QPushButton::clicked, dialog, close);
  // Escape and the caption's close button are command 2 as well.
  QObject::connect(dialog, &QDialog::rejected, dialog, [dialog, version, former] {
    version->setFont(former);
    dialog->setResult(IDCANCEL);
  });

  const int result = RunModalDialog(*dialog);
  delete dialog;
  return result;
}
