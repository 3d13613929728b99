#include "palette/colour_dialog.h"

#include <QDialog>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "palette/scroll_bar_actions.h"
#include "platform/dialog_template.h"
#include "platform/fonts.h"
#include "platform/modal.h"
#include "platform/qt_colors.h"
#include "platform/scroll_request.h"
#include "platform/translation.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

HsvColor colorDialogHsv;

namespace {

// The opacity row comes last and is there only for a true-colour tab, whose
// pen carries an alpha of its own.
enum Channel : int { CH_R, CH_G, CH_B, CH_H, CH_S, CH_V, CH_A, CHANNEL_COUNT };

constexpr const char* LETTERS[CHANNEL_COUNT] = {"R", "G", "B", "H", "S", "V", "A"};
// Top of each row in dialog units; the letters sit one unit lower.
constexpr int ROW_TOP[CHANNEL_COUNT] = {12, 30, 48, 72, 90, 108, 132};
// The dialog's height in dialog units without and with the opacity row.
constexpr int DIALOG_HEIGHT = 127;
constexpr int DIALOG_HEIGHT_WITH_OPACITY = 151;
constexpr int STRIP_HEIGHT = 7;
constexpr int HUE_STRIP_WIDTH = 180;

int RangeEnd(int channel) { return channel == CH_H ? 359 : 255; }


// Everything one opening of the dialog works on.
struct ColorDialogRun {
  QDialog* dialog = nullptr;
  ImageTab* tab = nullptr;
  int index = 0;
  // CH_A + 1 with the opacity row, else CH_A.
  int channelCount = CH_A;
  ColorRef oldColor = 0;
  ColorRef current = 0;
  int values[CHANNEL_COUNT] = {};
  QScrollBar* bars[CHANNEL_COUNT] = {};
  QLabel* labels[CHANNEL_COUNT] = {};
  QImage strips[CHANNEL_COUNT];
  QRect previewRect;
  // The open edit box, the channel of the label it covers and the label's
  // place before it was moved out of sight.
  QLineEdit* edit = nullptr;
  int editChannel = -1;
  QPoint editLabelPlace;
};

void SetChannel(ColorDialogRun& run, int channel, int value) {
  run.values[channel] = value;
  run.labels[channel]->setText(QString::number(static_cast<unsigned>(value)));
  run.bars[channel]->setValue(value);
}

void SetRgbChannels(ColorDialogRun& run) {
  SetChannel(run, CH_R, RedOf(run.current));
  SetChannel(run, CH_G, GreenOf(run.current));
  SetChannel(run, CH_B, BlueOf(run.current));
}

void SetHsvChannels(ColorDialogRun& run) {
  SetChannel(run, CH_H, colorDialogHsv.hue);
  SetChannel(run, CH_S, colorDialogHsv.saturation);
  SetChannel(run, CH_V, colorDialogHsv.value);
}

void FillFixedStrips(ColorDialogRun& run) {
  if (run.channelCount > CH_A) {
    QImage& strip = run.strips[CH_A];
    strip = QImage(256, 1, QImage::Format_RGB32);
    // From transparent to opaque, as a grey that darkens.
    for (int x = 0; x < 256; ++x) strip.setPixelColor(x, 0, QColor(255 - x, 255 - x, 255 - x));
  }
  for (int channel = CH_R; channel <= CH_B; ++channel) {
    QImage& strip = run.strips[channel];
    strip = QImage(256, 1, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x)
      strip.setPixelColor(x, 0, QColor(channel == CH_R ? x : 0, channel == CH_G ? x : 0, channel == CH_B ? x : 0));
  }
}

// The H, S and V strips show what moving one of them would give from the
// current colour. A grey has no hue of its own; the dialog's hue fits it.
void FillHsvStrips(ColorDialogRun& run) {
  HsvColor base = colorDialogHsv;
  RgbToHsv(run.current, base, 0);
  QImage& hue = run.strips[CH_H];
  hue = QImage(HUE_STRIP_WIDTH, 1, QImage::Format_RGB32);
  for (int x = 0; x < HUE_STRIP_WIDTH; ++x)
    hue.setPixelColor(x, 0, ToQColor(HsvToRgb({2 * x, base.saturation, base.value})));
  QImage& saturation = run.strips[CH_S];
  QImage& value = run.strips[CH_V];
  saturation = QImage(256, 1, QImage::Format_RGB32);
  value = QImage(256, 1, QImage::Format_RGB32);
  for (int x = 0; x < 256; ++x) {
    saturation.setPixelColor(x, 0, ToQColor(HsvToRgb({base.hue, x, base.value})));
    value.setPixelColor(x, 0, ToQColor(HsvToRgb({base.hue, base.saturation, x})));
  }
}

// Writes the colour into the palette entry so that the image shows it at
// once. The palette window keeps the old colour until the dialog ends.
void WriteColorLive(ColorDialogRun& run) {
  run.tab->palette[run.index] = run.current;
  Announce(run.tab, CHANGE_PIXELS);
}

void CloseValueEdit(ColorDialogRun& run) {
  if (run.edit == nullptr) return;
  delete run.edit;
  run.edit = nullptr;
  run.labels[run.editChannel]->move(run.editLabelPlace);
  run.editChannel = -1;
}

// One scroll request on a channel, from its scroll bar or from the edit box.
void ScrollChannel(ColorDialogRun& run, int channel, ScrollRequest request, int position) {
  SetChannel(run, channel, NewScrollValue(run.values[channel], RangeEnd(channel), request, position));
  // The opacity belongs to the pen, not to the palette entry: nothing else
  // follows it.
  if (channel == CH_A) return;
  if (channel <= CH_B) {
    run.current = MakeColor(run.values[CH_R], run.values[CH_G], run.values[CH_B]);
    RgbToHsv(run.current, colorDialogHsv, 0);
  } else {
    if (channel == CH_H) colorDialogHsv.hue = run.values[CH_H];
    if (channel == CH_S) colorDialogHsv.saturation = run.values[CH_S];
    if (channel == CH_V) colorDialogHsv.value = run.values[CH_V];
    run.current = HsvToRgb(colorDialogHsv);
  }
  // Dragging updates the dialog continuously; the palette entry, and with
  // it the image, follows when the mouse lets go.
  if (request == SB_ENDSCROLL) {
    WriteColorLive(run);
    return;
  }
  if (channel <= CH_B)
    SetHsvChannels(run);
  else
    SetRgbChannels(run);
  FillHsvStrips(run);
  run.dialog->update();
}

void OnScrollBarAction(ColorDialogRun& run, int channel, int action) {
  CloseValueEdit(run);
  // The slider already moved to where Qt would put it; the handling sets
  // the position the dialog's own rule gives instead.
  ScrollChannel(run, channel, ScrollRequestOfAction(action), run.bars[channel]->sliderPosition());
}

void OnScrollBarReleased(ColorDialogRun& run, int channel) {
  QScrollBar* bar = run.bars[channel];
  if (bar->isSliderDown()) ScrollChannel(run, channel, SB_THUMBPOSITION, bar->sliderPosition());
  ScrollChannel(run, channel, SB_ENDSCROLL, 0);
}

// Text that is no number counts as 0.
int TypedNumber(const QString& text) {
  bool ok = false;
  const unsigned number = text.toUInt(&ok);
  return ok ? static_cast<int>(std::min(number, 999u)) : 0;
}

void OpenValueEdit(ColorDialogRun& run, int channel) {
  CloseValueEdit(run);
  QLabel* label = run.labels[channel];
  const QRect place = label->geometry();
  run.editLabelPlace = place.topLeft();
  run.editChannel = channel;
  label->move(place.left(), run.dialog->height() + place.height());

  auto* edit = new QLineEdit(run.dialog);
  edit->setObjectName(QString::number(ID_VALUE_EDIT));
  edit->setGeometry(place);
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit->setMaxLength(3);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  edit->setFont(PaletteDialogFont());
  edit->setText(label->text());
  edit->selectAll();
  edit->raise();
  edit->show();
  edit->setFocus();
  run.edit = edit;
  // Connected only now, so that putting the label's number in does not
  // count as typing. Every typed character is handled like a thumb moved
  // to the number; the range limit keeps channel bytes from wrapping.
  QObject::connect(edit, &QLineEdit::textChanged, run.dialog, [&run, channel](const QString& text) {
    ScrollChannel(run, channel, SB_THUMBPOSITION, TypedNumber(text));
  });
}

void PaintColorDialog(ColorDialogRun& run) {
  QPainter painter(run.dialog);
  painter.setPen(Qt::black);
  painter.setBrush(ToQColor(run.current));
  painter.drawRect(run.previewRect.adjusted(0, 0, -1, -1));
  painter.setPen(Qt::NoPen);
  for (int channel = 0; channel < run.channelCount; ++channel)
    painter.drawImage(ColorStripBand(*run.bars[channel]), run.strips[channel]);
}

// Turns the dialog's Qt events into the dialog's handlers: painting, clicks
// on value labels, and the release of a scroll bar that ends a scroll.
class ColorDialogEvents : public QObject {
 public:
  explicit ColorDialogEvents(ColorDialogRun& run) : QObject(run.dialog), run_(run) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == run_.dialog) {
      if (event->type() == QEvent::Paint) PaintColorDialog(run_);
      return false;
    }
    for (int channel = 0; channel < run_.channelCount; ++channel) {
      if (watched == run_.labels[channel] && event->type() == QEvent::MouseButtonPress &&
          static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OpenValueEdit(run_, channel);
        return true;
      }
      if (watched == run_.bars[channel]) {
        // The wheel would move a bar without ever finishing the scroll,
        // so the entry would not follow; the dialog takes no wheel input.
        if (event->type() == QEvent::Wheel) return true;
        // Any button that moved the thumb (the middle one jumps it) ends
        // the scroll when it lets go.
        if (event->type() == QEvent::MouseButtonRelease) OnScrollBarReleased(run_, channel);
        return false;
      }
    }
    return false;
  }

 private:
  ColorDialogRun& run_;
};

