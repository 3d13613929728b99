// Development tool: opens every dialog of the program in the language the
// environment chooses (QUILLET2_LANG=en for English) and saves a picture of
// each, together with the main window and its menus, and names every control
// whose text is wider than the control.
// Usage: QUILLET2_LANG=en dialog_shots OUTPUT_FOLDER

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdio>
#include <string>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/language.h"
#include "app/main_window.h"
#include "app/status_note.h"
#include "fileio/icon_format.h"
#include "fileio/open_flow.h"
#include "fileio/recent_files.h"
#include "import/dialog.h"
#include "import/flow.h"
#include "palette/colour_dialog.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/text_fit.h"
#include "storage/file_message.h"

namespace {

std::string folder = ".";

void Save(QWidget& widget, const std::string& name) {
  const QPixmap picture = widget.grab();
  const std::string path = folder + "/" + name + ".png";
  std::printf("%s: %dx%d %s\n", path.c_str(), picture.width(), picture.height(),
              picture.save(QString::fromStdString(path)) ? "saved" : "NOT SAVED");
}

void Check(QWidget& window, const std::string& name) {
  for (const QString& text : TextsCutOff(window))
    std::printf("  %s: cut off: %s\n", name.c_str(), text.toStdString().c_str());
}

// In the import dialog of a real icon: only its largest image, made into
// 16, 32 and 48 pixels of 16 colours.
void ChooseImportTargets(QDialog& dialog) {
  auto* list = FindControl<QTreeWidget>(dialog, ID_IMPORT_LIST);
  const int last = list->topLevelItemCount() - 1;
  for (int i = 0; i < last; ++i) list->topLevelItem(i)->setCheckState(IMPORT_COLUMN_SIZE, Qt::Unchecked);
  list->topLevelItem(last)->setCheckState(IMPORT_COLUMN_SIZE, Qt::Checked);
  QWidget* sizes = list->itemWidget(list->topLevelItem(last), IMPORT_COLUMN_TARGET_SIZES);
  for (QToolButton* button : sizes->findChildren<QToolButton*>()) {
    const int size = button->property("importSize").toInt();
    button->setChecked(size == 16 || size == 32 || size == 48 || button->isChecked());
  }
  for (QToolButton* button : sizes->findChildren<QToolButton*>())
    if (button->property("importSize").toInt() == 64) button->setChecked(false);
  auto* colours = list->itemWidget(list->topLevelItem(last), IMPORT_COLUMN_TARGET_COLOURS)->findChild<QComboBox*>();
  colours->setCurrentIndex(colours->findData(16));
  list->scrollToItem(list->topLevelItem(last));
  QApplication::processEvents();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc > 1) folder = argv[1];
  InstallChosenLanguage();
  CreateMainWindow();
  mainWindows.main->show();

