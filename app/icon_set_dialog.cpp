#include "app/icon_set_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "import/icon_set_flow.h"
#include "model/svg_source.h"
#include "model/tab_set.h"
#include "platform/folder_dialog.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "platform/window_handles.h"

namespace {

constexpr IconSetPlatform PLATFORMS[] = {ICON_SET_WINDOWS, ICON_SET_LINUX, ICON_SET_MAC, ICON_SET_WEB};
constexpr const char* PLATFORM_LABELS[] = {
    QT_TRANSLATE_NOOP("Quillet2", "Windows (.ico)"), QT_TRANSLATE_NOOP("Quillet2", "Linux (hicolor のフォルダ)"),
    QT_TRANSLATE_NOOP("Quillet2", "macOS (.icns)"), QT_TRANSLATE_NOOP("Quillet2", "ウェブ (favicon など)")};
// Larger pictures than this are listed but not drawn: at 1:1 a 256 px or
// larger picture fills the preview alone, and the small sizes, where
// scaling and hand-tuning show, are what the preview is for.
constexpr int PREVIEW_LARGEST = 128;
const QColor LIGHT_BACKGROUND(0xF4, 0xF4, 0xF4);
const QColor DARK_BACKGROUND(0x26, 0x26, 0x2A);

QPixmap PixmapOf(const RgbaPicture& picture, const QColor& background) {
  QImage image(picture.width, picture.height, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height; ++y)
    std::copy_n(picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.width, picture.width,
                reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
  QPixmap pixmap(picture.width, picture.height);
  pixmap.fill(background);
  {
    QPainter painter(&pixmap);
    painter.drawImage(0, 0, image);
  }
  return pixmap;
}

// One platform's row of the preview: its sizes, and each picture over the
// light background above the same over the dark one.
QWidget* PreviewRow(IconSetPictures& pictures, IconSetPlatform platform, const char* label) {
  auto* row = new QWidget;
  auto* layout = new QGridLayout(row);
  layout->setContentsMargins(0, 4, 0, 4);
  std::string sizes;
  int column = 0;
  for (int side : IconSetSides(platform)) {
    sizes += (sizes.empty() ? "" : ", ") + std::to_string(side);
    if (side > PREVIEW_LARGEST) continue;
    std::string error;
    const RgbaPicture* picture = pictures.Picture(side, error);
    if (picture == nullptr) continue;
    for (int shade = 0; shade < 2; ++shade) {
      auto* shown = new QLabel;
      shown->setPixmap(PixmapOf(*picture, shade == 0 ? LIGHT_BACKGROUND : DARK_BACKGROUND));
      shown->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
      layout->addWidget(shown, 1 + shade, column, Qt::AlignLeft | Qt::AlignBottom);
    }
    ++column;
  }
  layout->addWidget(new QLabel(UiText(label) + QStringLiteral(": ") + QString::fromStdString(sizes)), 0, 0, 1,
                    std::max(1, column), Qt::AlignLeft);
  layout->setColumnStretch(column, 1);
  return row;
}

std::string DefaultFolder(const std::string& name) {
  const QString document = QString::fromStdString(tabSet.documentName);
  const QString base = document.contains(QLatin1Char('/')) ? QFileInfo(document).absolutePath() : QDir::homePath();
  return (base + QStringLiteral("/")).toStdString() + name + "-icons";
}

}  // namespace

bool RunIconSetDialog(const IconSetInput& input, IconSetChoice& choice) {
  QDialog dialog(windowHandles.main);
  dialog.setWindowTitle(UiText(ICON_SET_TITLE));
  auto* layout = new QVBoxLayout(&dialog);
  auto* checks = new QHBoxLayout;
  QCheckBox* boxes[4] = {};
  for (int i = 0; i < 4; ++i) {
    boxes[i] = new QCheckBox(UiText(PLATFORM_LABELS[i]));
    boxes[i]->setObjectName(QString::fromLatin1(ICON_SET_CHECK_NAMES[i]));
    boxes[i]->setChecked((choice.platforms & PLATFORMS[i]) != 0);
    checks->addWidget(boxes[i]);
  }
  layout->addLayout(checks);
  auto* fields = new QGridLayout;
  auto* name = new QLineEdit(QString::fromStdString(choice.name));
  name->setObjectName(QString::fromLatin1(ICON_SET_NAME_FIELD));
  auto* folder = new QLineEdit(QString::fromStdString(choice.folder));
  folder->setObjectName(QString::fromLatin1(ICON_SET_FOLDER_FIELD));
  auto* browse = new QPushButton(UiText(QT_TRANSLATE_NOOP("Quillet2", "参照...")));
  browse->setObjectName(QString::fromLatin1(ICON_SET_BROWSE_BUTTON));
  fields->addWidget(new QLabel(UiText(QT_TRANSLATE_NOOP("Quillet2", "名前:"))), 0, 0);
  fields->addWidget(name, 0, 1, 1, 2);
  fields->addWidget(new QLabel(UiText(QT_TRANSLATE_NOOP("Quillet2", "書き出すフォルダ:"))), 1, 0);
  fields->addWidget(folder, 1, 1);
  fields->addWidget(browse, 1, 2);
  layout->addLayout(fields);

  IconSetPictures pictures(input);
  auto* preview = new QScrollArea;
  preview->setObjectName(QString::fromLatin1(ICON_SET_PREVIEW));
  auto* rows = new QWidget;
  auto* rowLayout = new QVBoxLayout(rows);
  QWidget* platformRows[4] = {};
  for (int i = 0; i < 4; ++i) {
    platformRows[i] = PreviewRow(pictures, PLATFORMS[i], PLATFORM_LABELS[i]);
    platformRows[i]->setVisible(boxes[i]->isChecked());
    rowLayout->addWidget(platformRows[i]);
  }
  rowLayout->addStretch(1);
  preview->setWidget(rows);
  preview->setWidgetResizable(true);
  preview->setMinimumSize(720, 420);
  layout->addWidget(preview, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(UiText(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  layout->addWidget(buttons);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  // The ids the program's other dialogs give their OK and Cancel buttons.
  ok->setObjectName(QString::number(IDOK));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QString::number(IDCANCEL));
  const auto chosen = [&] {
    unsigned platforms = 0;
    for (int i = 0; i < 4; ++i) platforms |= boxes[i]->isChecked() ? PLATFORMS[i] : 0u;
    return platforms;
  };
  // OK is offered only for something that can be written.
  const auto refresh = [&] {
    for (int i = 0; i < 4; ++i) platformRows[i]->setVisible(boxes[i]->isChecked());
    ok->setEnabled(chosen() != 0 && IconSetNameAccepted(name->text().toStdString()) &&
                   !folder->text().trimmed().isEmpty());
  };
  for (QCheckBox* box : boxes) QObject::connect(box, &QCheckBox::toggled, &dialog, refresh);
  QObject::connect(name, &QLineEdit::textChanged, &dialog, refresh);
  QObject::connect(folder, &QLineEdit::textChanged, &dialog, refresh);
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
    if (const auto picked = ChooseFolder(ICON_SET_TITLE, folder->text().toStdString()))
      folder->setText(QString::fromStdString(*picked));
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    if (ok->isEnabled()) dialog.done(IDOK);
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, [&] { dialog.done(IDCANCEL); });
  refresh();
  if (RunModalDialog(dialog) != IDOK) return false;
  choice.platforms = chosen();
  choice.name = name->text().toStdString();
  choice.folder = folder->text().trimmed().toStdString();
  return choice.platforms != 0 && IconSetNameAccepted(choice.name) && !choice.folder.empty();
}

void CommandExportIconSet() {
  if (tabSet.tabCount <= 0) return;
  IconSetInput input;
  input.images = DocumentIconSetImages();
  // A document imported from an SVG renders the sizes it lacks from it.
  if (const DocumentSvg* svg = DocumentSvgSource()) UseSvgSource(input, svg->bytes);
  IconSetChoice choice;
  choice.name = IconSetNameOf(tabSet.documentName);
  choice.folder = DefaultFolder(choice.name);
  if (!RunIconSetDialog(input, choice)) return;
  input.name = choice.name;
  input.platforms = choice.platforms;
  ExportIconSet(choice.folder, input);
}
