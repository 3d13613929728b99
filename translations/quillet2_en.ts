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
        <translation>All tabs will be discarded and a new tab created
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
        <translation>Only one icon file can be accepted at a time</translation>
    </message>
    <message>
        <source>&gt;変更されています保存しますか？</source>
        <translation>&gt;The document has been changed. Save it?</translation>
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
        <source>設定(&amp;C)</source>
        <translation>&amp;Configure</translation>
    </message>
    <message>
        <source>プログラム(&amp;P)...</source>
        <translation>&amp;Program…</translation>
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
        <source>トピックの検索(&amp;H)...</source>
        <translation>Search &amp;Help Topics…</translation>
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
        <translation>Out of memory: the undo step could not be recorded</translation>
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
        <translation>Not an icon file</translation>
    </message>
    <message>
        <source>オープンに失敗</source>
        <translation>Could not open the file</translation>
    </message>
    <message>
        <source>読み込みに失敗</source>
        <translation>Could not read the file</translation>
    </message>
    <message>
        <source>６４ｘ６４以下のサイズしか扱えません</source>
        <translation>Only sizes up to 64 x 64 can be handled</translation>
    </message>
    <message>
        <source>２、１６、２５６色しか扱えません</source>
        <translation>Only 2, 16 and 256 colours can be handled</translation>
    </message>
    <message>
        <source>ビットマップが圧縮されたアイコンは扱えません</source>
        <translation>Icons with compressed bitmaps cannot be handled</translation>
    </message>
    <message>
        <source>新規タブの作成に失敗</source>
        <translation>Could not create a new tab</translation>
    </message>
    <message>
        <source>書きこみに失敗</source>
        <translation>Could not write the file</translation>
    </message>
    <message>
        <source>最大タブ数をこえるので読み込めません</source>
        <translation>Cannot open: it would exceed the maximum number of tabs</translation>
    </message>
    <message>
        <source>既に編集対象になっています</source>
        <translation>This file is already being edited</translation>
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
        <translation>This is a folder
</translation>
    </message>
    <message>
        <source>ファイルのデータは、すぐには利用できません
</source>
        <translation>The data of the file is not available right now
</translation>
    </message>
    <message>
        <source>オペレーティングシステムのファイルの一部
 または、オペレーティングシステム専用のファイルです</source>
        <translation>Part of the operating system
 or a file for the use of the operating system only</translation>
    </message>
    <message>
        <source>読み取り専用です、オープンしますか？</source>
        <translation>The file is read-only. Open it anyway?</translation>
    </message>
    <message>
        <source>パレット読み込みに失敗</source>
        <translation>Could not read the palette</translation>
    </message>
    <message>
        <source>色数があっていません</source>
        <translation>The number of colours does not match</translation>
    </message>
    <message>
        <source>パレット保存に失敗</source>
        <translation>Could not save the palette</translation>
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
        <source>個別のアイコンファイルとして保存</source>
        <translation>Save as separate icon files</translation>
    </message>
    <message>
        <source>横に並んだビットマップファイルとして保存（最初のタブのパレットで保存されます）</source>
        <translation>Save as one bitmap side by side (with the first tab&apos;s palette)</translation>
    </message>
    <message>
        <source>個別のビットマップファイルとして保存</source>
        <translation>Save as separate bitmap files</translation>
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
        <translation>The maximum of 20 tabs has been reached</translation>
    </message>
    <message>
        <source>幅：１～６４を指定してください</source>
        <translation>Width: enter a value from 1 to 64</translation>
    </message>
    <message>
        <source>高さ：１～６４を指定してください</source>
        <translation>Height: enter a value from 1 to 64</translation>
    </message>
    <message>
        <source>選択タブを破棄します
</source>
        <translation>The selected tab will be discarded
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
        <translation>Tidy</translation>
    </message>
    <message>
        <source>減色...</source>
        <translation>Reduce…</translation>
    </message>
    <message>
        <source>一括...</source>
        <translation>Batch…</translation>
    </message>
    <message>
        <source>減色</source>
        <translation>Reduce Colours</translation>
    </message>
    <message>
        <source>実行</source>
        <translation>Run</translation>
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
        <translation>Report</translation>
    </message>
    <message>
        <source>問い合わせ</source>
        <translation>Question</translation>
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
        <translation>Cannot read the picture</translation>
    </message>
    <message>
        <source>画像が大きすぎて読み込めません</source>
        <translation>The picture is too large to read</translation>
    </message>
    <message>
        <source>データが途中で切れています</source>
        <translation>The data is cut short</translation>
    </message>
    <message>
        <source>対応していない形式です</source>
        <translation>Unsupported format</translation>
    </message>
    <message>
        <source>大きさが正しくありません</source>
        <translation>Invalid size</translation>
    </message>
    <message>
        <source>PNGを読み込めません</source>
        <translation>Cannot read the PNG</translation>
    </message>
    <message>
        <source>画像が多すぎて読み込めません</source>
        <translation>Too many images to read</translation>
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
        <source>アイコンと画像(*.ico;*.png;*.bmp;*.gif)</source>
        <translation>Icons and pictures (*.ico;*.png;*.bmp;*.gif)</translation>
    </message>
    <message>
        <source>画像(*.png;*.bmp;*.gif)</source>
        <translation>Pictures (*.png;*.bmp;*.gif)</translation>
    </message>
    <message>
        <source>取り込める画像がありません</source>
        <translation>There is no image that can be imported</translation>
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
        <source>表示の言語: en (英語) または ja (日本語、既定)</source>
        <translation>Language of the user interface: en (English) or ja (Japanese, the default)</translation>
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
        <translation>Saving the settings failed</translation>
    </message>
    <message>
        <source>開いた後（または前回の保存の後）に、ほかのプログラムがこのファイルを変更しています
上書きしますか？</source>
        <translation>Another program has changed this file since it was opened (or last saved)
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
        <translation>You have no permission to write this file</translation>
    </message>
    <message>
        <source>フォルダに書きこむ権限がなく、ファイルの元の内容を残す場所もありません</source>
        <translation>The folder is not writable, and there is no place to keep the old content of the file</translation>
    </message>
    <message>
        <source>ディスクに空きがありません</source>
        <translation>The disk is full</translation>
    </message>
    <message>
        <source>普通のファイルではありません</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>共有フォルダにほかのユーザーが置いたリンクなので、たどりません</source>
        <translation>A link placed by another user in a shared folder is not followed</translation>
    </message>
    <message>
        <source>ファイルを読めないので、書きかえません</source>
        <translation>The file cannot be read, so it is not rewritten</translation>
    </message>
    <message>
        <source>表示の言語は次にQuillet2を起動したときから切り替わります</source>
        <translation>The language changes the next time Quillet2 starts</translation>
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
        <translation>The file no longer exists. It is taken off the list of recent files</translation>
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
        <source>--sizes には 16,20,24,32,40,48,64 からいくつかをコンマで区切って指定してください</source>
        <translation>--sizes takes some of 16,20,24,32,40,48,64, separated by commas</translation>
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
</context>
</TS>
