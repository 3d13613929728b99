#include "app/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QSessionManager>
#include <QUrl>
#include <QWindowStateChangeEvent>

#include "app/command_ids.h"
#include "app/command_state.h"
#include "app/commands.h"
#include "app/deferred_style_icons.h"
#include "app/file_commands.h"
#include "app/floating_keys.h"
#include "app/icon_files.h"
#include "app/menus.h"
#include "app/recent_files_menu.h"
#include "app/settings.h"
#include "app/shortcuts.h"
#include "app/status_line.h"
#include "app/status_note.h"
#include "app/tab_strip.h"
#include "app/toolbar.h"
#include "app/unsaved_state.h"
#include "app/view_listeners.h"
#include "app/icon_set_dialog.h"
#include "import/icon_set_flow.h"
#include "canvas/cell_look.h"
#include "canvas/edit_view.h"
#include "canvas/floating_paste.h"
#include "canvas/preview.h"
#include "fileio/kept_entries.h"
#include "fileio/open_flow.h"
#include "fileio/save_flow.h"
#include "fileio/recent_files.h"
#include "fileio/true_colour_image.h"
#include "import/kept_copy.h"
#include "import/open_offer.h"
#include "import/true_colour_entries.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "model/undo_history.h"
#include "palette/palette_window.h"
#include "platform/clipboard.h"
#include "platform/fonts.h"
#include "platform/modal.h"
#include "platform/program_paths.h"
#include "platform/qt_colors.h"
#include "platform/system_colors.h"
#include "platform/translation.h"
#include "platform/window_handles.h"
#include "storage/file_message.h"

MainWindows mainWindows;
std::string iniPath;
int gripSize = 0;
int statusWndFlag = 1;

namespace {

// The smallest client area below the menu bar (without the size grip's
// strip): the panels' 372 pixels of height, and the width of the toolbar
// that starts 195 pixels in and is 522 wide with the shape tools, plus the
// two-pixel edges on either side that the window's minimum tracking size
// allows for. A narrower window would cut off the toolbar's last buttons.
constexpr int MIN_CLIENT_WIDTH = 195 + 522 + 2 * 2;
constexpr int MIN_CLIENT_HEIGHT = 372 + 2 * 2;

// Set while the window is maximized, so that restoring it lays it out again.
bool maximizedFlag = false;

// The main window's client area: button face, and the ridges of the size
// grip in the bottom-right corner.
class ClientArea : public QWidget {
 public:
  explicit ClientArea(QWidget* parent) : QWidget(parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(GetSystemColor(COLOR_BTNFACE)));
    if (mainWindows.sizeGrip == nullptr) return;
    // Diagonal ridges, light ones first, then the shadows between them.
    const int x = width() - 2;
    const int y = height();
    const auto ridge = [&](int d) { painter.drawLine(x, y - d, x - d, y); };
    painter.setPen(ToQColor(GetSystemColor(COLOR_BTNHIGHLIGHT)));
    for (int d : {11, 8, 5, 2}) ridge(d);
    painter.setPen(ToQColor(GetSystemColor(COLOR_BTNSHADOW)));
    for (int d : {10, 9, 7, 6, 4, 3, 1}) ridge(d);
  }
};

// The size grip: dragging it resizes the main window from its corner.
class SizeGrip : public QWidget {
 public:
  explicit SizeGrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("asWndClass"));
    setCursor(Qt::SizeFDiagCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    QMainWindow* window = mainWindows.main;
    if (window->isMaximized()) {
      window->showNormal();
      return;
    }
    if (dragging_) return;
    dragging_ = true;
    startCursor_ = event->globalPosition().toPoint();
    startSize_ = window->size();
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint moved = event->globalPosition().toPoint() - startCursor_;
    mainWindows.main->resize(startSize_.width() + moved.x(), startSize_.height() + moved.y());
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    LayoutMainWindow();
  }

 private:
  bool dragging_ = false;
  QPoint startCursor_;
  QSize startSize_;
};

void CreateSizeGrip() {
  mainWindows.sizeGrip = new SizeGrip(mainWindows.client);
  mainWindows.sizeGrip->show();
  gripSize = GRIP_SIZE;
}

void DestroySizeGrip() {
  delete mainWindows.sizeGrip;
  mainWindows.sizeGrip = nullptr;
  gripSize = 0;
}

void UpdateMinimumSize() {
  QMainWindow* window = mainWindows.main;
  const int menuHeight = window->menuBar() != nullptr ? window->menuBar()->sizeHint().height() : 0;
  window->setMinimumSize(MIN_CLIENT_WIDTH, MIN_CLIENT_HEIGHT + menuHeight + STATUS_LINE_HEIGHT + gripSize);
}

class MainFrame : public QMainWindow {
 public:
  MainFrame() {
    setObjectName(QStringLiteral("qlt2WndClass"));
    setWindowTitle(QString::fromLatin1(MAIN_CAPTION));
    // Read once by the program's own reader; the dialogs take it from here.
    static const bool iconRead = (SetProgramIcon(IconFromIconFile(FindDataFile("ICON/quillet2.ico"))), true);
    (void)iconRead;
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
  }