void BuildControls(ColorDialogRun& run) {
  QDialog& dialog = *run.dialog;
  auto* events = new ColorDialogEvents(run);
  dialog.installEventFilter(events);
  for (int channel = 0; channel < run.channelCount; ++channel) {
    AddRowLetter(dialog, ID_FIRST_LETTER + channel, ROW_TOP[channel], QString::fromLatin1(LETTERS[channel]));
    auto* bar = new QScrollBar(Qt::Horizontal);
    bar->setRange(0, RangeEnd(channel));
    const int barId = channel == CH_A ? ID_OPACITY_SCROLLBAR : ID_FIRST_SCROLLBAR + channel;
    PlaceRowBar(dialog, bar, barId, ROW_TOP[channel], events);
    QObject::connect(bar, &QAbstractSlider::actionTriggered, &dialog,
                     [&run, channel](int action) { OnScrollBarAction(run, channel, action); });
    run.bars[channel] = bar;
    run.labels[channel] = AddRowValue(dialog, ID_FIRST_VALUE + channel, ROW_TOP[channel], 18, events);
  }

  auto* frame = new QFrame;
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  PlaceTemplateControl(dialog, frame, ID_PREVIEW_FRAME, 212, 11, 45, 51);
  // Inside the etched frame: 2 pixels in at the left and top, 3 at the
  // right and bottom.
  const QRect outer = frame->geometry();
  run.previewRect = QRect(QPoint(outer.left() + 2, outer.top() + 2), QPoint(outer.right() - 3, outer.bottom() - 3));

  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(dialog, ok, IDOK, 212, 85, 45, 15);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(dialog, cancel, IDCANCEL, 212, 103, 45, 15);
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(IDOK); });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(IDCANCEL); });
}

}  // namespace

