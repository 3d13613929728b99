// Development tool: drives the real main window through scripted dialogs and
// saves pictures of it, for looking at the program without clicking.
// Usage: window_shots OUTPUT_FOLDER [FILE_TO_IMPORT]

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <string>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/new_tab_dialog.h"
#include "fileio/icon_format.h"
#include "fileio/open_flow.h"
#include "import/flow.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/program_paths.h"

namespace {

void Save(QWidget& widget, const std::string& path) {
  const QPixmap picture = widget.grab();
  std::printf("%s: %dx%d %s\n", path.c_str(), picture.width(), picture.height(),
              picture.save(QString::fromStdString(path)) ? "saved" : "NOT SAVED");
}

// The open file's last image, zoomed in three steps around the middle of
// the view, with the pointer resting on the view so that the status line
// names the pixel under it.
void ShowZoomed() {
  tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
  for (int i = 0; i < 3; ++i) DispatchCommand(CMD_ZOOM_IN);
  QWidget* view = mainWindows.editView;
  const QPointF point(view->width() * 0.45, view->height() * 0.4);
  QMouseEvent hover(QEvent::MouseMove, point, view->mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(view, &hover);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const std::string folder = argc > 1 ? argv[1] : ".";
  CreateMainWindow();

  struct Size {
    const char* width;
    const char* height;
    const char* colors;
  };
  const Size sizes[] = {{"32", "32", "16"}, {"16", "16", "2"}, {"48", "64", "256"}};
  int next = 0;
  ModalScript script;
  script.onDialog = [&](QDialog& dialog) {
    if (next == 0) Save(dialog, folder + "/new-tab-dialog.png");
    const Size& size = sizes[next++ % 3];
    FindControl<QComboBox>(dialog, 2011)->setEditText(size.width);
    FindControl<QComboBox>(dialog, 2012)->setEditText(size.height);
    FindControl<QComboBox>(dialog, 2013)->setCurrentText(size.colors);
    FindControl<QWidget>(dialog, IDOK)->metaObject()->invokeMethod(FindControl<QWidget>(dialog, IDOK), "click");
  };
  script.onMessageBox = [](const MessageBoxRequest& request) {
    std::printf("message: %s\n", request.text.c_str());
    return int(IDOK);
  };
  Save(*mainWindows.main, folder + "/empty-window.png");
  InstallModalScript(&script);
  for (int i = 0; i < 3; ++i) CommandNewTab();
  InstallModalScript(nullptr);
  QTimer::singleShot(300, [&] {
    Save(*mainWindows.main, folder + "/three-tabs.png");
    // The program's own icon, opened as a file and shown large.
    ModalScript discard;
    discard.onMessageBox = [](const MessageBoxRequest& request) {
      std::printf("message: %s\n", request.text.c_str());
      return int(IDNO);
    };
    InstallModalScript(&discard);
    OpenIconFile(ProgramFolder() + "ICON/quillet2.ico");
    InstallModalScript(nullptr);
    mainWindows.main->resize(900, 700);
    QTimer::singleShot(300, [&] {
      Save(*mainWindows.main, folder + "/icon-open.png");
      ShowZoomed();
      Save(*mainWindows.main, folder + "/zoom.png");
      // The import dialog over a file given on the command line, left
      // with its default choices and cancelled.
      if (argc > 2) {
        ModalScript importScript;
        const std::string input = argv[2];
        const bool svg = FileExtensionIs(input, ".svg") || FileExtensionIs(input, ".svgz");
        importScript.onDialog = [&](QDialog& dialog) {
          // A drawing is shown rendered at three sizes of its own; they are
          // pressed before the others are released, as a row keeps one.
          if (svg)
            for (bool wanted : {true, false})
              for (QToolButton* button : dialog.findChildren<QToolButton*>()) {
                const int size = button->property("importSize").toInt();
                if ((size == 16 || size == 32 || size == 48) == wanted) button->setChecked(wanted);
              }
          dialog.show();
          QApplication::processEvents();
          Save(dialog, folder + (svg ? "/import-svg-dialog.png" : "/import-dialog.png"));
        };
        InstallModalScript(&importScript);
        ImportFile(argv[2]);
        InstallModalScript(nullptr);
      }
      QApplication::quit();
    });
  });
  QApplication::exec();
  DestroyMainWindow();
  return 0;
}