  // Closing through the back-buffer failure skips the save question.
  bool closeWithoutQuestion = false;

 protected:
  void closeEvent(QCloseEvent* event) override {
    // A floating block belongs to the image the save question asks about.
    CommitFloating();
    if (!closeWithoutQuestion && !AskSaveBeforeClose()) {
      event->ignore();
      return;
    }
    WriteSettings();
    event->accept();
  }

  void resizeEvent(QResizeEvent* event) override {
    QMainWindow::resizeEvent(event);
    // X11 tells no end of an interactive resize, so the panels follow every
    // size step instead of jumping into place when the button is released.
    if (!isMinimized()) LayoutMainWindow();
  }

  void changeEvent(QEvent* event) override {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
      if (isMaximized()) {
        maximizedFlag = true;
        LayoutMainWindow();
      } else if (!isMinimized() && maximizedFlag) {
        maximizedFlag = false;
        LayoutMainWindow();
      }
    } else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
      // System colours changed: the views draw with them.
      ImageTab* tab = CurrentTab();
      if (mainWindows.editView != nullptr) RepaintEditView(tab);
      if (mainWindows.preview != nullptr) RepaintPreview(tab);
    }
  }

  // Dropped files are only ever read, so a drop is taken as a copy whatever
  // the source proposes: a source told that its file was moved may delete it.
  static bool AcceptAsCopy(QDropEvent* event) {
    if (!event->mimeData()->hasUrls() || !(event->possibleActions() & Qt::CopyAction)) {
      event->ignore();
      return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
  }

  void dragEnterEvent(QDragEnterEvent* event) override { AcceptAsCopy(event); }
  void dragMoveEvent(QDragMoveEvent* event) override { AcceptAsCopy(event); }

  void dropEvent(QDropEvent* event) override {
    if (!AcceptAsCopy(event)) return;
    activateWindow();
    raise();
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
      if (url.isLocalFile()) paths << url.toLocalFile();
    CommitFloating();
    DropFiles(paths);
  }
};

}  // namespace

QFont MainFont() { return MakePixelFont("ＭＳ Ｐゴシック", 12, true); }

void DropFiles(const QStringList& paths) {
  if (paths.size() != 1) {
    ShowReport(ONE_FILE_ONLY);
    return;
  }
  OpenIconFile(paths.front().toStdString());
}

QMainWindow* CreateMainWindow() {
  if (iniPath.empty()) iniPath = SettingsFilePath();
  InstallDeferredStyleIcons();
  auto* frame = new MainFrame;
  mainWindows.main = frame;
  frame->setMenuBar(CreateMainMenu(frame));
  InstallRecentFilesMenu(*frame->menuBar()->actions().front()->menu());
  mainWindows.client = new ClientArea(frame);
  frame->setCentralWidget(mainWindows.client);
  mainWindows.statusLine = CreateStatusLine(mainWindows.client);

  const WindowSettings settings = ReadSettings();
  statusWndFlag = settings.statusWndFlag;
  grid = settings.grid;
  SetRecentFiles(settings.recentFiles);
  LastImportChoices() = settings.import;
  gripSize = 0;
  if (statusWndFlag == 1) CreateSizeGrip();
  UpdateMinimumSize();
  ApplyWindowSettings(settings);
  SetMenuChecked(CMD_SIZE_GRIP, statusWndFlag == 1);

  auto* strip = new TabStrip(mainWindows.client);
  mainWindows.tabStrip = strip;

  mainWindows.editView = CreateEditView(strip);

  auto* background = new QComboBox(strip);
  background->setObjectName(QStringLiteral("8004"));
  background->setFont(MainFont());
  background->setMaxVisibleItems(8);
  for (const BackgroundEntry& entry : backgroundTable) background->addItem(UiText(entry.name));
  background->addItem(UiText(CHECKERBOARD_NAME));
  background->setCurrentIndex(DEFAULT_BACKGROUND);
  background->setGeometry(4, 24, 188, 20);
  background->setEnabled(false);
  // Only a click gives the box the focus: taking it when the window first
  // shows would let the arrow keys change the background unseen.
  background->setFocusPolicy(Qt::ClickFocus);
  QObject::connect(background, &QComboBox::activated, background, [](int index) { OnBackgroundChosen(index); });
  mainWindows.backgroundBox = background;

  mainWindows.toolWindow = CreateToolWindow(strip);
  mainWindows.paletteWindow = CreatePaletteWindow(strip, [](unsigned command) { DispatchCommand(command); });
  mainWindows.paletteWindow->setEnabled(false);
  // The preview's canvas starts in the background colour, so the grid-line
  // colour is set first.
  gridLineColor = GetSystemColor(COLOR_WINDOW) ^ 0xFFFFFF;
  mainWindows.preview = CreatePreview(strip);
  windowHandles = {frame, mainWindows.paletteWindow, background};
  ListenToChanges();
  // Files Open refuses are offered to the import.
  SetOpenRefusal(ReportOrOfferImport);
  // Open shows the pictures of the images it keeps with the import's reader.
  SetKeptPictureDecoder(DecodeKeptEntryPicture);
  // Save writes true-colour images of 256 pixels as PNG with the import's
  // writer.
  SetPngPictureWriter(PngPictureData);
  // An icon-set export tells on the status line what it wrote.
  SetIconSetNoteShower(ShowStatusNote);

  frame->show();
  LayoutMainWindow();
  GiveKeyboardToMainWindow();

  // The paste entries follow what the clipboard holds.
  WatchClipboard(frame, [] { Announce(CurrentTab(), CHANGE_CLIPBOARD); });
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, frame, [](QSessionManager& manager) {
    if (!AllowSessionEnd()) manager.cancel();
  });
  InstallShortcuts();
  InstallFloatingKeys();
  RefreshCommandState(GROUP_ALL, 1);
  return frame;
}

