#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTreeWidget>
#include <cstdlib>
#include <fstream>

#include "app/command_ids.h"
#include "app/command_line.h"
#include "app/commands.h"
#include "app/desktop_language.h"
#include "app/language.h"
#include "app/menus.h"
#include "fileio/icon_format.h"
#include "fileio/open_flow.h"
#include "import/dialog.h"
#include "import/flow.h"
#include "palette/colour_dialog.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/profile.h"
#include "platform/text_fit.h"
#include "platform/translation.h"
#include "storage/file_message.h"
#include "tests/support/import_samples.h"
#include "tests/support/main_window_fixture.h"

namespace {

bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF)) return true;
  }
  return false;
}

// Every text of the window that a user reads and that is still Japanese.
QStringList JapaneseTexts(const QWidget& window) {
  QStringList texts;
  QList<const QWidget*> widgets;
  for (const QWidget* widget : window.findChildren<QWidget*>()) widgets << widget;
  widgets << &window;
  for (const QWidget* widget : widgets) {
    QStringList shown = {widget->toolTip()};
    if (widget->isWindow()) shown << widget->windowTitle();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) shown << button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) shown << label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) shown << group->title();
    for (const QAction* action : widget->actions()) shown << action->text() << action->toolTip();
    if (const auto* menu = qobject_cast<const QMenu*>(widget)) shown << menu->title();
    for (const QString& text : shown)
      if (HasJapanese(text)) texts << text;
  }
  return texts;
}

class EnglishTextsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InstallLanguage(Language::English));
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    InstallLanguage(Language::Japanese);
  }

  // Queues a check of the next dialog: every text translated and none cut
  // off; then the dialog is closed by the button given.
  void CheckNextDialog(const std::string& name, int closeWith = IDCANCEL) {
    modal.QueueDialog([name, closeWith](QDialog& dialog) {
      EXPECT_EQ(JapaneseTexts(dialog), QStringList()) << name;
      EXPECT_EQ(TextsCutOff(dialog), QStringList()) << name;
      PressButton(dialog, closeWith);
    });
  }
};

TEST_F(EnglishTextsTest, EveryMenuEntryTooltipAndPaletteButtonIsTranslated) {
  EXPECT_EQ(JapaneseTexts(*mainWindows.main), QStringList());
  EXPECT_EQ(TextsCutOff(*mainWindows.main), QStringList());
  // The toolbar's tooltips are there, in English.
  EXPECT_EQ(MenuAction(CMD_UNDO)->text(), "&Undo");
  EXPECT_EQ(MenuAction(CMD_PASTE_NEAREST)->text(), "Paste with &Nearest Colours");
  EXPECT_EQ(MenuAction(CMD_EXIT)->text(), "E&xit");
  const auto tools = mainWindows.main->findChildren<QAbstractButton*>(QString::number(CMD_ROTATE));
  ASSERT_FALSE(tools.isEmpty());
  EXPECT_EQ(tools.front()->toolTip(), " Rotate… (Ctrl+R) ");

  for (auto fill : {FillPastePopup, FillTabPopup}) {
    QMenu popup;
    fill(popup);
    EXPECT_EQ(JapaneseTexts(popup), QStringList());
  }
}

TEST_F(EnglishTextsTest, EveryDialogIsTranslatedAndNoTextIsCutOff) {
  modal.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(JapaneseTexts(dialog), QStringList());
    EXPECT_EQ(TextsCutOff(dialog), QStringList());
    EXPECT_EQ(dialog.windowTitle(), "New Tab");
    PressButton(dialog, IDOK);
  });
  DispatchCommand(CMD_NEW_TAB);
  ASSERT_EQ(tabSet.tabCount, 1);
  EXPECT_EQ(Caption(), "Quillet2 - Untitled");

  CheckNextDialog("rotate");
  DispatchCommand(CMD_ROTATE);
  CheckNextDialog("text");
  DispatchCommand(CMD_TEXT);
  CheckNextDialog("reduce colours");
  DispatchCommand(CMD_REDUCE_COLORS);
  CheckNextDialog("colour");
  RunColorDialog(1);
  CheckNextDialog("version");
  DispatchCommand(CMD_VERSION);
  CheckNextDialog("save type");
  DispatchCommand(CMD_SAVE);
  // The batch colour change: the choice of colours leads to the change.
  modal.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(JapaneseTexts(dialog), QStringList());
    EXPECT_EQ(TextsCutOff(dialog), QStringList());
    PressButton(dialog, 2022);
    PressButton(dialog, IDOK);
  });
  CheckNextDialog("batch shift");
  DispatchCommand(CMD_BATCH_COLORS);
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QApplication::clipboard()->setImage(picture);
  CheckNextDialog("transparent paste");
  DispatchCommand(CMD_PASTE_TRANSPARENT);
  QApplication::clipboard()->clear();
  CheckNextDialog("icon set");
  DispatchCommand(CMD_EXPORT_ICON_SET);
  EXPECT_EQ(modal.dialogsRun(), 11);
  EXPECT_TRUE(modal.messages().empty()) << modal.messages().front().text;
}

