#pragma once
// Exporting an icon set: the document's images (or an input file's, from
// the command line) made into every platform's files, written into a folder
// with the safe save after the user agreed to replace a set already there.

#include <string>
#include <vector>

#include "import/icon_set.h"
#include "platform/ui_text.h"
#include "storage/set_files.h"

inline constexpr const char* ICON_SET_REPLACE_QUESTION =
    QT_TRANSLATE_NOOP("Quillet2", "このフォルダにはもうアイコンセットがあります。置きかえますか？\n\n%1");
inline constexpr const char* ICON_SET_WRITTEN = QT_TRANSLATE_NOOP("Quillet2", "アイコンセットを書き出しました: %1");
inline constexpr const char* ICON_SET_FOLDER_FAILED = QT_TRANSLATE_NOOP("Quillet2", "フォルダを作れません");

// The icon's name for a document or input file: its name without folder
// and extension, or "icon" when that leaves nothing usable.
std::string IconSetNameOf(const std::string& documentName);

// The images of the document's tabs, each as the user sees it: ordinary
// tabs in their colours, kept images as their decoded pictures.
std::vector<IconSetImage> DocumentIconSetImages();

// Makes the input render every size it lacks from the SVG text, each size
// afresh, and write the text as the hicolor theme's scalable icon.
void UseSvgSource(IconSetInput& input, const ByteBuffer& svg);
// When the file is an SVG drawing (.svgz uncompressed), its text into `svg`
// and true; `error` tells why an SVG could not be read. False for any other
// file.
bool ReadSvgFile(const std::string& path, ByteBuffer& svg, std::string& error);

// The images of an icon file, or the single picture of another file the
// import reads. Gives back an empty string or why not (a message text).
std::string FileIconSetImages(const std::string& path, std::vector<IconSetImage>& images);

// The files of the set as the writer takes them.
std::vector<SetFileBytes> SetFilesOf(const IconSet& set);

// "NAME.ico, hicolor/ (11), NAME.icns, web/ (5)": what was written, each
// folder counted rather than listed, for the status line.
std::string WrittenSummary(const std::vector<std::string>& written);

// The message of a failed write, naming the file or folder.
std::string SetWriteFailureMessage(const SetWriteResult& result);

// Shows what an export wrote (the status line's note, with every file in
// its tooltip); nothing is shown until one is set.
using IconSetNoteShower = void (*)(const std::string& note, const std::vector<std::string>& written);
void SetIconSetNoteShower(IconSetNoteShower shower);

// Makes the set and writes it into the folder, asking first when files of
// it are there already; failures are shown, and what was written goes to
// the status line. False when nothing was written.
bool ExportIconSet(const std::string& folder, const IconSetInput& input);
