#include "app/main_window.h"

#include <QComboBox>
#include <QMainWindow>

#include "app/command_state.h"
#include "app/tab_strip.h"
#include "canvas/edit_view.h"
#include "canvas/preview.h"
#include "canvas/undo_history.h"
#include "model/tab_set.h"
#include "platform/fonts.h"
#include "platform/program_paths.h"
#include "platform/system_colors.h"

MainWindows mainWindows;
std::uint32_t gridLineColor = 0;

namespace {

QWidget* MakePanel(QWidget* parent, const char* className, int x, int y, int width, int height) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(className));
  panel->setGeometry(x, y, width, height);
  panel->setAutoFillBackground(true);
  return panel;
}

class MainFrame : public QMainWindow {
 public:
  MainFrame() {
    setObjectName(QStringLiteral("qlt2WndClass"));
    setWindowTitle(QString::fromLatin1(MAIN_CAPTION));
    setWindowIcon(ProgramIcon());
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QMainWindow::resizeEvent(event);
    if (mainWindows.tabStrip != nullptr) mainWindows.tabStrip->setGeometry(centralWidget()->rect());
  }
};

}  // namespace

QMainWindow* CreateMainWindow() {
  auto* frame = new MainFrame;
  mainWindows.main = frame;
  auto* client = new QWidget(frame);
  frame->setCentralWidget(client);

  auto* strip = new TabStrip(client);
  mainWindows.tabStrip = strip;

  mainWindows.editView = CreateEditView(strip);

  auto* background = new QComboBox(strip);
  background->setObjectName(QStringLiteral("8004"));
  background->setFont(MakePixelFont("ＭＳ Ｐゴシック", 12, true));
  for (const BackgroundEntry& entry : backgroundTable) background->addItem(QString::fromLatin1(entry.name));
  background->setCurrentIndex(DEFAULT_BACKGROUND);
  background->setGeometry(4, 24, 188, background->sizeHint().height());
  background->setEnabled(false);
  // A confirmed choice (not the browsing of the open list) sets the current
  // tab's background.
  QObject::connect(background, &QComboBox::activated, [](int index) { ChooseBackground(index); });
  mainWindows.backgroundBox = background;

  mainWindows.paletteWindow = MakePanel(strip, "palWndClass", 4, 144, 188, 227);
  mainWindows.paletteWindow->setEnabled(false);
  gridLineColor = GetSystemColor(COLOR_WINDOW) ^ 0xFFFFFF;
  mainWindows.preview = CreatePreview(strip);

  frame->resize(640, 640);
  frame->show();
  mainWindows.editView->setGeometry(195, 89, 440, 280);
  RebuildEditBackBuffer();
  RefreshCommandState(GROUP_ALL, 1);
  return frame;
}

void DestroyMainWindow() {
  FreeAllUndoHistories(tabSet);
  delete mainWindows.main;
  mainWindows = MainWindows{};
}

void SetMainCaption(const std::string& text) {
  if (mainWindows.main != nullptr) mainWindows.main->setWindowTitle(QString::fromStdString(text));
}