void DestroyMainWindow() {
  // The views go with the window; no later change may reach them.
  ClearListeners();
  // A block still floating goes with the window's tabs, unplaced.
  floatingPaste.tab = nullptr;
  floatingPaste.block.active = false;
  windowHandles = WindowHandles{};
  FreeAllUndoHistories(tabSet);
  delete mainWindows.main;
  mainWindows = MainWindows{};
  gripSize = 0;
}

void LayoutMainWindow() {
  if (mainWindows.client == nullptr || mainWindows.tabStrip == nullptr) return;
  const QRect client = mainWindows.client->rect();
  if (mainWindows.sizeGrip != nullptr)
    mainWindows.sizeGrip->setGeometry(client.right() + 1 - gripSize, client.bottom() + 1 - gripSize, gripSize, gripSize);
  // The status line lies between the tab strip and the grip's strip, which
  // keeps its own height.
  const int stripHeight = client.height() - gripSize - STATUS_LINE_HEIGHT;
  mainWindows.tabStrip->setGeometry(0, 0, client.width(), stripHeight);
  if (mainWindows.statusLine != nullptr)
    mainWindows.statusLine->setGeometry(0, stripHeight, client.width(), STATUS_LINE_HEIGHT);
  const QRect strip = mainWindows.tabStrip->rect();
  if (mainWindows.editView != nullptr)
    mainWindows.editView->setGeometry(195, 89, std::max(1, strip.width() - 200), std::max(1, strip.height() - 94));
  // Showing the window lays it out from its first resize event; the layout
  // that follows at the same size keeps the buffer it made.
  if (EditBackBufferFitsView()) return;
  while (!RebuildEditBackBuffer()) {
    if (AskQuestion(BACK_BUFFER_QUESTION, MB_YESNO) != IDYES) {
      static_cast<MainFrame*>(mainWindows.main)->closeWithoutQuestion = true;
      mainWindows.main->close();
      return;
    }
  }
}

void ToggleSizeGrip() {
  QMainWindow* window = mainWindows.main;
  if (mainWindows.sizeGrip != nullptr) {
    DestroySizeGrip();
    statusWndFlag = 0;
    UpdateMinimumSize();
    window->resize(window->width(), window->height() - GRIP_SIZE);
  } else {
    CreateSizeGrip();
    statusWndFlag = 1;
    UpdateMinimumSize();
    window->resize(window->width(), window->height() + GRIP_SIZE);
  }
  SetMenuChecked(CMD_SIZE_GRIP, statusWndFlag == 1);
  LayoutMainWindow();
  mainWindows.client->update();
}

void RequestMainWindowClose() {
  if (mainWindows.main != nullptr) mainWindows.main->close();
}

bool AskSaveBeforeClose() {
  if (AllTabsUnchanged(tabSet)) return true;
  const int answer = AskQuestion(FileMessage(tabSet.documentName, SAVE_CHANGED_QUESTION), MB_YESNOCANCEL);
  if (answer == IDCANCEL) return false;
  if (answer == IDYES && SaveTypeDialog() == 2) return false;
  return true;
}

bool AllowSessionEnd() {
  if (AllTabsUnchanged(tabSet)) return true;
  // Cancel asks the session to wait, as closing the window would.
  const int answer = AskQuestion(FileMessage(tabSet.documentName, SAVE_CHANGED_QUESTION), MB_YESNOCANCEL);
  if (answer == IDCANCEL) return false;
  if (answer != IDYES) return true;
  return SaveTypeDialog() != 2;
}

void OnBackgroundChosen(int index) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr || index < 0) return;
  tab->backgroundIndex = index;
  Announce(tab, CHANGE_BACKGROUND);
}

void SetMainCaption(const std::string& text, bool changed) {
  if (mainWindows.main == nullptr) return;
  // The caption's document name is translated for the name a document has
  // before it was saved; a path has no translation and stays.
  std::string shown = text;
  if (shown.rfind(CAPTION_PREFIX, 0) == 0)
    shown = CAPTION_PREFIX + UiString(shown.substr(std::string(CAPTION_PREFIX).size()));
  mainWindows.main->setWindowTitle(QString::fromStdString(MarkCaption(shown, changed)));
}