TEST_F(EnglishTextsTest, ADocumentWithoutAFileIsProposedUnderTheEnglishUntitledName) {
  for (const char* name : {"無名", "無名.bmp", "/tmp/無名.ico"}) {
    modal.QueueFile("");
    ChooseSaveFile("保存", {{"アイコン", "*.ico"}}, name, ".ico");
  }
  ASSERT_EQ(modal.fileRequests().size(), 3u);
  EXPECT_EQ(modal.fileRequests()[0].initialName, "Untitled");
  EXPECT_EQ(modal.fileRequests()[1].initialName, "Untitled.bmp");
  // A real file keeps its name, whatever the language.
  EXPECT_EQ(modal.fileRequests()[2].initialName, "/tmp/無名.ico");
}

using LanguageMenuTest = MainWindowTest;

TEST_F(LanguageMenuTest, TheChoiceIsKeptInTheSettingsAndShowsFromTheNextStart) {
  QAction* japanese = MenuAction(CMD_LANGUAGE_JAPANESE);
  QAction* english = MenuAction(CMD_LANGUAGE_ENGLISH);
  ASSERT_NE(japanese, nullptr);
  ASSERT_NE(english, nullptr);
  EXPECT_EQ(japanese->text().toStdString(), "日本語(&J)");
  EXPECT_TRUE(japanese->isChecked());
  EXPECT_FALSE(english->isChecked());

  english->trigger();
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].text, "表示の言語は次にQuillet2を起動したときから切り替わります");
  EXPECT_EQ(GetProfileString("WINDOW", LANGUAGE_KEY, "", iniPath), "en");
  EXPECT_TRUE(english->isChecked());
  EXPECT_FALSE(japanese->isChecked());
  // The next start reads it when nothing stronger chose a language.
  ::unsetenv(LANGUAGE_VARIABLE);
  EXPECT_EQ(ChooseLanguage(), Language::English);
  ::setenv(LANGUAGE_VARIABLE, "ja", 1);

  // Choosing the language shown needs no restart and no message.
  japanese->trigger();
  EXPECT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(GetProfileString("WINDOW", LANGUAGE_KEY, "", iniPath), "ja");
  EXPECT_TRUE(japanese->isChecked());
  EXPECT_FALSE(english->isChecked());
}

TEST_F(EnglishTextsTest, MessagesKeepTheirFileFrameAndButtonsAndFileDialogsAreTranslated) {
  ShowReport(FileMessage("/tmp/ア.ico", ICON_NOT_ICON_FILE));
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].text, "[ /tmp/ア.ico ]\n\nNot an icon file.");
  EXPECT_EQ(modal.messages()[0].caption, "Quillet2");

  modal.QueueFile("");
  DispatchCommand(CMD_OPEN);
  ASSERT_EQ(modal.fileRequests().size(), 1u);
  EXPECT_EQ(modal.fileRequests()[0].title, "Open (Icon)");
  EXPECT_EQ(modal.fileRequests()[0].filters.front().first, "Icon (*.ico)");

  // A folder: the reason of a file message made of pieces.
  EXPECT_FALSE(CheckFileAttributes("/tmp"));
  ASSERT_EQ(modal.messages().size(), 2u);
  EXPECT_EQ(modal.messages()[1].text, "[ /tmp ]\n\nThis is a folder.\n");
}

TEST_F(EnglishTextsTest, TheImportDialogDescribesItsImagesInEnglish) {
  using namespace import_samples;
  ByteBuffer bytes = BuildIcon({Solid(128, 100, 0xFF0000FF), Solid(16, 16, 0xFF445566)});
  bytes.resize(bytes.size() - 40);
  const std::string path = "/tmp/q2-english-import-" + std::to_string(::getpid()) + ".ico";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  modal.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(JapaneseTexts(dialog), QStringList());
    EXPECT_EQ(TextsCutOff(dialog), QStringList());
    const auto* list = FindControl<QTreeWidget>(dialog, ID_IMPORT_LIST);
    EXPECT_EQ(list->headerItem()->text(0), "Size");
    const auto* colours =
        list->itemWidget(list->topLevelItem(0), IMPORT_COLUMN_TARGET_COLOURS)->findChild<QComboBox*>();
    EXPECT_EQ(colours->currentText(), "2 colours");
    EXPECT_EQ(list->topLevelItem(1)->text(3), "Unreadable (The data is cut short.)");
    EXPECT_EQ(FindControl<QPlainTextEdit>(dialog, ID_IMPORT_LOSSES)->toPlainText(),
              "1. 128×100 → 64×64, 2 colours: shrunk to 64×50");
    PressButton(dialog, IDCANCEL);
  });
  ImportFile(path);
  EXPECT_EQ(modal.dialogsRun(), 1);
  std::remove(path.c_str());
}

