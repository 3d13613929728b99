#include "app/status_note.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include "app/main_window.h"

namespace {

// A note longer than its room loses its middle, so that the start of the
// path and the names written at its end both stay in sight.
class NoteLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, width()));
  }
};

// The note's label lives in the status line and goes with it.
QPointer<QLabel> note;

constexpr int NOTE_SHOWN_MS = 30000;

}  // namespace

void ShowStatusNote(const std::string& text) {
  QWidget* line = mainWindows.statusLine;
  if (line == nullptr) return;
  if (note == nullptr) {
    note = new NoteLabel(line);
    note->setObjectName(QStringLiteral("statusNote"));
    // The note takes the free middle of the line (the empty stretch there
    // gives way to it); a longer one gives way to the line's other parts
    // and keeps its whole text in the tooltip.
    note->setMinimumWidth(0);
    note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    if (auto* layout = qobject_cast<QBoxLayout*>(line->layout())) layout->insertWidget(layout->count() - 2, note, 1000);
  }
  const QString shown = QString::fromStdString(text);
  note->setText(shown);
  note->setToolTip(shown);
  note->show();
  QTimer::singleShot(NOTE_SHOWN_MS, note, [shown] {
    if (note != nullptr && note->text() == shown) note->clear();
  });
}

void ShowStatusNote(const std::string& text, const std::vector<std::string>& details) {
  ShowStatusNote(text);
  if (note == nullptr || details.empty()) return;
  std::string tip;
  for (const std::string& line : details) tip += (tip.empty() ? "" : "\n") + line;
  note->setToolTip(QString::fromStdString(tip));
}

std::string StatusNote() { return note != nullptr ? note->text().toStdString() : std::string(); }
