// The version dialog: its controls, its place beside the cursor, and that
// both OK and Escape end it with 2.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/version_dialog.h"
#include "platform/dialog_template.h"
#include "tests/support/main_window_fixture.h"

using VersionDialogTest = MainWindowTest;

TEST(VersionDialog, PlacedAThirdOfItsWidthLeftOfTheCursor) {
  EXPECT_EQ(VersionDialogPlace(500, 300, {40, 120}), QPoint(400, 120));
  EXPECT_EQ(VersionDialogPlace(500, 301, {40, 120}), QPoint(400, 120));
  // Near the left edge of the screen the dialog stops at 0.
  EXPECT_EQ(VersionDialogPlace(60, 300, {40, 120}), QPoint(0, 120));
  EXPECT_EQ(VersionDialogPlace(0, 300, {40, -15}), QPoint(0, 0));
}

TEST_F(VersionDialogTest, ShowsTheVersionAndEndsWithTwo) {
  QFont shown;
  QString caption;
  QString text;
  QString licence;
  bool picture = false;
  modal.QueueDialog([&](QDialog& dialog) {
    caption = dialog.windowTitle();
    auto* version = FindControl<QLabel>(dialog, 2002);
    ASSERT_NE(version, nullptr);
    text = version->text();
    shown = version->font();
    // The licence stands under the version, inside the frame.
    auto* licenceLine = FindControl<QLabel>(dialog, 2202);
    ASSERT_NE(licenceLine, nullptr);
    licence = licenceLine->text();
    EXPECT_GT(licenceLine->y(), version->y() + version->height() - 1);
    EXPECT_TRUE(FindControl<QWidget>(dialog, 2004)->geometry().contains(licenceLine->geometry()));
    auto* icon = FindControl<QLabel>(dialog, 2201);
    picture = icon != nullptr && icon->pixmap().size() == QSize(32, 32);
    auto* ok = FindControl<QAbstractButton>(dialog, 2);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text().toStdString(), "ＯＫ");
    EXPECT_GE(dialog.x(), 0);
    EXPECT_GE(dialog.y(), 0);
    PressButton(dialog, 2);
    // The version text has its own font back once the dialog ends.
    EXPECT_FALSE(version->font().bold());
  });
  EXPECT_EQ(ShowVersionDialog(), 2);
  EXPECT_EQ(caption.toStdString(), "バージョン情報");
  EXPECT_EQ(text.toStdString(), "Ｑｕｉｌｌｅｔ２ Ver 0.26β");
  EXPECT_EQ(licence.toStdString(), "ＭＩＴライセンス");
  EXPECT_TRUE(shown.bold());
  EXPECT_TRUE(shown.fixedPitch());
  EXPECT_EQ(shown.pixelSize(), 11) << "8 points at 96 pixels per inch";
  EXPECT_TRUE(picture);

  // Escape (or the caption's close button) gives 2 as well; so does the
  // command from the menu.
  modal.QueueDialog([](QDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(ShowVersionDialog(), 2);
  modal.QueueDialog([](QDialog& dialog) { dialog.reject(); });
  DispatchCommand(CMD_VERSION);
  EXPECT_EQ(modal.dialogsRun(), 3);
}