TEST_F(EnglishTextsTest, EveryTextOfTheTranslationFileHasItsEnglish) {
  QFile file(QStringLiteral(TEST_DATA_DIR "/../../translations/quillet2_en.ts"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString ts = QString::fromUtf8(file.readAll());
  EXPECT_FALSE(ts.contains(QStringLiteral("type=\"unfinished\""))) << "texts without English";
  EXPECT_FALSE(ts.contains(QStringLiteral("type=\"vanished\""))) << "English for texts that are gone";
  const QRegularExpression message(QStringLiteral("<source>([^<]*)</source>\\s*<translation>([^<]+)</translation>"));
  int count = 0;
  for (const auto& match : message.globalMatch(ts)) {
    const QString source = match.captured(1).replace("&amp;", "&").replace("&gt;", ">").replace("&lt;", "<");
    EXPECT_FALSE(HasJapanese(UiText(source))) << source.toStdString();
    ++count;
  }
  EXPECT_GT(count, 140);
}

TEST(LanguageTest, OnlyEnOrJaNameALanguage) {
  EXPECT_EQ(LanguageFromName("en"), Language::English);
  EXPECT_EQ(LanguageFromName(" EN \n"), Language::English);
  EXPECT_EQ(LanguageFromName("ja"), Language::Japanese);
  EXPECT_EQ(LanguageFromName(""), std::nullopt);
  EXPECT_EQ(LanguageFromName("english"), std::nullopt);
  EXPECT_EQ(LanguageFromName("e n"), std::nullopt);
}

TEST(LanguageTest, TheEnvironmentGoesBeforeTheSettingsFileAndNonsenseIsPassedOver) {
  const std::string saved = iniPath;
  const char* locale = std::getenv("LC_ALL");
  const std::string savedLocale = locale != nullptr ? locale : "";
  iniPath = "/tmp/q2-language-" + std::to_string(::getpid()) + ".ini";
  ::unsetenv(LANGUAGE_VARIABLE);
  // Nothing chose a language: the desktop's decides.
  ::setenv("LC_ALL", "en_GB.UTF-8", 1);
  EXPECT_EQ(ChooseLanguage(), Language::English);
  ::setenv("LC_ALL", "ja_JP.UTF-8", 1);
  EXPECT_EQ(ChooseLanguage(), Language::Japanese);
  std::ofstream(iniPath) << "[WINDOW]\npos_x=3\nLanguage=ja\n";
  ::setenv("LC_ALL", "en_GB.UTF-8", 1);
  EXPECT_EQ(ChooseLanguage(), Language::Japanese);
  ::setenv("LC_ALL", "ja_JP.UTF-8", 1);
  std::ofstream(iniPath) << "[WINDOW]\npos_x=3\nLanguage=en\n";
  EXPECT_EQ(ChooseLanguage(), Language::English);
  ::setenv(LANGUAGE_VARIABLE, "ja", 1);
  EXPECT_EQ(ChooseLanguage(), Language::Japanese);
  ::setenv(LANGUAGE_VARIABLE, "klingon", 1);
  EXPECT_EQ(ChooseLanguage(), Language::English);
  std::ofstream(iniPath) << "[WINDOW]\nLanguage=fr\n";
  EXPECT_EQ(ChooseLanguage(), Language::Japanese);
  ::setenv(LANGUAGE_VARIABLE, "en", 1);
  EXPECT_EQ(ChooseLanguage(), Language::English);
  ::setenv(LANGUAGE_VARIABLE, "ja", 1);
  if (savedLocale.empty()) ::unsetenv("LC_ALL");
  else ::setenv("LC_ALL", savedLocale.c_str(), 1);
  std::remove(iniPath.c_str());
  iniPath = saved;
}

TEST(LanguageTest, TheDesktopLocaleIsReadAsTheCLibraryReadsIt) {
  constexpr Language JA = Language::Japanese;
  constexpr Language EN = Language::English;
  const struct {
    LocaleVariables variables;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
    Language expected;
  } cases[] = {
      {{"", "", "", "ja_JP.UTF-8"}, JA},
      {{"", "", "", "en_US.UTF-8"}, EN},
      {{"", "", "", "de_DE"}, EN},
      {{"", "", "", ""}, EN},
      // LC_ALL before LC_MESSAGES before LANG.
      {{"", "ja_JP.eucJP", "en_US", "en_US"}, JA},
      {{"", "", "en_US.UTF-8", "ja_JP.UTF-8"}, EN},
      {{"", "", "ja", "C"}, JA},
      // LANGUAGE goes first with its first known language, but not in the
      // C locale.
      {{"fr:ja:en", "", "", "en_US.UTF-8"}, JA},
      {{"en_GB:ja", "", "", "ja_JP.UTF-8"}, EN},
      {{"fr", "", "", "ja_JP.UTF-8"}, JA},
      {{"ja", "C", "", "ja_JP.UTF-8"}, EN},
      {{"ja", "", "", "POSIX"}, EN},
      {{"ja", "", "", "C.UTF-8"}, EN},
  };
  for (const auto& [variables, expected] : cases)
    EXPECT_EQ(LanguageOfLocale(variables), expected)
        << variables.language << "|" << variables.lcAll << "|" << variables.lcMessages << "|" << variables.lang;
}

TEST(LanguageTest, TheCommandLineGoesFirstAndTakesOnlyEnOrJa) {
  EXPECT_EQ(RequestedLanguage({"quillet2", "--lang", "en", "a.ico"}), "en");
  EXPECT_EQ(RequestedLanguage({"quillet2", "a.ico", "--lang=ja"}), "ja");
  EXPECT_EQ(RequestedLanguage({"quillet2", "--", "--lang", "en"}), "");
  EXPECT_EQ(RequestedLanguage({"quillet2", "--lang"}), "");

  const CommandLine english = ParseCommandLine({"quillet2", "--lang", "en", "a.ico"});
  EXPECT_FALSE(english.exitNow);
  EXPECT_EQ(english.files, QStringList{"a.ico"});
  const CommandLine wrong = ParseCommandLine({"quillet2", "--lang", "fr", "a.ico"});
  EXPECT_TRUE(wrong.exitNow);
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_EQ(wrong.standardError.toStdString(), "--lang には en か ja を指定してください\n");

  ::setenv(LANGUAGE_VARIABLE, "ja", 1);
  InstallChosenLanguage(QStringLiteral("en"));
  EXPECT_EQ(CurrentLanguage(), Language::English);
  EXPECT_TRUE(ParseCommandLine({"quillet2", "--help"}).standardOutput.contains("Language of the user interface"));
  InstallChosenLanguage(QStringLiteral("fr"));
  EXPECT_EQ(CurrentLanguage(), Language::Japanese);
  InstallLanguage(Language::Japanese);
}

TEST(LanguageTest, QtsOwnTextsFollowAndAMissingFileKeepsJapanese) {
  const auto qtCancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
  ASSERT_TRUE(SelectLanguage(QStringLiteral("en")));
  EXPECT_EQ(CurrentLanguage(), Language::English);
  EXPECT_EQ(qtCancel(), "Cancel");
  EXPECT_EQ(UiText("報告"), "Quillet2");
  EXPECT_FALSE(SelectLanguage(QStringLiteral("de")));
  EXPECT_EQ(CurrentLanguage(), Language::English);

  ASSERT_TRUE(SelectLanguage(QStringLiteral("ja")));
  EXPECT_EQ(CurrentLanguage(), Language::Japanese);
  EXPECT_EQ(qtCancel(), "キャンセル");
  EXPECT_EQ(UiText("報告"), "報告");

  OverrideProgramFolder("/nonexistent-q2-folder");
  EXPECT_FALSE(InstallLanguage(Language::English));
  EXPECT_EQ(CurrentLanguage(), Language::Japanese);
  EXPECT_EQ(UiText("報告"), "報告");
  // A damaged file counts as none.
  const std::string folder = "/tmp/q2-damaged-qm-" + std::to_string(::getpid());
  ::mkdir(folder.c_str(), 0700);
  std::ofstream(folder + "/quillet2_en.qm") << "not a translation file";
  OverrideProgramFolder(folder);
  EXPECT_FALSE(InstallLanguage(Language::English));
  EXPECT_EQ(UiText("報告"), "報告");
  OverrideProgramFolder({});
  std::remove((folder + "/quillet2_en.qm").c_str());
  ::rmdir(folder.c_str());
}

}  // namespace