  std::string shot;
  int dialogs = 0;
  ModalScript script;
  script.onDialog = [&](QDialog& dialog) {
    if (shot == "import-dialog-sizes") ChooseImportTargets(dialog);
    if (shot == "import-dialog-palette") {
      // A palette file without black: the dialog names it and shows the
      // colour count it gives.
      auto* palette = FindControl<QComboBox>(dialog, ID_IMPORT_PALETTE);
      palette->setCurrentIndex(3);
      emit palette->activated(3);
      QApplication::processEvents();
    }
    const std::string name = shot + (dialogs++ == 0 ? "" : "-" + std::to_string(dialogs));
    Save(dialog, name);
    Check(dialog, name);
    // The new-tab dialog is answered so that there is a tab to work on.
    if (shot == "new-tab-dialog") {
      FindControl<QAbstractButton>(dialog, IDOK)->click();
      return;
    }
    // The first of two chained dialogs goes on to the second one.
    if (shot == "batch-colour-dialog" && dialogs == 1) {
      FindControl<QAbstractButton>(dialog, 2022)->click();
      FindControl<QAbstractButton>(dialog, IDOK)->click();
      return;
    }
    if (auto* cancel = FindControl<QAbstractButton>(dialog, IDCANCEL)) cancel->click();
  };
  script.onMessageBox = [](const MessageBoxRequest& request) {
    std::printf("message [%s]: %s\n", request.caption.c_str(), request.text.c_str());
    return int(IDOK);
  };
  InstallModalScript(&script);
  const auto run = [&](const char* name, auto action) {
    shot = name;
    dialogs = 0;
    action();
  };
  run("new-tab-dialog", [] { DispatchCommand(CMD_NEW_TAB); });
  run("new-tab-dialog-second", [] { DispatchCommand(CMD_NEW_TAB); });
  run("rotate-dialog", [] { DispatchCommand(CMD_ROTATE); });
  run("text-dialog", [] { DispatchCommand(CMD_TEXT); });
  run("reduce-colours-dialog", [] { DispatchCommand(CMD_REDUCE_COLORS); });
  run("batch-colour-dialog", [] { DispatchCommand(CMD_BATCH_COLORS); });
  run("colour-dialog", [] { RunColorDialog(1); });
  run("version-dialog", [] { DispatchCommand(CMD_VERSION); });
  run("save-type-dialog", [] { DispatchCommand(CMD_SAVE); });
  run("frame-time-dialog", [] { DispatchCommand(CMD_FRAME_TIME); });
  run("cursor-theme-dialog", [] { DispatchCommand(CMD_EXPORT_CURSOR_THEME); });
  QImage picture(24, 24, QImage::Format_RGB32);
  picture.fill(Qt::red);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 24; ++x) picture.setPixel(x, y, qRgb(0, 0, 255));
  QApplication::clipboard()->setImage(picture);
  run("transparent-paste-dialog", [] { DispatchCommand(CMD_PASTE_TRANSPARENT); });
  // A picture larger than an icon, with half-transparent pixels, so the
  // import names what it loses.
  QImage large(96, 80, QImage::Format_ARGB32);
  large.fill(qRgba(0, 128, 255, 255));
  for (int x = 0; x < 96; ++x) large.setPixel(x, 0, qRgba(x * 2, 0, 0, 100));
  const std::string largePath = folder + "/import-sample.png";
  large.save(QString::fromStdString(largePath));
  run("import-dialog", [&] { ImportFile(largePath); });
  if (argc > 2) run("import-dialog-sizes", [&] { ImportFile(argv[2]); });
  const std::string palettePath = folder + "/no-black.hex";
  std::FILE* paletteFile = std::fopen(palettePath.c_str(), "w");
  if (paletteFile != nullptr) {
    std::fputs("ff0000\n00ff00\n0000ff\nffffff\n", paletteFile);
    std::fclose(paletteFile);
  }
  script.onFileDialog = [&](const FileDialogRequest&) { return std::optional<std::string>(palettePath); };
  run("import-dialog-palette", [&] { ImportFile(largePath); });
  script.onFileDialog = nullptr;
  InstallModalScript(nullptr);

  // Message boxes size themselves to their texts; two real ones, taken
  // while they are open.
  const auto showBox = [](const char* name, auto ask) {
    QTimer::singleShot(300, [name] {
      if (QWidget* box = QApplication::activeModalWidget()) {
        Save(*box, name);
        box->close();
      }
    });
    ask();
  };
  showBox("message-question", [] { AskQuestion(OPEN_REPLACE_QUESTION, MB_YESNOCANCEL); });
  showBox("message-report", [] { ShowReport(FileMessage("/home/user/icons/example.ico", ICON_COMPRESSED)); });
  showBox("file-dialog", [] { DispatchCommand(CMD_OPEN); });

  // The file menu with its list of recent files.
  NoteRecentFile("/home/user/icons/example.ico");
  NoteRecentFile("/home/user/icons & more/application.ico");

  mainWindows.main->resize(900, 700);
  QApplication::processEvents();
  Save(*mainWindows.main, "main-window");
  Check(*mainWindows.main, "main-window");
  // The status line with the note an export leaves.
  ShowStatusNote("/home/user/.icons/my-cursors/cursors/left_ptr: default, arrow, top_left_arrow");
  QApplication::processEvents();
  Save(*mainWindows.main, "main-window-note");
  ShowStatusNote({});
  int index = 0;
  for (QAction* action : mainWindows.main->menuBar()->actions()) {
    QMenu* menu = action->menu();
    if (menu == nullptr) continue;
    menu->popup(mainWindows.main->mapToGlobal(QPoint(0, 0)));
    QApplication::processEvents();
    Save(*menu, "menu-" + std::to_string(index++));
    menu->hide();
  }
  DestroyMainWindow();
  return 0;
}
