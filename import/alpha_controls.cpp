#include "import/alpha_controls.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "platform/dialog_template.h"
#include "platform/translation.h"

void AddAlphaControls(QDialog& dialog, int left, int top, std::function<void()> changed) {
  auto* label = new QLabel(UiText(QT_TRANSLATE_NOOP("Quillet2", "透明にするアルファ")));
  PlaceTemplateControl(dialog, label, ID_IMPORT_ALPHA_LABEL, left, top + 2, 62, 9);
  auto* cut = new QSpinBox;
  cut->setRange(0, 255);
  cut->setValue(static_cast<int>(IMPORT_ALPHA_THRESHOLD));
  cut->setPrefix(QStringLiteral("< "));
  cut->setToolTip(UiText(QT_TRANSLATE_NOOP("Quillet2", "アルファがこの値より小さい画素を透明にします")));
  PlaceTemplateControl(dialog, cut, ID_IMPORT_ALPHA_CUT, left + 64, top, 34, 13);
  auto* matte = new QCheckBox(UiText(QT_TRANSLATE_NOOP("Quillet2", "重ねる色")));
  matte->setToolTip(UiText(QT_TRANSLATE_NOOP("Quillet2", "半透明の画素をこの色に重ねてから透明か不透明にします")));
  PlaceTemplateControl(dialog, matte, ID_IMPORT_MATTE, left + 104, top + 1, 44, 12);
  auto* colour = new QLineEdit(QStringLiteral("#FFFFFF"));
  // Six hexadecimal digits after the '#', always.
  colour->setInputMask(QStringLiteral("\\#HHHHHH"));
  colour->setEnabled(false);
  PlaceTemplateControl(dialog, colour, ID_IMPORT_MATTE_COLOUR, left + 150, top, 40, 13);

  QObject::connect(cut, &QSpinBox::valueChanged, &dialog, [changed] { changed(); });
  QObject::connect(matte, &QCheckBox::toggled, &dialog, [colour, changed](bool on) {
    colour->setEnabled(on);
    changed();
  });
  // A colour counts once all its digits are there.
  QObject::connect(colour, &QLineEdit::textChanged, &dialog, [colour, matte, changed] {
    if (matte->isChecked() && colour->hasAcceptableInput()) changed();
  });
}

AlphaCut ReadAlphaControls(const QDialog& dialog) {
  AlphaCut alpha;
  if (const auto* cut = FindControl<QSpinBox>(dialog, ID_IMPORT_ALPHA_CUT))
    alpha.cut = static_cast<std::uint32_t>(cut->value());
  const auto* matte = FindControl<QCheckBox>(dialog, ID_IMPORT_MATTE);
  const auto* colour = FindControl<QLineEdit>(dialog, ID_IMPORT_MATTE_COLOUR);
  if (matte != nullptr && colour != nullptr && matte->isChecked() && colour->hasAcceptableInput())
    alpha.matte = ParseMatteColour(colour->text().toStdString());
  return alpha;
}