const QFont& PaletteDialogFont() {
  static const QFont font = MakePointFont("ＭＳ Ｐゴシック", 9, true);
  return font;
}

QRect ColorStripBand(const QScrollBar& bar) {
  QStyleOptionSlider option;
  option.initFrom(&bar);
  option.orientation = Qt::Horizontal;
  option.minimum = bar.minimum();
  option.maximum = bar.maximum();
  option.sliderPosition = bar.sliderPosition();
  option.sliderValue = bar.value();
  option.singleStep = bar.singleStep();
  option.pageStep = bar.pageStep();
  option.subControls = QStyle::SC_All;
  const QStyle* style = bar.style();
  const int leftArrow = style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, &bar).width();
  const int rightArrow = style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, &bar).width();
  const QRect place = bar.geometry();
  return QRect(QPoint(place.left() + leftArrow, place.top() - STRIP_HEIGHT),
               QPoint(place.right() - rightArrow, place.top() - 1));
}

int RunColorDialog(int index, int* opacity) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr || index < 0 || index >= PaletteSize(*tab)) return -1;
  ColorDialogRun run;
  run.tab = tab;
  run.index = index;
  run.oldColor = run.current = tab->palette[index];
  if (opacity != nullptr) run.channelCount = CH_A + 1;

  run.dialog = CreateTemplateDialog(windowHandles.main, QT_TRANSLATE_NOOP("Quillet2", "色"), 263,
                                    opacity != nullptr ? DIALOG_HEIGHT_WITH_OPACITY : DIALOG_HEIGHT,
                                    "ＭＳ Ｐゴシック", 9);
  run.dialog->setObjectName(QString::number(ID_COLOR_DIALOG));
  if (windowHandles.paletteWindow != nullptr)
    run.dialog->move(windowHandles.paletteWindow->mapToGlobal(QPoint(0, windowHandles.paletteWindow->height())));
  BuildControls(run);
  FillFixedStrips(run);
  SetRgbChannels(run);
  RgbToHsv(run.current, colorDialogHsv, 0);
  SetHsvChannels(run);
  FillHsvStrips(run);
  if (opacity != nullptr) {
    SetChannel(run, CH_A, std::clamp(*opacity, 0, 255));
    run.bars[CH_A]->setToolTip(QString::fromStdString(UiString(OPACITY_TIP)));
  }

  const int result = RunModalDialog(*run.dialog);
  delete run.dialog;
  if (result == IDOK) {
    if (opacity != nullptr) *opacity = run.values[CH_A];
    return static_cast<int>(run.current);
  }
  // Cancel, the close box and Escape all put the old colour back.
  tab->palette[index] = run.oldColor;
  return -1;
}
