<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ja_JP">
<context>
    <name>Quillet2</name>
    <message>
        <source>アイコン(*.ico)</source>
        <translation>Icon (*.ico)</translation>
    </message>
    <message>
        <source>全て(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>パレット(*.qpl)</source>
        <translation>Palette (*.qpl)</translation>
    </message>
    <message>
        <source>全てのタブを破棄し、新しいタブを作成します
</source>
        <translation>All tabs will be discarded and the new tab created.
</translation>
    </message>
    <message>
        <source>開く（アイコン）</source>
        <translation>Open (Icon)</translation>
    </message>
    <message>
        <source>開く（パレット）</source>
        <translation>Open (Palette)</translation>
    </message>
    <message>
        <source>名前をつけて保存（パレット）</source>
        <translation>Save As (Palette)</translation>
    </message>
    <message>
        <source>１つのアイコンファイルしか受け付けません</source>
        <translation>Only one icon file can be accepted at a time.</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規作成...(&amp;N)</source>
        <translation>&amp;New…</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>保存(&amp;S)...</source>
        <translation>&amp;Save…</translation>
    </message>
    <message>
        <source>新規タブ作成...(&amp;A) </source>
        <translation>&amp;Add Tab…</translation>
    </message>
    <message>
        <source>選択タブ削除(&amp;D)</source>
        <translation>&amp;Delete Tab</translation>
    </message>
    <message>
        <source>終了(&amp;x)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>進む(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>そのまま貼り付け(&amp;P)</source>
        <translation>&amp;Paste As It Is</translation>
    </message>
    <message>
        <source>近似色貼り付け(&amp;N)</source>
        <translation>Paste with &amp;Nearest Colours</translation>
    </message>
    <message>
        <source>透過色指定貼り付け(&amp;E)...</source>
        <translation>Past&amp;e with Transparent Colours…</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>ペンモード(&amp;P)</source>
        <translation>&amp;Pen Mode</translation>
    </message>
    <message>
        <source>背景を残す(&amp;T)</source>
        <translation>Leave Background (&amp;Transparent Pen)</translation>
    </message>
    <message>
        <source>範囲選択(&amp;0)</source>
        <translation>&amp;0 Select Range</translation>
    </message>
    <message>
        <source>普通のペン(&amp;1)</source>
        <translation>&amp;1 Normal Pen</translation>
    </message>
    <message>
        <source>塗りつぶし(&amp;2)</source>
        <translation>&amp;2 Fill</translation>
    </message>
    <message>
        <source>直線(&amp;3)</source>
        <translation>&amp;3 Line</translation>
    </message>
    <message>
        <source>円(&amp;4)</source>
        <translation>&amp;4 Circle</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>サイズグリップ(&amp;S)</source>
        <translation>&amp;Size Grip</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>バージョン(&amp;A)...</source>
        <translation>&amp;About Quillet2…</translation>
    </message>
    <message>
        <source> 新規作成... </source>
        <translation> New… </translation>
    </message>
    <message>
        <source> 既存のファイルを開く... </source>
        <translation> Open an existing file… </translation>
    </message>
    <message>
        <source> 保存... </source>
        <translation> Save… </translation>
    </message>
    <message>
        <source> 新規パレット作成... </source>
        <translation> New palette… </translation>
    </message>
    <message>
        <source> 既存のパレットを開く... </source>
        <translation> Open an existing palette… </translation>
    </message>
    <message>
        <source> パレットを保存... </source>
        <translation> Save the palette… </translation>
    </message>
    <message>
        <source> 新規タブを作成... </source>
        <translation> Add a new tab… </translation>
    </message>
    <message>
        <source> 選択タブを削除 </source>
        <translation> Delete the selected tab </translation>
    </message>
    <message>
        <source> 戻す </source>
        <translation> Undo </translation>
    </message>
    <message>
        <source> 進む </source>
        <translation> Redo </translation>
    </message>
    <message>
        <source> 切り取り </source>
        <translation> Cut </translation>
    </message>
    <message>
        <source> コピー </source>
        <translation> Copy </translation>
    </message>
    <message>
        <source> 近似色貼り付け </source>
        <translation> Paste with nearest colours </translation>
    </message>
    <message>
        <source> 貼り付けタイプ選択 </source>
        <translation> Choose how to paste </translation>
    </message>
    <message>
        <source> 削除</source>
        <translation> Delete</translation>
    </message>
    <message>
        <source> 境界線のオン･オフ切り替え </source>
        <translation> Grid lines on/off </translation>
    </message>
    <message>
        <source> 左にシフト </source>
        <translation> Shift left </translation>
    </message>
    <message>
        <source> 右にシフト </source>
        <translation> Shift right </translation>
    </message>
    <message>
        <source> 上にシフト </source>
        <translation> Shift up </translation>
    </message>
    <message>
        <source> 下にシフト </source>
        <translation> Shift down </translation>
    </message>
    <message>
        <source> 左右反転 </source>
        <translation> Flip horizontally </translation>
    </message>
    <message>
        <source> 上下反転 </source>
        <translation> Flip vertically </translation>
    </message>
    <message>
        <source> 回転... </source>
        <translation> Rotate… </translation>
    </message>
    <message>
        <source> 背景を残す
(ＡＮＤマスクのビットが０のペンにする) </source>
        <translation> Leave background
(a pen that paints transparent cells) </translation>
    </message>
    <message>
        <source> 範囲選択 </source>
        <translation> Select range </translation>
    </message>
    <message>
        <source> 普通のペン </source>
        <translation> Normal pen </translation>
    </message>
    <message>
        <source> 塗りつぶし </source>
        <translation> Fill </translation>
    </message>
    <message>
        <source> 直線 </source>
        <translation> Line </translation>
    </message>
    <message>
        <source> 円 </source>
        <translation> Circle </translation>
    </message>
    <message>
        <source> 文字... </source>
        <translation> Text… </translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About Quillet2</translation>
    </message>
    <message>
        <source>ＯＫ</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ｑｕｉｌｌｅｔ２ Ver 0.26β</source>
        <translation>Quillet2 Ver 0.26β</translation>
    </message>
    <message>
        <source> 元画像 </source>
        <translation> Original </translation>
    </message>
    <message>
        <source> 回転後 </source>
        <translation> Rotated </translation>
    </message>
    <message>
        <source>左９０度</source>
        <translation>Left 90°</translation>
    </message>
    <message>
        <source>右９０度</source>
        <translation>Right 90°</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>太字</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>メモリ確保に失敗、アンドゥ書き込み出来ませんでした</source>
        <translation>Out of memory: the undo step could not be recorded.</translation>
    </message>
    <message>
        <source>元に戻す記録が大きくなったので、古い操作から消しています。それより前には戻せません</source>
        <translation>The undo history has grown large, so its oldest steps are being dropped; you cannot undo past them.</translation>
    </message>
    <message>
        <source> 貼り付け画像 </source>
        <translation> Pasted picture </translation>
    </message>
    <message>
        <source> 透過色指定 </source>
        <translation> Transparent colours </translation>
    </message>
    <message>
        <source>近似色貼り付け</source>
        <translation>Nearest colours</translation>
    </message>
    <message>
        <source>透過のみ貼り付け</source>
        <translation>Transparency only</translation>
    </message>
    <message>
        <source>色を取り込む</source>
        <translation>Take in colours</translation>
    </message>
    <message>
        <source>元画像を近似色に</source>
        <translation>Remap the image</translation>
    </message>
    <message>
        <source>透過色指定貼り付け</source>
        <translation>Paste with Transparent Colours</translation>
    </message>
    <message>
        <source>アイコンファイルではありません</source>
        <translation>Not an icon file.</translation>
    </message>
    <message>
        <source>オープンに失敗</source>
        <translation>Could not open the file.</translation>
    </message>
    <message>
        <source>読み込みに失敗</source>
        <translation>Could not read the file.</translation>
    </message>
    <message>
        <source>６４ｘ６４以下のサイズしか扱えません</source>
        <translation>Only sizes up to 64 x 64 can be handled.</translation>
    </message>
    <message>
        <source>２、１６、２５６色しか扱えません</source>
        <translation>Only 2, 16 and 256 colours can be handled.</translation>
    </message>
    <message>
        <source>ビットマップが圧縮されたアイコンは扱えません</source>
        <translation>Icons with compressed bitmaps cannot be handled.</translation>
    </message>
    <message>
        <source>新規タブの作成に失敗</source>
        <translation>Could not create a new tab.</translation>
    </message>
    <message>
        <source>書きこみに失敗</source>
        <translation>Could not write the file.</translation>
    </message>
    <message>
        <source>最大タブ数をこえるので読み込めません</source>
        <translation>Cannot open: it would exceed the maximum number of tabs.</translation>
    </message>
    <message>
        <source>既に編集対象になっています</source>
        <translation>This file is already being edited.</translation>
    </message>
    <message>
        <source>編修中のファイルがあります、新たに開きますか？

   「はい」    → 新たに開く
  「いいえ」   → 編修中のファイルの後ろに足す
「キャンセル」 → やめる</source>
        <translation>A file is being edited. Open this one in its place?

&quot;Yes&quot; → open it in its place
&quot;No&quot; → add it behind the file being edited
&quot;Cancel&quot; → do nothing</translation>
    </message>
    <message>
        <source>フォルダです
</source>
        <translation>This is a folder.
</translation>
    </message>
    <message>
        <source>ファイルのデータは、すぐには利用できません
</source>
        <translation>The data of the file is not available right now.
</translation>
    </message>
    <message>
        <source>オペレーティングシステムのファイルの一部
 または、オペレーティングシステム専用のファイルです</source>
        <translation>Part of the operating system
 or a file for the use of the operating system only.</translation>
    </message>
    <message>
        <source>読み取り専用です、オープンしますか？</source>
        <translation>The file is read-only. Open it anyway?</translation>
    </message>
    <message>
        <source>パレット読み込みに失敗</source>
        <translation>Could not read the palette.</translation>
    </message>
    <message>
        <source>書きこむ先のフォルダがありません</source>
        <translation>The folder to write into does not exist.</translation>
    </message>
    <message>
        <source>パレット読み込みに失敗：%1</source>
        <translation>Could not read the palette: %1</translation>
    </message>
    <message>
        <source>書きこみに失敗、%1</source>
        <translation>Could not write the file. %1</translation>
    </message>
    <message>
        <source>色数があっていません</source>
        <translation>The number of colours does not match.</translation>
    </message>
    <message>
        <source>パレット保存に失敗</source>
        <translation>Could not save the palette.</translation>
    </message>
    <message>
        <source>ビットマップ(*.bmp)</source>
        <translation>Bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>１つのアイコンファイルとして保存</source>
        <translation>Save as one icon file</translation>
    </message>
    <message>
        <source>横に並んだビットマップファイルとして保存（最初のタブのパレットで保存されます）</source>
        <translation>Save as one bitmap side by side (with the first tab&apos;s palette)</translation>
    </message>
    <message>
        <source>保存タイプ選択</source>
        <translation>Choose How to Save</translation>
    </message>
    <message>
        <source>名前をつけて保存（１つのアイコンファイルとして保存）</source>
        <translation>Save As (One Icon File)</translation>
    </message>
    <message>
        <source>名前をつけて保存（横に並んだビットマップファイルとして保存）</source>
        <translation>Save As (Bitmap with the Images Side by Side)</translation>
    </message>
    <message>
        <source>変更されています保存しますか？</source>
        <translation>The document has been changed. Save it?</translation>
    </message>
    <message>
        <source>新規タブ作成</source>
        <translation>New Tab</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>色数</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>最大タブ数２０に達しています</source>
        <translation>The maximum of 20 tabs has been reached.</translation>
    </message>
    <message>
        <source>幅：１～６４を指定してください</source>
        <translation>Width: enter a value from 1 to 64.</translation>
    </message>
    <message>
        <source>高さ：１～６４を指定してください</source>
        <translation>Height: enter a value from 1 to 64.</translation>
    </message>
    <message>
        <source>選択タブを破棄します
</source>
        <translation>The selected tab will be discarded.
</translation>
    </message>
    <message>
        <source>無名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>変化させたい色を選択してください</source>
        <translation>Select the colours to change</translation>
    </message>
    <message>
        <source>初期化</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>全選択</source>
        <translation>All</translation>
    </message>
    <message>
        <source>拾う ( L:拾う  R:戻る )</source>
        <translation>Pick ( L: pick  R: drop )</translation>
    </message>
    <message>
        <source>一括色変化（色選択）</source>
        <translation>Change Colours (Select Colours)</translation>
    </message>
    <message>
        <source>一括色変化ダイアログ</source>
        <translation>Change Colours</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>整理</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>減色...</source>
        <translation>Reduce…</translation>
    </message>
    <message>
        <source>一括...</source>
        <translation>Change…</translation>
    </message>
    <message>
        <source>減色</source>
        <translation>Reduce Colours</translation>
    </message>
    <message>
        <source>実行</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source> は既に存在します。
上書きしますか？</source>
        <translation> already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>報告</source>
        <translation>Quillet2</translation>
    </message>
    <message>
        <source>問い合わせ</source>
        <translation>Quillet2</translation>
    </message>
    <message>
        <source>色数</source>
        <comment>colour reduction</comment>
        <translation>Count</translation>
    </message>
    <message>
        <source>インポート(&amp;I)...</source>
        <translation>&amp;Import…</translation>
    </message>
    <message>
        <source>画像を読み込めません</source>
        <translation>Cannot read the picture.</translation>
    </message>
    <message>
        <source>画像が大きすぎて読み込めません</source>
        <translation>The picture is too large to read.</translation>
    </message>
    <message>
        <source>データが途中で切れています</source>
        <translation>The data is cut short.</translation>
    </message>
    <message>
        <source>対応していない形式です</source>
        <translation>Unsupported format.</translation>
    </message>
    <message>
        <source>大きさが正しくありません</source>
        <translation>Invalid size.</translation>
    </message>
    <message>
        <source>PNGを読み込めません</source>
        <translation>Cannot read the PNG.</translation>
    </message>
    <message>
        <source>画像が多すぎて読み込めません</source>
        <translation>Too many images to read.</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>ビット</source>
        <translation>Bits</translation>
    </message>
    <message>
        <source>使用色数</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>取り込み後</source>
        <translation>After import</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>取り込む画像にチェックをつけてください</source>
        <translation>Tick the images to import</translation>
    </message>
    <message>
        <source>取り込みで失われるもの</source>
        <translation>What the import loses</translation>
    </message>
    <message>
        <source>インポート</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>読み込めません</source>
        <translation>Unreadable</translation>
    </message>
    <message>
        <source>画像(*.png;*.bmp;*.gif)</source>
        <translation>Pictures (*.png;*.bmp;*.gif)</translation>
    </message>
    <message>
        <source>取り込める画像がありません</source>
        <translation>There is no image that can be imported.</translation>
    </message>
    <message>
        <source>%1 → %2、%3色</source>
        <translation>%1 → %2, %3 colours</translation>
    </message>
    <message>
        <source>%1に縮小</source>
        <translation>shrunk to %1</translation>
    </message>
    <message>
        <source>%1色を256色にまとめる</source>
        <translation>%1 colours merged into 256</translation>
    </message>
    <message>
        <source>半透明の%1画素を透明か不透明にする</source>
        <translation>%1 translucent pixel(s) made clear or solid</translation>
    </message>
    <message>
        <source>そのまま取り込めます</source>
        <translation>nothing is lost</translation>
    </message>
    <message>
        <source>%1、%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Quillet2: 小さなアイコン画像 (.ico) のエディタ</source>
        <translation>Quillet2: an editor for small icon images (.ico)</translation>
    </message>
    <message>
        <source>表示の言語: en (英語) または ja (日本語)。既定は「言語」メニューで選んだもの、なければデスクトップの言語</source>
        <translation>Language of the user interface: en (English) or ja (Japanese); by default the one chosen in the Language menu, else the desktop&apos;s</translation>
    </message>
    <message>
        <source>開くアイコンファイル (.ico) またはパレットファイル (.qpl)</source>
        <translation>Icon file (.ico) or palette file (.qpl) to open</translation>
    </message>
    <message>
        <source>--lang には en か ja を指定してください</source>
        <translation>--lang takes en or ja</translation>
    </message>
    <message>
        <source>画像を読み込んでいます</source>
        <translation>Reading the images</translation>
    </message>
    <message>
        <source>設定の保存に失敗</source>
        <translation>Saving the settings failed.</translation>
    </message>
    <message>
        <source>開いた後（または前回の保存の後）に、ほかのプログラムがこのファイルを変更しています
上書きしますか？</source>
        <translation>Another program has changed this file since it was opened (or last saved).
Overwrite it?</translation>
    </message>
    <message>
        <source>前回の保存が途中で止まりました。保存する前の内容は次のファイルに残っています：
%1</source>
        <translation>An earlier save stopped part way. The content from before it is kept in:
%1</translation>
    </message>
    <message>
        <source>このファイルに書きこむ権限がありません</source>
        <translation>You have no permission to write this file.</translation>
    </message>
    <message>
        <source>フォルダに書きこむ権限がなく、ファイルの元の内容を残す場所もありません</source>
        <translation>The folder is not writable, and there is no place to keep the old content of the file.</translation>
    </message>
    <message>
        <source>ディスクに空きがありません</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>普通のファイルではありません</source>
        <translation>Not a regular file.</translation>
    </message>
    <message>
        <source>共有フォルダにほかのユーザーが置いたリンクなので、たどりません</source>
        <translation>A link placed by another user in a shared folder is not followed.</translation>
    </message>
    <message>
        <source>ファイルを読めないので、書きかえません</source>
        <translation>The file cannot be read, so it is not rewritten.</translation>
    </message>
    <message>
        <source>表示の言語は次にQuillet2を起動したときから切り替わります</source>
        <translation>The language changes the next time Quillet2 starts.</translation>
    </message>
    <message>
        <source>バックバッファの作成に失敗しました、再度試みますか？
「はい」→ メモリを開放しそうなアプリケーションを終了して、「はい」を選択
「いいえ」→ Quillet2のtempフォルダに全て保存して終了します</source>
        <translation>Could not create the back buffer. Try again?
&quot;Yes&quot; → close applications that may free memory, then choose &quot;Yes&quot;
&quot;No&quot; → save everything into the temp folder of Quillet2 and quit</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>日本語(&amp;J)</source>
        <translation>&amp;Japanese</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As…</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。最近使ったファイルの一覧から外します</source>
        <translation>The file no longer exists. It is taken off the list of recent files.</translation>
    </message>
    <message>
        <source>インポートすれば読み込めます。インポートしますか？</source>
        <translation>Import can read it. Import it instead?</translation>
    </message>
    <message>
        <source>拡大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>縮小(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>ウィンドウに合わせる(&amp;F)</source>
        <translation>&amp;Fit to Window</translation>
    </message>
    <message>
        <source>セル (%1, %2)  インデックス %3  色 #%4</source>
        <translation>Pixel (%1, %2)  index %3  colour #%4</translation>
    </message>
    <message>
        <source>セル (%1, %2)  インデックス %3  透明</source>
        <translation>Pixel (%1, %2)  index %3  transparent</translation>
    </message>
    <message>
        <source>大きさ %1 × %2 セル</source>
        <translation>Size %1 × %2 pixels</translation>
    </message>
    <message>
        <source>表示: ウィンドウに合わせる (%1 ピクセル/セル)</source>
        <translation>Zoom: fit (%1 screen pixels per pixel)</translation>
    </message>
    <message>
        <source>表示: %1 ピクセル/セル</source>
        <translation>Zoom: %1 screen pixels per pixel</translation>
    </message>
    <message>
        <source>--import には書き出すアイコンファイルを -o で指定してください</source>
        <translation>--import needs the icon file to write, given with -o</translation>
    </message>
    <message>
        <source>--colours には 2、16、256 のどれかを指定してください</source>
        <translation>--colours takes 2, 16 or 256</translation>
    </message>
    <message>
        <source>--import のときは開くファイルを指定できません</source>
        <translation>Files to open cannot be given with --import</translation>
    </message>
    <message>
        <source>画像 (.ico .cur .png .bmp .gif) からアイコンを作る</source>
        <translation>Make an icon from a picture (.ico .cur .png .bmp .gif)</translation>
    </message>
    <message>
        <source>--import で書き出すアイコンファイル</source>
        <translation>The icon file --import writes</translation>
    </message>
    <message>
        <source>--import で作る大きさ (既定: 画像の大きさ、64をこえるときは64)</source>
        <translation>The sizes --import makes (default: the picture&apos;s own size, or 64 when it is larger)</translation>
    </message>
    <message>
        <source>--import で作る色数 (既定: 画像の色が収まる最小の数)</source>
        <translation>The colour count --import makes (default: the smallest that holds the picture&apos;s colours)</translation>
    </message>
    <message>
        <source>--import で色を減らすときディザをかける</source>
        <translation>Dither when --import reduces the colours</translation>
    </message>
    <message>
        <source>そのまま</source>
        <translation>As it is</translation>
    </message>
    <message>
        <source>%1色</source>
        <translation>%1 colours</translation>
    </message>
    <message>
        <source>作る大きさ</source>
        <translation>Make sizes</translation>
    </message>
    <message>
        <source>色を減らすときディザをかける</source>
        <translation>Dither when reducing colours</translation>
    </message>
    <message>
        <source>%1に拡大</source>
        <translation>enlarged to %1</translation>
    </message>
    <message>
        <source>%1色を%2色にまとめる</source>
        <translation>%1 colours merged into %2</translation>
    </message>
    <message>
        <source>カーソルのホットスポット</source>
        <translation>the cursor&apos;s hot spot</translation>
    </message>
    <message>
        <source>%1 → %2、%3色：%4</source>
        <translation>%1 → %2, %3 colours: %4</translation>
    </message>
    <message>
        <source>-o の名前は .ico か .cur で終わるようにしてください</source>
        <translation>The name given with -o must end in .ico or .cur.</translation>
    </message>
    <message>
        <source>等倍で貼り付け(&amp;V)</source>
        <translation>Paste at &amp;Own Size</translation>
    </message>
    <message>
        <source>等倍で番号のまま貼り付け(&amp;K)</source>
        <translation>Paste at Own Size, &amp;Keeping Colour Numbers</translation>
    </message>
    <message>
        <source>四角形(&amp;5)</source>
        <translation>&amp;5 Rectangle</translation>
    </message>
    <message>
        <source>塗りつぶし四角形(&amp;6)</source>
        <translation>&amp;6 Filled Rectangle</translation>
    </message>
    <message>
        <source>塗りつぶし円(&amp;7)</source>
        <translation>&amp;7 Filled Circle</translation>
    </message>
    <message>
        <source>ポインタの下の色をペンに取る(&amp;K)</source>
        <translation>Pic&amp;k the Colour under the Pointer</translation>
    </message>
    <message>
        <source>境界線(&amp;G)</source>
        <translation>&amp;Grid Lines</translation>
    </message>
    <message>
        <source>利用の手引き(&amp;H)</source>
        <translation>User &amp;Guide</translation>
    </message>
    <message>
        <source> 四角形 </source>
        <translation> Rectangle </translation>
    </message>
    <message>
        <source> 塗りつぶし四角形 </source>
        <translation> Filled rectangle </translation>
    </message>
    <message>
        <source> 塗りつぶし円 </source>
        <translation> Filled circle </translation>
    </message>
    <message>
        <source>保存していない変更があります。</source>
        <translation>It has changes that are not saved.</translation>
    </message>
    <message>
        <source>保存してから変更はありません。</source>
        <translation>It has not changed since it was saved.</translation>
    </message>
    <message>
        <source>ファイル: %1
%2</source>
        <translation>File: %1
%2</translation>
    </message>
    <message>
        <source>利用の手引きが見つかりません。
プログラムと一緒にインストールされていません。</source>
        <translation>The user guide cannot be found.
It was not installed with the program.</translation>
    </message>
    <message>
        <source>利用の手引きを開けませんでした。
%1</source>
        <translation>The user guide could not be opened.
%1</translation>
    </message>
    <message>
        <source>ボタンの面</source>
        <translation>Button face</translation>
    </message>
    <message>
        <source>アプリケーションの作業領域</source>
        <translation>Application workspace</translation>
    </message>
    <message>
        <source>デスクトップ</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>アクティブなタイトルバー</source>
        <translation>Active title bar</translation>
    </message>
    <message>
        <source>アクティブなタイトルバー（グラデーション）</source>
        <translation>Active title bar (gradient)</translation>
    </message>
    <message>
        <source>非アクティブなタイトルバー</source>
        <translation>Inactive title bar</translation>
    </message>
    <message>
        <source>非アクティブなタイトルバー（グラデーション）</source>
        <translation>Inactive title bar (gradient)</translation>
    </message>
    <message>
        <source>リンク</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>ツールチップの背景</source>
        <translation>Tooltip background</translation>
    </message>
    <message>
        <source>メニュー</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>スクロールバー</source>
        <translation>Scroll bar</translation>
    </message>
    <message>
        <source>ウィンドウ</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>アイコンと画像(*.ico;*.cur;*.png;*.bmp;*.gif;*.svg;*.svgz)</source>
        <translation>Icons, cursors and pictures (*.ico;*.cur;*.png;*.bmp;*.gif;*.svg;*.svgz)</translation>
    </message>
    <message>
        <source>--sizes には 16,20,24,32,40,48,64,128,256 からいくつかをコンマで区切って指定してください</source>
        <translation>--sizes takes some of 16,20,24,32,40,48,64,128,256, separated by commas</translation>
    </message>
    <message>
        <source>--depth には 32 を指定してください</source>
        <translation>--depth takes 32</translation>
    </message>
    <message>
        <source>--import のアイコンの画像のうち、作らない大きさのものをそのまま残す</source>
        <translation>Keep the images of the --import icon whose sizes are not made, as they are</translation>
    </message>
    <message>
        <source>インデックスカラーだけ</source>
        <translation>Indexed colours only</translation>
    </message>
    <message>
        <source>32ビットの画像だけ書く</source>
        <translation>Write 32-bit images only</translation>
    </message>
    <message>
        <source>%1×%2 → %3×%4、32ビット</source>
        <translation>%1×%2 → %3×%4, 32 bits</translation>
    </message>
    <message>
        <source>--import で全ての大きさを32ビットの画像だけで書き出す</source>
        <translation>Write every size as a 32-bit image only (no indexed images) with --import</translation>
    </message>
    <message>
        <source>編集できる複製を作る(&amp;M)</source>
        <translation>&amp;Make Editable Copy</translation>
    </message>
    <message>
        <source>32ビットの画像も書く</source>
        <translation>Also write 32-bit images</translation>
    </message>
    <message>
        <source>未保存の作業を復元用に残さず、前回の復元データも尋ねない</source>
        <translation>Keep no recovery copy of unsaved work, and do not offer earlier ones</translation>
    </message>
    <message>
        <source>未保存の作業を復元用に残す(&amp;R)</source>
        <translation>Keep unsaved work for &amp;recovery</translation>
    </message>
    <message>
        <source>前回、正常に終了しなかった Quillet2 の未保存の作業が残っています

文書: %1
タブ: %2 (うち変更 %3)
記録: %4

復元しますか？</source>
        <translation>Quillet2 did not end normally last time and left unsaved work:

Document: %1
Tabs: %2 (%3 changed)
Written: %4

Restore it?</translation>
    </message>
    <message>
        <source>この復元データを破棄しますか？
（「いいえ」で残し、次の起動時にもう一度尋ねます）</source>
        <translation>Discard this recovery copy?
(No keeps it and asks again at the next start)</translation>
    </message>
    <message>
        <source>[ %1 ]

&gt;復元データを使えません（%2）
移した先: %3</source>
        <translation>[ %1 ]

&gt;The recovery copy cannot be used (%2)
Moved to: %3</translation>
    </message>
    <message>
        <source>[ %1 ]

&gt;復元データを使えません（%2）
移せなかったため、そのまま残してあります</source>
        <translation>[ %1 ]

&gt;The recovery copy cannot be used (%2)
It could not be moved and stays where it is</translation>
    </message>
    <message>
        <source>途中で切れています</source>
        <translation>it is cut short</translation>
    </message>
    <message>
        <source>壊れています</source>
        <translation>it is damaged</translation>
    </message>
    <message>
        <source>新しい版のプログラムが書いたものです</source>
        <translation>a newer version of the program wrote it</translation>
    </message>
    <message>
        <source>大きすぎます</source>
        <translation>it is too large</translation>
    </message>
    <message>
        <source>リンクです</source>
        <translation>it is a link</translation>
    </message>
    <message>
        <source>ファイルではありません</source>
        <translation>it is not a file</translation>
    </message>
    <message>
        <source>読めません</source>
        <translation>it cannot be read</translation>
    </message>
    <message>
        <source>パレット(*.qpl *.gpl *.act *.pal *.hex)</source>
        <translation>Palette (*.qpl *.gpl *.act *.pal *.hex)</translation>
    </message>
    <message>
        <source>GIMP パレット(*.gpl)</source>
        <translation>GIMP palette (*.gpl)</translation>
    </message>
    <message>
        <source>Photoshop パレット(*.act)</source>
        <translation>Photoshop palette (*.act)</translation>
    </message>
    <message>
        <source>JASC パレット(*.pal)</source>
        <translation>JASC palette (*.pal)</translation>
    </message>
    <message>
        <source>RIFF パレット(*.pal)</source>
        <translation>RIFF palette (*.pal)</translation>
    </message>
    <message>
        <source>16進の色の一覧(*.hex)</source>
        <translation>Hex colour list (*.hex)</translation>
    </message>
    <message>
        <source>--palette のときは色数がパレットで決まるので --colours は指定できません</source>
        <translation>--colours cannot be given with --palette, which decides the number of colours</translation>
    </message>
    <message>
        <source>--import で色をこのパレットファイル (.qpl .gpl .act .pal .hex、または windows16、windows256) に合わせる</source>
        <translation>Map the colours of --import onto this palette file (.qpl .gpl .act .pal .hex, or windows16, windows256)</translation>
    </message>
    <message>
        <source>Windows 16色パレットを読み込む(&amp;W)</source>
        <translation>Load the &amp;Windows 16-colour palette</translation>
    </message>
    <message>
        <source>Windows 20色とキューブの256色パレットを読み込む</source>
        <translation>Load the 256-colour palette of the Windows 20 colours and the cube</translation>
    </message>
    <message>
        <source>パレットファイルの形式がわかりません</source>
        <translation>the palette file&apos;s format is unknown</translation>
    </message>
    <message>
        <source>パレットファイルとしては大きすぎます</source>
        <translation>too large for a palette file</translation>
    </message>
    <message>
        <source>色がひとつもありません</source>
        <translation>it holds no colour</translation>
    </message>
    <message>
        <source>256色をこえる色があります</source>
        <translation>it holds more than 256 colours</translation>
    </message>
    <message>
        <source>%1行目の色が読めません</source>
        <translation>the colour on line %1 cannot be read</translation>
    </message>
    <message>
        <source>1行目が GIMP Palette ではありません</source>
        <translation>line 1 is not GIMP Palette</translation>
    </message>
    <message>
        <source>1行目が JASC-PAL ではありません</source>
        <translation>line 1 is not JASC-PAL</translation>
    </message>
    <message>
        <source>JASC パレットの版が 0100 ではありません</source>
        <translation>the JASC palette&apos;s version is not 0100</translation>
    </message>
    <message>
        <source>色の数が読めません</source>
        <translation>the number of colours cannot be read</translation>
    </message>
    <message>
        <source>色の数と色の行の数があっていません</source>
        <translation>the number of colours does not match the colour lines</translation>
    </message>
    <message>
        <source>ACT パレットの大きさが 768 バイトでも 772 バイトでもありません</source>
        <translation>an ACT palette is 768 or 772 bytes long</translation>
    </message>
    <message>
        <source>RIFF の PAL ファイルではありません</source>
        <translation>not a RIFF PAL file</translation>
    </message>
    <message>
        <source>RIFF のチャンクの大きさがファイルとあっていません</source>
        <translation>a RIFF chunk&apos;s size does not match the file</translation>
    </message>
    <message>
        <source>data チャンクがありません</source>
        <translation>there is no data chunk</translation>
    </message>
    <message>
        <source>パレットの版が 0x0300 ではありません</source>
        <translation>the palette&apos;s version is not 0x0300</translation>
    </message>
    <message>
        <source>qpl の見出しか大きさが正しくありません</source>
        <translation>the qpl header or size is wrong</translation>
    </message>
    <message>
        <source>%1色のパレットで%2色のうち先頭の%1色を置き換えました。残りの色はそのままです</source>
        <translation>The %1-colour palette replaced the first %1 of the %2 colours; the other colours stay as they were</translation>
    </message>
    <message>
        <source>画像ごとに選ぶ</source>
        <translation>Chosen per picture</translation>
    </message>
    <message>
        <source>Windows 16色</source>
        <translation>Windows 16 colours</translation>
    </message>
    <message>
        <source>Windows 20色とキューブ (256色)</source>
        <translation>Windows 20 colours and cube (256 colours)</translation>
    </message>
    <message>
        <source>パレットファイル...</source>
        <translation>Palette file...</translation>
    </message>
    <message>
        <source>パレット</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>パレットの%1色に合わせる</source>
        <translation>mapped onto the palette&apos;s %1 colours</translation>
    </message>
    <message>
        <source>%1 は一度だけ指定してください</source>
        <translation>%1 may be given only once</translation>
    </message>
    <message>
        <source>-o にはフォルダーではなく書き出すアイコンファイルを指定してください</source>
        <translation>-o must name the icon file to write, not a folder</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>Interrupted</translation>
    </message>
    <message>
        <source>画像を合わせると大きすぎて読み込めません</source>
        <translation>The images together are too large to read</translation>
    </message>
    <message>
        <source>設定(&amp;C)</source>
        <translation>&amp;Configure</translation>
    </message>
    <message>
        <source>quillet2: 復元データを書けません: %1</source>
        <translation>quillet2: cannot write recovery data: %1</translation>
    </message>
    <message>
        <source>ＭＩＴライセンス</source>
        <translation>MIT License</translation>
    </message>
    <message>
        <source>透明な画素のうち%1個は黒以外の色で、Windowsでは画面を反転させます。32ビットの画像では透明になります</source>
        <translation>%1 transparent pixels have a colour other than black, which Windows draws by inverting the screen; in the 32-bit images they are transparent</translation>
    </message>
    <message>
        <source>アイコンとカーソル(*.ico;*.cur)</source>
        <translation>Icons and cursors (*.ico;*.cur)</translation>
    </message>
    <message>
        <source>--alpha-cut には 0 から 255 までの数を指定してください</source>
        <translation>--alpha-cut takes a number from 0 to 255</translation>
    </message>
    <message>
        <source>--matte には色を #RRGGBB の形で指定してください</source>
        <translation>--matte takes a colour as #RRGGBB</translation>
    </message>
    <message>
        <source>--import でアルファがこの値より小さい画素を透明にする (既定: 128)</source>
        <translation>with --import, make pixels whose alpha is below this transparent (default: 128)</translation>
    </message>
    <message>
        <source>--import で半透明の画素をこの色に重ねてから透明か不透明にする</source>
        <translation>with --import, blend partly transparent pixels onto this colour before making them transparent or opaque</translation>
    </message>
    <message>
        <source>セル (%1, %2)  インデックス %3  反転: 画面 XOR #%4</source>
        <translation>Pixel (%1, %2)  index %3  inverted: screen XOR #%4</translation>
    </message>
    <message>
        <source>市松模様</source>
        <translation>Checkerboard</translation>
    </message>
    <message>
        <source>透明にするアルファ</source>
        <translation>Transparent below</translation>
    </message>
    <message>
        <source>アルファがこの値より小さい画素を透明にします</source>
        <translation>Pixels whose alpha is below this value become transparent</translation>
    </message>
    <message>
        <source>重ねる色</source>
        <translation>Matte</translation>
    </message>
    <message>
        <source>半透明の画素をこの色に重ねてから透明か不透明にします</source>
        <translation>Partly transparent pixels are blended onto this colour before they become transparent or opaque</translation>
    </message>
    <message>
        <source>透明な画素の下に置く黒で1色を使う</source>
        <translation>one colour goes to the black under transparent pixels</translation>
    </message>
    <message>
        <source>カーソルのテスト</source>
        <translation>Cursor test</translation>
    </message>
    <message>
        <source>カーソル(*.cur)</source>
        <translation>Cursor (*.cur)</translation>
    </message>
    <message>
        <source>--hotspot には X,Y を 0 以上の整数で指定してください</source>
        <translation>--hotspot takes X,Y, two whole numbers of 0 or more</translation>
    </message>
    <message>
        <source>--hotspot はカーソル (-o NAME.cur か --xcursor) を書き出すときだけ指定できます</source>
        <translation>--hotspot is only for a cursor output (-o NAME.cur or --xcursor); an icon has no hot spot</translation>
    </message>
    <message>
        <source>--hotspot %1,%2 は %3×%4 の画像の外なので、%5,%6 にしました</source>
        <translation>--hotspot %1,%2 lies outside the %3×%4 picture; %5,%6 was used instead</translation>
    </message>
    <message>
        <source>--import で作るカーソルのホットスポット (画像のピクセルで、既定: 0,0)</source>
        <translation>The hot spot of the cursor --import makes (in the picture&apos;s pixels; default: 0,0)</translation>
    </message>
    <message>
        <source>--import で書き出す X11 カーソルファイル</source>
        <translation>The X11 cursor file --import writes</translation>
    </message>
    <message>
        <source>X11カーソルとして書き出す(&amp;E)...</source>
        <translation>&amp;Export as X11 Cursor…</translation>
    </message>
    <message>
        <source>ホットスポット(&amp;H)</source>
        <translation>&amp;Hot Spot</translation>
    </message>
    <message>
        <source>カーソルのテスト(&amp;T)...</source>
        <translation>Cursor &amp;Test…</translation>
    </message>
    <message>
        <source>ホットスポット (%1, %2)</source>
        <translation>Hot spot (%1, %2)</translation>
    </message>
    <message>
        <source>X11カーソルとして書き出す</source>
        <translation>Export as X11 Cursor</translation>
    </message>
    <message>
        <source>パレットに黒がなく、透明の%1画素が画面の色と混ざる</source>
        <translation>no black in the palette, so %1 transparent pixel(s) mix with the screen</translation>
    </message>
    <message>
        <source>パレットに黒がないので、透明な画素の下に置く黒を加えて%1色にする</source>
        <translation>no black in the palette, so black is added under the transparent pixels, making %1 colours</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>アニメーションカーソル(*.ani)</source>
        <translation>Animated cursor (*.ani)</translation>
    </message>
    <message>
        <source>フレームの表示時間</source>
        <translation>Frame time</translation>
    </message>
    <message>
        <source>表示時間（1/60秒単位）:</source>
        <translation>Display time (1/60 s):</translation>
    </message>
    <message>
        <source>= %1 ミリ秒</source>
        <translation>= %1 ms</translation>
    </message>
    <message>
        <source>カーソルテーマに書き出す(&amp;U)...</source>
        <translation>Export to C&amp;ursor Theme…</translation>
    </message>
    <message>
        <source>フレームの表示時間(&amp;D)...</source>
        <translation>Frame &amp;Duration…</translation>
    </message>
    <message>
        <source>アニメーションカーソルではありません</source>
        <translation>This is not an animated cursor</translation>
    </message>
    <message>
        <source>ファイルが途中で切れています（チャンクがファイルの外まで続いています）</source>
        <translation>The file ends early (a chunk runs past its end)</translation>
    </message>
    <message>
        <source>アニメーションの情報（anih）がありません</source>
        <translation>The animation header (anih) is missing</translation>
    </message>
    <message>
        <source>フレームがありません</source>
        <translation>The animation has no frames</translation>
    </message>
    <message>
        <source>フレームの数がファイルの中のフレームと合いません</source>
        <translation>The frame count does not match the frames in the file</translation>
    </message>
    <message>
        <source>表示時間か順序の数がステップ数と合いません</source>
        <translation>The rates or the sequence hold fewer entries than there are steps</translation>
    </message>
    <message>
        <source>表示順序がないフレームを指しています</source>
        <translation>The sequence names a frame that does not exist</translation>
    </message>
    <message>
        <source>フレームがアイコン形式でないアニメーションは扱えません</source>
        <translation>Animations whose frames are not icons or cursors cannot be opened</translation>
    </message>
    <message>
        <source>フレーム%1: %2</source>
        <translation>Frame %1: %2</translation>
    </message>
    <message>
        <source>画像が１つでないフレームは扱えません</source>
        <translation>Frames that hold more than one image cannot be opened</translation>
    </message>
    <message>
        <source>ユーザー %1 の保存が途中で止まり、保存する前の内容が次のファイルに残っています。このファイルはあなたには削除できません（この報告は一度だけです）：
%2</source>
        <translation>A save by user %1 stopped part way. The content from before it is kept in the file below, which you cannot remove (this is reported only once):
%2</translation>
    </message>
    <message>
        <source>フォルダに書きこむ権限がないので、新しいファイルを作れません</source>
        <translation>The folder is not writable, so the new file cannot be created.</translation>
    </message>
    <message>
        <source>編集画面をクリックすると文字をそこへ置きます</source>
        <translation>Click in the edit view to place the text there.</translation>
    </message>
    <message>
        <source>フォルダを作れません</source>
        <translation>The folder cannot be made.</translation>
    </message>
    <message>
        <source>[ %1 ]

&gt;自分だけのものではない復元データなので、読まずにそのまま残してあります</source>
        <translation>[ %1 ]

&gt;This recovery data is not yours alone, so it was not read and stays where it is</translation>
    </message>
    <message>
        <source>未保存の作業を復元用に残せなくなりました</source>
        <translation>Unsaved work can no longer be kept for recovery</translation>
    </message>
    <message>
        <source>復元用のフォルダを作れないか、自分だけが使えるフォルダではありません（リンク、ほかのユーザーのもの、ほかの人も開けるもの）</source>
        <translation>The recovery folder cannot be made or is not yours alone (a link, another user's, or open to others)</translation>
    </message>
    <message>
        <source>HOME も XDG_STATE_HOME も決まっていないため、残す場所がありません</source>
        <translation>Neither HOME nor XDG_STATE_HOME is set, so there is no place to keep it</translation>
    </message>
    <message>
        <source>未保存の作業を、再び復元用に残しています</source>
        <translation>Unsaved work is kept for recovery again</translation>
    </message>
    <message>
        <source>X11カーソルに書き出せる画像がありません</source>
        <translation>There is no image that can go into an X11 cursor.</translation>
    </message>
    <message>
        <source>ほかのユーザーのフォルダかファイルなので、書きこみません</source>
        <translation>It belongs to another user, so nothing is written there.</translation>
    </message>
    <message>
        <source>アニメーションカーソルとしては大きすぎます</source>
        <translation>The file is too large for an animated cursor</translation>
    </message>
    <message>
        <source>画像がひとつもありません</source>
        <translation>The file holds no images.</translation>
    </message>
    <message>
        <source>幅：１～２５６を指定してください</source>
        <translation>Width: enter a value from 1 to 256.</translation>
    </message>
    <message>
        <source>高さ：１～２５６を指定してください</source>
        <translation>Height: enter a value from 1 to 256.</translation>
    </message>
    <message>
        <source>32ビット (フルカラー)</source>
        <translation>32-bit (full colour)</translation>
    </message>
    <message>
        <source>セル (%1, %2)  #%3  不透明度 %4</source>
        <translation>Cell (%1, %2)  #%3  opacity %4</translation>
    </message>
    <message>
        <source>不透明度 (0 = 透明, 255 = 不透明)</source>
        <translation>Opacity (0 = transparent, 255 = opaque)</translation>
    </message>
    <message>
        <source>32ビットに変換(&amp;B)</source>
        <translation>Convert to 32 &amp;Bits</translation>
    </message>
    <message>
        <source>インデックスカラーに変換(&amp;I)...</source>
        <translation>Convert to &amp;Indexed Colours...</translation>
    </message>
    <message>
        <source>インデックスカラーに変換</source>
        <translation>Convert to Indexed Colours</translation>
    </message>
    <message>
        <source>透明にする不透明度の上限</source>
        <translation>Opacity below which pixels become transparent</translation>
    </message>
    <message>
        <source>反転色の%1画素は32ビットの画像に持てないので透明にしました</source>
        <translation>%1 inverted pixels cannot be kept in a 32-bit image, so they became transparent</translation>
    </message>
    <message>
        <source>誤差拡散</source>
        <translation>Dither</translation>
    </message>
    <message>
        <source>SVG画像(*.svg;*.svgz)</source>
        <translation>SVG drawings (*.svg;*.svgz)</translation>
    </message>
    <message>
        <source>SVGを描画できません</source>
        <translation>The SVG cannot be rendered</translation>
    </message>
    <message>
        <source>SVGの描画に時間がかかりすぎるため中止しました</source>
        <translation>Rendering the SVG took too long and was stopped</translation>
    </message>
    <message>
        <source>変形(&amp;F)</source>
        <translation>Trans&amp;form</translation>
    </message>
    <message>
        <source>左にシフト(&amp;L)</source>
        <translation>Shift &amp;Left</translation>
    </message>
    <message>
        <source>右にシフト(&amp;R)</source>
        <translation>Shift &amp;Right</translation>
    </message>
    <message>
        <source>上にシフト(&amp;U)</source>
        <translation>Shift &amp;Up</translation>
    </message>
    <message>
        <source>下にシフト(&amp;D)</source>
        <translation>Shift &amp;Down</translation>
    </message>
    <message>
        <source>左右反転(&amp;H)</source>
        <translation>Flip &amp;Horizontally</translation>
    </message>
    <message>
        <source>上下反転(&amp;V)</source>
        <translation>Flip &amp;Vertically</translation>
    </message>
    <message>
        <source>回転(&amp;O)...</source>
        <translation>R&amp;otate…</translation>
    </message>
    <message>
        <source>文字(&amp;X)...</source>
        <translation>Te&amp;xt…</translation>
    </message>
    <message>
        <source>アイコンの確認(&amp;K)...</source>
        <translation>Icon Chec&amp;k Sheet…</translation>
    </message>
    <message>
        <source>アイコンの確認</source>
        <translation>Icon check sheet</translation>
    </message>
    <message>
        <source>明るい画面</source>
        <translation>Light screen</translation>
    </message>
    <message>
        <source>灰色の画面</source>
        <translation>Mid-grey screen</translation>
    </message>
    <message>
        <source>暗い画面</source>
        <translation>Dark screen</translation>
    </message>
    <message>
        <source>読み込んだ画像</source>
        <translation>Loaded picture</translation>
    </message>
    <message>
        <source>%1（Windows はどの大きさにも使いません）</source>
        <translation>%1 (Windows uses it at no size)</translation>
    </message>
    <message>
        <source>Windows が使う画像（求める大きさ → 画像）</source>
        <translation>The image Windows uses (size asked for → image)</translation>
    </message>
    <message>
        <source>背景の画像を読み込む(&amp;L)...</source>
        <translation>&amp;Load Background Picture…</translation>
    </message>
    <message>
        <source>背景の画像を開く</source>
        <translation>Open Background Picture</translation>
    </message>
    <message>
        <source>%1 を画像として読み込めませんでした。</source>
        <translation>%1 could not be read as a picture.</translation>
    </message>
    <message>
        <source>表示: ウィンドウに合わせて縮小</source>
        <translation>View: reduced to fit the window</translation>
    </message>
    <message>
        <source>書き出す画像がありません</source>
        <translation>There is no image to export</translation>
    </message>
    <message>
        <source>PNGを書き出せません</source>
        <translation>The PNG image cannot be written</translation>
    </message>
    <message>
        <source>アイコンの名前には / を含まない名前を指定してください</source>
        <translation>Give the icon a name without /</translation>
    </message>
    <message>
        <source>このフォルダにはもうアイコンセットがあります。置きかえますか？

%1</source>
        <translation>This folder already holds an icon set. Replace it?

%1</translation>
    </message>
    <message>
        <source>アイコンセットを書き出しました: %1</source>
        <translation>Icon set written: %1</translation>
    </message>
    <message>
        <source>--export-set には元のアイコンか画像のファイルを一つ指定してください</source>
        <translation>--export-set needs one icon or picture file to export from</translation>
    </message>
    <message>
        <source>--platforms には windows,linux,mac,web からいくつかをコンマで区切って指定してください</source>
        <translation>--platforms takes some of windows,linux,mac,web separated by commas</translation>
    </message>
    <message>
        <source>フォルダにはもうアイコンセットがあります。置きかえるときは --force を指定してください</source>
        <translation>The folder already holds an icon set. Give --force to replace it</translation>
    </message>
    <message>
        <source>アイコンやPNG画像から各プラットフォームのアイコンセットをこのフォルダに書き出す</source>
        <translation>Write every platform's icon set made from an icon or PNG picture into this folder</translation>
    </message>
    <message>
        <source>--export-set で書き出すプラットフォーム (既定: 全部)</source>
        <translation>Platforms --export-set writes (default: all)</translation>
    </message>
    <message>
        <source>--export-set で書き出すアイコンの名前 (既定: 元のファイルの名前)</source>
        <translation>Name of the icon --export-set writes (default: the source file's name)</translation>
    </message>
    <message>
        <source>--export-set でフォルダにあるアイコンセットを置きかえる</source>
        <translation>Let --export-set replace an icon set already in the folder</translation>
    </message>
    <message>
        <source>アイコンセットの書き出し</source>
        <translation>Export Icon Set</translation>
    </message>
    <message>
        <source>Linux (hicolor のフォルダ)</source>
        <translation>Linux (hicolor folders)</translation>
    </message>
    <message>
        <source>ウェブ (favicon など)</source>
        <translation>Web (favicon and more)</translation>
    </message>
    <message>
        <source>名前:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>書き出すフォルダ:</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>アイコンセットの書き出し(&amp;K)...</source>
        <translation>Export Icon Se&amp;t…</translation>
    </message>
    <message>
        <source>通常の矢印</source>
        <translation>ordinary arrow</translation>
    </message>
    <message>
        <source>文字の入力</source>
        <translation>text input</translation>
    </message>
    <message>
        <source>待ち</source>
        <translation>busy</translation>
    </message>
    <message>
        <source>バックグラウンドで処理中</source>
        <translation>working in the background</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>help</translation>
    </message>
    <message>
        <source>十字</source>
        <translation>crosshair</translation>
    </message>
    <message>
        <source>使用不可</source>
        <translation>not allowed</translation>
    </message>
    <message>
        <source>つかめる</source>
        <translation>can grab</translation>
    </message>
    <message>
        <source>つかんでいる</source>
        <translation>grabbing</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>move</translation>
    </message>
    <message>
        <source>上下の大きさ</source>
        <translation>resize up and down</translation>
    </message>
    <message>
        <source>左右の大きさ</source>
        <translation>resize left and right</translation>
    </message>
    <message>
        <source>斜めの大きさ（左上と右下）</source>
        <translation>resize diagonally (top left, bottom right)</translation>
    </message>
    <message>
        <source>斜めの大きさ（右上と左下）</source>
        <translation>resize diagonally (top right, bottom left)</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>copy</translation>
    </message>
    <message>
        <source>リンクを作る</source>
        <translation>make a link</translation>
    </message>
    <message>
        <source>メニューあり</source>
        <translation>context menu</translation>
    </message>
    <message>
        <source>表のセル</source>
        <translation>table cell</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>zoom in</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>zoom out</translation>
    </message>
    <message>
        <source>カーソルテーマに書き出す</source>
        <translation>Export to a Cursor Theme</translation>
    </message>
    <message>
        <source>テーマのフォルダ</source>
        <translation>Theme folder</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>カーソルの名前</source>
        <translation>Cursor name</translation>
    </message>
    <message>
        <source>別名のリンク: なし</source>
        <translation>Links under other names: none</translation>
    </message>
    <message>
        <source>別名のリンク: %1</source>
        <translation>Links under other names: %1</translation>
    </message>
    <message>
        <source>%1 を書き出しました</source>
        <translation>Wrote %1</translation>
    </message>
    <message>
        <source>（別名のリンク: %1）</source>
        <translation> (links: %1)</translation>
    </message>
    <message>
        <source>（ほかのファイルがあるので残した名前: %1）</source>
        <translation> (left alone, other files have these names: %1)</translation>
    </message>
    <message>
        <source>パレットファイル：%1</source>
        <translation>Palette file: %1</translation>
    </message>
</context>
</TS>
