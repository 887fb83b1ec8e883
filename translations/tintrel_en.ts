<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>TColorDropButton</name>
    <message>
        <source>色</source>
        <translation>Colour</translation>
    </message>
</context>
<context>
    <name>TColorDropPalette</name>
    <message>
        <source>その他の色 %1</source>
        <translation>Other colour %1</translation>
    </message>
    <message>
        <source>%1、%2行%3列</source>
        <translation>%1, row %2, column %3</translation>
    </message>
    <message>
        <source>色パレット</source>
        <translation>Colour palette</translation>
    </message>
    <message>
        <source>矢印キーで選び、Enterで決定、Escで閉じます。Alt+Oでその他の色</source>
        <translation>Choose with the arrow keys, confirm with Enter, close with Esc. Alt+O for other colours</translation>
    </message>
</context>
<context>
    <name>TFileUserStore</name>
    <message>
        <source>設定ファイルに書き込めませんでした。カスタムカラーは保存されていません。
</source>
        <translation>Could not write the settings file. The custom colours were not saved.
</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>F1キーでヘルプを表示します</source>
        <translation>Press F1 for help</translation>
    </message>
    <message>
        <source>テキスト</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>リターンキーでプレビューを更新します</source>
        <translation>Press Enter to update the preview</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>右クリックで選択したフォント名をクリップボードにコピーします。</source>
        <translation>Right-click to copy the chosen font name to the clipboard.</translation>
    </message>
    <message>
        <source>フォントを選択します。コピーするには左側のパネルを右クリックします。</source>
        <translation>Chooses the font. To copy it, right-click the panel on the left.</translation>
    </message>
    <message>
        <source>太字にします</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体にします</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>下線をつけます</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>取消線をつけます</source>
        <translation>Strike out</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>フォントのサイズを指定します。0で指定を行いません。</source>
        <translation>Sets the font size. 0 leaves the size unset.</translation>
    </message>
    <message>
        <source>頭文字は＋１</source>
        <translation>First +1</translation>
    </message>
    <message>
        <source>頭文字だけフォントサイズを+1します。プレビューには反映しません。</source>
        <translation>Makes the first letter one size larger. Not shown in the preview.</translation>
    </message>
    <message>
        <source>色指定</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>右クリックするとRGB値をクリップボードにコピーします</source>
        <translation>Right-click to copy the RGB value to the clipboard</translation>
    </message>
    <message>
        <source>&amp;Other</source>
        <translation>&amp;Other</translation>
    </message>
    <message>
        <source>左側（外側）の色を選択します</source>
        <translation>Chooses the left (outer) colour</translation>
    </message>
    <message>
        <source>右側（内側）の色を選択します</source>
        <translation>Chooses the right (inner) colour</translation>
    </message>
    <message>
        <source>３色</source>
        <translation>Three</translation>
    </message>
    <message>
        <source>折返</source>
        <translation>Mirror</translation>
    </message>
    <message>
        <source>中央でグラデーションを折り返します</source>
        <translation>Folds the gradient back at the middle</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Swap</translation>
    </message>
    <message>
        <source>左右の色を入れ替えます</source>
        <translation>Swaps the left and right colours</translation>
    </message>
    <message>
        <source>スタイル</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>スタイルの呼出・読込などを行います（右クリックでメニュー）</source>
        <translation>Chooses, saves and exchanges styles (right-click for the menu)</translation>
    </message>
    <message>
        <source>コピー </source>
        <translation>Copy </translation>
    </message>
    <message>
        <source>保存 </source>
        <translation>Save </translation>
    </message>
    <message>
        <source>HTMLをファイルにセーブします</source>
        <translation>Saves the HTML to a file</translation>
    </message>
    <message>
        <source>オプション </source>
        <translation>Options </translation>
    </message>
    <message>
        <source>オプションを設定します</source>
        <translation>Sets the options</translation>
    </message>
    <message>
        <source>背景色を選択します</source>
        <translation>Chooses the background colour</translation>
    </message>
    <message>
        <source>テーブル</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>文字の周りだけ背景色で塗ります（テーブル形式）</source>
        <translation>Fills only around the text with the background (table)</translation>
    </message>
    <message>
        <source>サンプル表示領域です。フォント名を有効にするにはオプションを使います。</source>
        <translation>The preview. To put the font name into the HTML, use the options.</translation>
    </message>
    <message>
        <source>face=&apos;...&apos; タグを有効にする</source>
        <translation>Write face=&apos;...&apos; in the tags</translation>
    </message>
    <message>
        <source>太字・斜体は論理タグにする</source>
        <translation>Logical tags for bold and italic</translation>
    </message>
    <message>
        <source>HTML作成時にコメント付加</source>
        <translation>Add comments to the HTML</translation>
    </message>
    <message>
        <source>FONTタグ内で改行する</source>
        <translation>Break lines inside the FONT tags</translation>
    </message>
    <message>
        <source>タグは大文字にする</source>
        <translation>Upper-case tags</translation>
    </message>
    <message>
        <source>ｽﾏｰﾄﾌﾟﾚﾋﾞｭｰを無効にする</source>
        <translation>Turn off the smart preview</translation>
    </message>
    <message>
        <source>HTML保存時に開く</source>
        <translation>Open the HTML after saving</translation>
    </message>
    <message>
        <source>保存時に上書きの警告をする</source>
        <translation>Ask before overwriting a file</translation>
    </message>
    <message>
        <source>Tintrelについて</source>
        <translation>About Tintrel</translation>
    </message>
    <message>
        <source>リストに追加／変更を保存</source>
        <translation>Add to the list / save the changes</translation>
    </message>
    <message>
        <source>リストから削除</source>
        <translation>Remove from the list</translation>
    </message>
    <message>
        <source>tsy ファイルから読み取る</source>
        <translation>Read from a .tsy file</translation>
    </message>
    <message>
        <source>tsy ファイルに書き出す</source>
        <translation>Write to a .tsy file</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>COLOR</translation>
    </message>
    <message>
        <source>COLOR=&apos;#rrggbb&apos; 形式でコピー</source>
        <translation>Copy as COLOR=&apos;#rrggbb&apos;</translation>
    </message>
    <message>
        <source>BGCOLOR</source>
        <translation>BGCOLOR</translation>
    </message>
    <message>
        <source>BGCOLOR=&apos;#rrggbb&apos; 形式でコピー</source>
        <translation>Copy as BGCOLOR=&apos;#rrggbb&apos;</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>rrggbb 形式でコピー</source>
        <translation>Copy as rrggbb</translation>
    </message>
    <message>
        <source>BORDER COLOR</source>
        <translation>BORDER COLOR</translation>
    </message>
    <message>
        <source>フォント名</source>
        <translation>Font name</translation>
    </message>
    <message>
        <source>FACE</source>
        <translation>FACE</translation>
    </message>
    <message>
        <source>FONT-FAMILY</source>
        <translation>FONT-FAMILY</translation>
    </message>
    <message>
        <source>設定ファイルに書き込めませんでした。
%1

%2</source>
        <translation>Could not write the settings file.
%1

%2</translation>
    </message>
    <message>
        <source>ベースフォントサイズ %1pt</source>
        <translation>Base font size %1pt</translation>
    </message>
    <message>
        <source>ベースフォントサイズ</source>
        <translation>Base font size</translation>
    </message>
    <message>
        <source>フォントサイズを入力して下さい</source>
        <translation>Enter the font size</translation>
    </message>
    <message>
        <source>文字列をグラデーションで彩るHTMLを作ります
Tintrel Ver 1.31

Linux / Qt 6 版</source>
        <translation>Makes HTML that colours a text with a gradient
Tintrel Ver 1.31

Linux / Qt 6 edition</translation>
    </message>
    <message>
        <source>ヘルプファイル（tintrel.html）を開けませんでした</source>
        <translation>Could not open the help page (tintrel.en.html)</translation>
    </message>
    <message>
        <source>設定ファイルの色の値が正しくないため、既定の色を使いました。
%1</source>
        <translation>A colour value in the settings file is not valid, so the default colour was used.
%1</translation>
    </message>
    <message>
        <source>コピーするものがありません</source>
        <translation>Nothing to copy</translation>
    </message>
    <message>
        <source>HTMLをコピーしました</source>
        <translation>HTML copied</translation>
    </message>
    <message>
        <source>HTMLをコピーしました（１行）</source>
        <translation>HTML copied (one line)</translation>
    </message>
    <message>
        <source>コピーしました </source>
        <translation>Copied </translation>
    </message>
    <message>
        <source>HTML File|*.html;*.htm|Tintrel Style File|*.tsy</source>
        <translation>HTML File|*.html;*.htm|Tintrel Style File|*.tsy</translation>
    </message>
    <message>
        <source>ページを保存できませんでした。
%1</source>
        <translation>Could not save the page.
%1</translation>
    </message>
    <message>
        <source>上書きの確認</source>
        <translation>Overwrite?</translation>
    </message>
    <message>
        <source>%1 は既にあります。
上書きしますか？</source>
        <translation>%1 already exists.
Do you want to overwrite it?</translation>
    </message>
    <message>
        <source>「%1」はスタイル名にできません。
設定ファイル自身のセクション名（Option, @@Prev@@, STYLES, Save）と、「]」や制御文字を含む名前、前後に空白のある名前は使えません。</source>
        <translation>“%1” cannot name a style.
The settings file’s own section names (Option, @@Prev@@, STYLES, Save), names with “]” or control characters, and names with spaces at either end cannot be used.</translation>
    </message>
    <message>
        <source>スタイルの追加</source>
        <translation>Add a style</translation>
    </message>
    <message>
        <source>スタイル名</source>
        <translation>Style name</translation>
    </message>
    <message>
        <source>スタイル名にShift-JISで表せない文字（%1）が含まれているため、追加しませんでした。</source>
        <translation>The style name holds characters that Shift-JIS cannot write (%1), so it was not added.</translation>
    </message>
    <message>
        <source>削除の確認</source>
        <translation>Remove?</translation>
    </message>
    <message>
        <source>【%1】 削除しますか？</source>
        <translation>Remove “%1”?</translation>
    </message>
    <message>
        <source>Tintrel Style File|*.tsy</source>
        <translation>Tintrel Style File|*.tsy</translation>
    </message>
    <message>
        <source>スタイルファイルを読み込みませんでした。
</source>
        <translation>The style file was not read.
</translation>
    </message>
    <message>
        <source>Shift-JISにない%1文字は文字参照（&amp;#番号;）で書きました</source>
        <translation>Characters outside Shift-JIS written as character references (&amp;#number;): %1</translation>
    </message>
    <message>
        <source>［%1、１行：%2］</source>
        <translation> [%1, one line: %2]</translation>
    </message>
    <message>
        <source>［%1］</source>
        <translation> [%1]</translation>
    </message>
    <message>
        <source>メニューキーまたはShift+F10でフォント名をコピーします。</source>
        <translation> The menu key or Shift+F10 copies the font name.</translation>
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
        <source>下線</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>取消線</source>
        <translation>Strike out</translation>
    </message>
    <message>
        <source>。スペースで色を順に替え、Alt+↓またはF4でパレットを開きます。メニューキーまたはShift+F10で色の値をコピーします。</source>
        <translation>. Space steps through the colours, Alt+Down or F4 opens the palette. The menu key or Shift+F10 copies the colour value.</translation>
    </message>
    <message>
        <source>左側（外側）の色</source>
        <translation>Left (outer) colour</translation>
    </message>
    <message>
        <source>中央の色</source>
        <translation>Middle colour</translation>
    </message>
    <message>
        <source>３色のときの中央の色を選択します</source>
        <translation>Chooses the middle colour of three</translation>
    </message>
    <message>
        <source>右側（内側）の色</source>
        <translation>Right (inner) colour</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background colour</translation>
    </message>
    <message>
        <source>左側の色の値</source>
        <translation>Left colour value</translation>
    </message>
    <message>
        <source>中央の色の値</source>
        <translation>Middle colour value</translation>
    </message>
    <message>
        <source>右側の色の値</source>
        <translation>Right colour value</translation>
    </message>
    <message>
        <source>背景色の値</source>
        <translation>Background colour value</translation>
    </message>
    <message>
        <source>３色のグラデーションにします</source>
        <translation>Makes a gradient of three colours</translation>
    </message>
    <message>
        <source>。メニューキーまたはShift+F10でメニューを開きます。</source>
        <translation>. The menu key or Shift+F10 opens the menu.</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>%1文字のためプレビューを%2ptに縮小中（HTMLの文字サイズはそのまま）</source>
        <translation>Preview shrunk to %2pt for %1 characters (the HTML keeps its size)</translation>
    </message>
    <message>
        <source>HTMLを保存しました</source>
        <translation>HTML saved</translation>
    </message>
    <message>
        <source>保存したページ（%1）を開けませんでした</source>
        <translation>Could not open the saved page (%1)</translation>
    </message>
    <message>
        <source>FONTタグのHTMLで書く</source>
        <translation>Write HTML with FONT tags</translation>
    </message>
    <message>
        <source>文字ごとにFONTタグで色を付けたHTMLを書きます（従来の形式）</source>
        <translation>Writes HTML that colours every character with a FONT tag (the classic form)</translation>
    </message>
    <message>
        <source>HTML5とCSSで書く</source>
        <translation>Write HTML5 with CSS</translation>
    </message>
    <message>
        <source>spanとCSSで色を付けたHTML5を書きます（読み上げ対応）</source>
        <translation>Writes HTML5 coloured with span and CSS (read well by screen readers)</translation>
    </message>
    <message>
        <source>BBCodeで書く（掲示板用）</source>
        <translation>Write BBCode (for forums)</translation>
    </message>
    <message>
        <source>掲示板のBBCodeで書きます。テーブルとコメントは付きません</source>
        <translation>Writes forum BBCode. No table and no comments are added</translation>
    </message>
    <message>
        <source>BBCodeをコピーしました</source>
        <translation>BBCode copied</translation>
    </message>
    <message>
        <source>BBCodeをコピーしました（１行）</source>
        <translation>BBCode copied (one line)</translation>
    </message>
    <message>
        <source>テキストファイル|*.txt</source>
        <translation>Text File|*.txt</translation>
    </message>
    <message>
        <source>画像として保存…</source>
        <translation>Save as Picture…</translation>
    </message>
    <message>
        <source>プレビューの文字をPNGまたはSVGの画像ファイルに保存します</source>
        <translation>Saves the preview text as a PNG or SVG picture file</translation>
    </message>
    <message>
        <source>書式付きテキストでもコピーする</source>
        <translation>Copy as formatted text too</translation>
    </message>
    <message>
        <source>コピーの時、HTMLのソースと一緒に色付きの書式付きテキストも渡します（ワープロやメールに貼り付け用）</source>
        <translation>When copying, also hands over coloured formatted text along with the HTML source (for pasting into word processors and mail)</translation>
    </message>
    <message>
        <source>画像にするものがありません</source>
        <translation>Nothing to make a picture of</translation>
    </message>
    <message>
        <source>画像が%1ピクセルを超えるため保存できません。倍率を下げるか、テキストを短くしてください。</source>
        <translation>The picture would be larger than %1 pixels and cannot be saved. Choose a smaller scale or a shorter text.</translation>
    </message>
    <message>
        <source>PNG 画像</source>
        <translation>PNG picture</translation>
    </message>
    <message>
        <source>SVG 画像</source>
        <translation>SVG picture</translation>
    </message>
    <message>
        <source>画像を描けませんでした。</source>
        <translation>Could not draw the picture.</translation>
    </message>
    <message>
        <source>画像を保存できませんでした。
%1</source>
        <translation>Could not save the picture.
%1</translation>
    </message>
    <message>
        <source>画像を保存しました</source>
        <translation>Picture saved</translation>
    </message>
    <message>
        <source>BBCodeにはテーブルとコメントは付きません</source>
        <translation>BBCode has no table and no comments</translation>
    </message>
    <message>
        <source>設定ファイル「%1」のスタイルの一覧（[STYLES]）が壊れていたため、残っていたスタイルから作り直しました。閉じるときに保存します。</source>
        <translation>The style list ([STYLES]) in the settings file “%1” was damaged, so it was rebuilt from the styles that remain. It will be saved when the program closes.</translation>
    </message>
    <message>
        <source>sRGB（各色を均等に、従来どおり）</source>
        <translation>sRGB (even steps per channel, as ever)</translation>
    </message>
    <message>
        <source>リニアRGB（光の量で混ぜる）</source>
        <translation>Linear RGB (mixed as light)</translation>
    </message>
    <message>
        <source>Oklab（目に均等な明るさ）</source>
        <translation>Oklab (even to the eye)</translation>
    </message>
    <message>
        <source>OKLCH（色相の近い方を回る）</source>
        <translation>OKLCH (shorter way round the hues)</translation>
    </message>
    <message>
        <source>OKLCH（色相の遠い方を回る）</source>
        <translation>OKLCH (longer way round the hues)</translation>
    </message>
    <message>
        <source>夕焼け</source>
        <translation>Sunset</translation>
    </message>
    <message>
        <source>海</source>
        <translation>Ocean</translation>
    </message>
    <message>
        <source>炎</source>
        <translation>Fire</translation>
    </message>
    <message>
        <source>パステル</source>
        <translation>Pastel</translation>
    </message>
    <message>
        <source>虹</source>
        <translation>Rainbow</translation>
    </message>
    <message>
        <source>色空間</source>
        <translation>Colour space</translation>
    </message>
    <message>
        <source>グラデーションの中間の色を混ぜる色空間を選びます</source>
        <translation>Chooses the space the colours between the ends are mixed in</translation>
    </message>
    <message>
        <source>色を増やす…</source>
        <translation>More colours…</translation>
    </message>
    <message>
        <source>2色から16色までのグラデーションにします</source>
        <translation>Makes a gradient of 2 to 16 colours</translation>
    </message>
    <message>
        <source>虹色</source>
        <translation>Rainbow</translation>
    </message>
    <message>
        <source>色相を一周させます（明るさは一定）</source>
        <translation>Turns the hue once round (at an even lightness)</translation>
    </message>
    <message>
        <source>プリセット</source>
        <translation>Presets</translation>
    </message>
    <message>
        <source>コントラストを確認する</source>
        <translation>Check contrast</translation>
    </message>
    <message>
        <source>背景に対して読みにくい文字をステータスバーに示します（WCAG 2）</source>
        <translation>Names in the status bar the characters that are hard to read on the background (WCAG 2)</translation>
    </message>
    <message>
        <source>コントラストを修正</source>
        <translation>Fix contrast</translation>
    </message>
    <message>
        <source>すべての文字が読めるまで、各色の明るさを最小限だけ変えます</source>
        <translation>Changes the lightness of each colour by the least amount until every character can be read</translation>
    </message>
    <message>
        <source>中間色（%1色の真ん中）</source>
        <translation>Middle colour (the middle of %1 colours)</translation>
    </message>
    <message>
        <source>読みにくい文字%1個: %2文字目「%3」のコントラスト %4:1</source>
        <translation>%1 characters hard to read: character %2 “%3” has a contrast of %4:1</translation>
    </message>
    <message>
        <source>虹色は明るさが一定のため、コントラストを修正できません</source>
        <translation>The rainbow keeps an even lightness, so its contrast cannot be fixed</translation>
    </message>
    <message>
        <source>この背景ではすべての文字を読めるようにはできません</source>
        <translation>Not every character can be made readable on this background</translation>
    </message>
    <message>
        <source>設定ファイル「%1」のフォント名に制御文字が含まれているため、使いませんでした。
%2</source>
        <translation>A face name in the settings file “%1” holds a control character, so it was not used.
%2</translation>
    </message>
    <message>
        <source>ja</source>
        <comment>the language code of a page whose text holds no kana or kanji</comment>
        <translation>en</translation>
    </message>
    <message>
        <source>文字参照 %1</source>
        <translation>References: %1</translation>
    </message>
    <message>
        <source>グラデーションは2文字から</source>
        <translation>A gradient needs two characters</translation>
    </message>
    <message>
        <source>名前を変更</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>スタイル名の変更</source>
        <translation>Rename Style</translation>
    </message>
    <message>
        <source>新しいスタイル名</source>
        <translation>New style name</translation>
    </message>
    <message>
        <source>スタイル名にShift-JISで表せない文字（%1）が含まれているため、名前を変えませんでした。</source>
        <translation>The style name holds characters that Shift-JIS cannot write (%1), so it was not renamed.</translation>
    </message>
    <message>
        <source>「%1」というスタイルは既にあります。名前を変えませんでした。</source>
        <translation>A style named “%1” already exists. The style was not renamed.</translation>
    </message>
    <message>
        <source>スタイルを書き出しました</source>
        <translation>Style exported</translation>
    </message>
    <message>
        <source>MiniMessage（Minecraft サーバー）</source>
        <translation>MiniMessage (Minecraft servers)</translation>
    </message>
    <message>
        <source>Minecraft サーバーの MiniMessage タグで書きます</source>
        <translation>Writes MiniMessage tags for Minecraft servers</translation>
    </message>
    <message>
        <source>MiniMessage をコピーしました</source>
        <translation>MiniMessage copied</translation>
    </message>
    <message>
        <source>&amp;&amp;#RRGGBB（Minecraft プラグイン）</source>
        <translation>&amp;&amp;#RRGGBB (Minecraft plugins)</translation>
    </message>
    <message>
        <source>Minecraft プラグインの &amp;#RRGGBB 形式で書きます</source>
        <translation>Writes the &amp;#RRGGBB codes of Minecraft plugins</translation>
    </message>
    <message>
        <source>&amp;#RRGGBB 形式をコピーしました</source>
        <translation>&amp;#RRGGBB codes copied</translation>
    </message>
    <message>
        <source>&amp;&amp;x&amp;&amp;R&amp;&amp;R...（Minecraft プラグイン）</source>
        <translation>&amp;&amp;x&amp;&amp;R&amp;&amp;R... (Minecraft plugins)</translation>
    </message>
    <message>
        <source>Minecraft プラグインの &amp;x&amp;R&amp;R&amp;G&amp;G&amp;B&amp;B 形式で書きます</source>
        <translation>Writes the &amp;x&amp;R&amp;R&amp;G&amp;G&amp;B&amp;B codes of Minecraft plugins</translation>
    </message>
    <message>
        <source>&amp;x 形式をコピーしました</source>
        <translation>&amp;x codes copied</translation>
    </message>
    <message>
        <source>§x§R§R...（Minecraft 本体）</source>
        <translation>§x§R§R... (Minecraft itself)</translation>
    </message>
    <message>
        <source>Minecraft 本体が読む §x 形式で書きます（motd、看板、本）</source>
        <translation>Writes the §x codes the game reads itself (motd, signs, books)</translation>
    </message>
    <message>
        <source>§x 形式をコピーしました</source>
        <translation>§x codes copied</translation>
    </message>
    <message>
        <source>JSON テキスト（Minecraft /tellraw）</source>
        <translation>JSON text (Minecraft /tellraw)</translation>
    </message>
    <message>
        <source>Minecraft の /tellraw などの JSON テキストで書きます</source>
        <translation>Writes JSON text components for Minecraft&apos;s /tellraw, titles and books</translation>
    </message>
    <message>
        <source>JSON をコピーしました</source>
        <translation>JSON copied</translation>
    </message>
    <message>
        <source>Discord（８色）</source>
        <translation>Discord (8 colours)</translation>
    </message>
    <message>
        <source>Discord の ansi コードブロックで書きます。色は８色に近づけます</source>
        <translation>Writes a Discord ansi code block; colours are approximated by its eight</translation>
    </message>
    <message>
        <source>Discord 用のテキストをコピーしました</source>
        <translation>Text for Discord copied</translation>
    </message>
    <message>
        <source>IRC（mIRC の色）</source>
        <translation>IRC (mIRC colours)</translation>
    </message>
    <message>
        <source>IRC の mIRC カラーコードで書きます。色は99色に近づけます</source>
        <translation>Writes mIRC colour codes; colours are approximated by its 99</translation>
    </message>
    <message>
        <source>IRC 用のテキストをコピーしました</source>
        <translation>Text for IRC copied</translation>
    </message>
    <message>
        <source>GitHub（数式の色）</source>
        <translation>GitHub (colours in math)</translation>
    </message>
    <message>
        <source>GitHub の数式の \color で書きます</source>
        <translation>Writes GitHub math with \color</translation>
    </message>
    <message>
        <source>GitHub 用のテキストをコピーしました</source>
        <translation>Text for GitHub copied</translation>
    </message>
    <message>
        <source>Pango マークアップ（デスクトップ）</source>
        <translation>Pango markup (desktop)</translation>
    </message>
    <message>
        <source>GTK や通知、ステータスバーの Pango マークアップで書きます</source>
        <translation>Writes Pango markup for GTK labels, notifications and status bars</translation>
    </message>
    <message>
        <source>Pango マークアップをコピーしました</source>
        <translation>Pango markup copied</translation>
    </message>
    <message>
        <source>CSS グラデーション１要素</source>
        <translation>One CSS gradient element</translation>
    </message>
    <message>
        <source>文字に切り抜いた CSS グラデーションの１要素で書きます（最短の HTML）</source>
        <translation>Writes one element with a CSS gradient clipped to the text (the shortest HTML)</translation>
    </message>
    <message>
        <source>その他の貼り付け先</source>
        <translation>Other targets</translation>
    </message>
    <message>
        <source>色は貼り付け先の近い色にしています</source>
        <translation>Colours are approximated by the target&apos;s nearest ones</translation>
    </message>
    <message>
        <source>同じ色の並びは１つのコードにしました</source>
        <translation>one code for each run of one colour</translation>
    </message>
    <message>
        <source>同じ色の並びと空白にはコードを付けませんでした</source>
        <translation>one code for each run of one colour, none for spaces</translation>
    </message>
    <message>
        <source>%1文字ずつ同じ色にしました</source>
        <translation>%1 characters to each colour step</translation>
    </message>
    <message>
        <source>&lt;gradient&gt; タグにしました（色はサーバーが計算します）</source>
        <translation>as one &lt;gradient&gt; tag (the server computes the colours)</translation>
    </message>
    <message>
        <source>長さの上限に収める</source>
        <translation>Shorten to fit</translation>
    </message>
    <message>
        <source>貼り付け先の長さの上限を超えるときは、目立たない順に短くします</source>
        <translation>Shortens an output over the target&apos;s length limit by the least visible change</translation>
    </message>
    <message>
        <source>長さの上限…</source>
        <translation>Length budget…</translation>
    </message>
    <message>
        <source>貼り付け先の長さの上限を決めます（0で貼り付け先の既定）</source>
        <translation>Sets the length the output must fit (0: the target&apos;s own limit)</translation>
    </message>
    <message>
        <source>クリップボードからグラデーションを取り込む</source>
        <translation>Take the gradient from the clipboard</translation>
    </message>
    <message>
        <source>クリップボードのグラデーション文字から文字列・色・スタイルを取り込みます</source>
        <translation>Takes the text, colours and styles of gradient text on the clipboard</translation>
    </message>
    <message>
        <source>長さの上限</source>
        <translation>Length budget</translation>
    </message>
    <message>
        <source>長さの上限を入力して下さい（0で貼り付け先の既定）</source>
        <translation>Enter the length budget (0: the target&apos;s own limit)</translation>
    </message>
    <message>
        <source>%1 / %2：収まりません（%3文字まで）</source>
        <translation>%1 / %2: does not fit (%3 characters would)</translation>
    </message>
    <message>
        <source>バイト数 / 上限</source>
        <translation>Bytes / budget</translation>
    </message>
    <message>
        <source>UTF-16 の文字数 / 上限</source>
        <translation>UTF-16 code units / budget</translation>
    </message>
    <message>
        <source>クリップボードにはグラデーション文字がありません。何も変えていません</source>
        <translation>No gradient text on the clipboard; nothing was changed</translation>
    </message>
    <message>
        <source>クリップボードのグラデーションを取り込みました（%1）</source>
        <translation>Gradient taken from the clipboard (%1)</translation>
    </message>
    <message>
        <source>フォント名「%1」はBBCodeに書けない文字を含むため、フォントの指定を省きました</source>
        <translation>The face name “%1” holds characters BBCode cannot carry, so the face is left out</translation>
    </message>
    <message>
        <source>ＭＳ Ｐゴシック</source>
        <comment>the font list&apos;s name of this face</comment>
        <translation>MS PGothic</translation>
    </message>
    <message>
        <source>ＭＳ ゴシック</source>
        <comment>the font list&apos;s name of this face</comment>
        <translation>MS Gothic</translation>
    </message>
    <message>
        <source>ＭＳ Ｐ明朝</source>
        <comment>the font list&apos;s name of this face</comment>
        <translation>MS PMincho</translation>
    </message>
    <message>
        <source>ＭＳ 明朝</source>
        <comment>the font list&apos;s name of this face</comment>
        <translation>MS Mincho</translation>
    </message>
    <message>
        <source>メイリオ</source>
        <comment>the font list&apos;s name of this face</comment>
        <translation>Meiryo</translation>
    </message>
    <message>
        <source>HTMLをコピーします（右クリック：１行）</source>
        <translation>Copies the HTML (right-click: one line)</translation>
    </message>
    <message>
        <source>［%1／%2］</source>
        <comment>the keys of Copy and of Copy as one line</comment>
        <translation> [%1 / %2]</translation>
    </message>
    <message>
        <source>虹色の始まり…</source>
        <translation>Rainbow start…</translation>
    </message>
    <message>
        <source>虹色を始める色相を選びます</source>
        <translation>Chooses the hue the rainbow starts at</translation>
    </message>
    <message>
        <source>すべての文字が読めるので、色は変えていません</source>
        <translation>Every character can already be read, so no colour was changed</translation>
    </message>
    <message>
        <source>長さの上限は0から%1までの整数で入力して下さい。上限は変えていません</source>
        <translation>Enter the length budget as a whole number from 0 to %1; the budget was not changed</translation>
    </message>
    <message>
        <source>貼り付け先の形式にはテーブルとコメントは付きません</source>
        <translation>The paste targets get no table and no comments</translation>
    </message>
    <message>
        <source>1色を暗くして、背景の上ですべての文字を読めるようにしました</source>
        <translation>Made 1 colour darker so every character can be read on the background</translation>
    </message>
    <message>
        <source>%1色を暗くして、背景の上ですべての文字を読めるようにしました</source>
        <translation>Made %1 colours darker so every character can be read on the background</translation>
    </message>
    <message>
        <source>1色を明るくして、背景の上ですべての文字を読めるようにしました</source>
        <translation>Made 1 colour lighter so every character can be read on the background</translation>
    </message>
    <message>
        <source>%1色を明るくして、背景の上ですべての文字を読めるようにしました</source>
        <translation>Made %1 colours lighter so every character can be read on the background</translation>
    </message>
    <message>
        <source>：%1</source>
        <translation>: %1</translation>
    </message>
    <message>
        <source>上限%2バイトのところ%1バイト：貼り付け先には長すぎます</source>
        <translation>%1 of %2 bytes: too long for the target</translation>
    </message>
    <message>
        <source>上限%2文字のところ%1文字：貼り付け先には長すぎます</source>
        <translation>%1 of %2 characters: too long for the target</translation>
    </message>
    <message>
        <source>上限%2バイトのうち%1バイト：貼り付け先に収まります</source>
        <translation>%1 of %2 bytes: fits the target</translation>
    </message>
    <message>
        <source>上限%2文字のうち%1文字：貼り付け先に収まります</source>
        <translation>%1 of %2 characters: fits the target</translation>
    </message>
</context>
<context>
    <name>TPhaseDialog</name>
    <message>
        <source>虹色の始まり</source>
        <translation>Rainbow start</translation>
    </message>
    <message>
        <source>始まりの色相（度）</source>
        <translation>Starting hue (degrees)</translation>
    </message>
    <message>
        <source>OKLCHの色相環の何度から虹色を始めるか（0〜359°）</source>
        <translation>Where on the OKLCH hue circle the rainbow starts (0 to 359°)</translation>
    </message>
    <message>
        <source>始まりの色相(&amp;H):</source>
        <translation>Starting &amp;hue:</translation>
    </message>
</context>
<context>
    <name>TPictureChoiceDialog</name>
    <message>
        <source>画像として保存</source>
        <translation>Save as Picture</translation>
    </message>
    <message>
        <source>倍率</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>%1倍</source>
        <translation>%1×</translation>
    </message>
    <message>
        <source>背景を透明にする</source>
        <translation>Transparent background</translation>
    </message>
    <message>
        <source>文字をアウトラインにする（SVG）</source>
        <translation>Text as outlines (SVG)</translation>
    </message>
    <message>
        <source>SVG の文字を図形にして、どの表示ソフトでも同じに見えるようにします</source>
        <translation>Draws the SVG&apos;s characters as shapes, so that every viewer shows them the same</translation>
    </message>
</context>
<context>
    <name>TStopsEditor</name>
    <message>
        <source>グラデーションの色</source>
        <translation>Gradient colours</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>削除(&amp;R)</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>上へ(&amp;U)</source>
        <translation>Move &amp;up</translation>
    </message>
    <message>
        <source>下へ(&amp;D)</source>
        <translation>Move &amp;down</translation>
    </message>
    <message>
        <source>色…(&amp;C)</source>
        <translation>&amp;Colour…</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>位置（パーセント）</source>
        <translation>Position (percent)</translation>
    </message>
    <message>
        <source>選んだ色の、テキストの先頭からの位置。自動では前後の色の間に均等に並びます</source>
        <translation>How far along the text the selected colour stands. Auto spreads it evenly between its neighbours</translation>
    </message>
    <message>
        <source>位置(&amp;P):</source>
        <translation>&amp;Position:</translation>
    </message>
    <message>
        <source>グラデーションの見本</source>
        <translation>Gradient sample</translation>
    </message>
</context>
<context>
    <name>TStoreErrorText</name>
    <message>
        <source>ファイルまたはフォルダーがありません。</source>
        <translation>No such file or folder.</translation>
    </message>
    <message>
        <source>アクセスが許可されていません。</source>
        <translation>Access is not permitted.</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです。</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>ディスクの空きが足りません。</source>
        <translation>There is not enough free disk space.</translation>
    </message>
    <message>
        <source>フォルダーです。</source>
        <translation>It is a folder.</translation>
    </message>
    <message>
        <source>シンボリックリンクが循環しています。</source>
        <translation>The symbolic links form a loop.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます。</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>入出力エラーが起きました。</source>
        <translation>An input/output error occurred.</translation>
    </message>
    <message>
        <source>通常のファイルではありません（デバイス、FIFO、ソケットまたはフォルダー）。</source>
        <translation>It is not a regular file (a device, FIFO, socket or folder).</translation>
    </message>
    <message>
        <source>読み取り専用のファイルです。</source>
        <translation>The file is read-only.</translation>
    </message>
    <message>
        <source>Shift-JIS（コードページ932）で表せない文字が含まれています。</source>
        <translation>It holds characters that Shift-JIS (code page 932) cannot represent.</translation>
    </message>
    <message>
        <source>保存している間に、ほかのプログラムがファイルを変更しました。</source>
        <translation>Another program changed the file while it was being saved.</translation>
    </message>
    <message>
        <source>設定ファイル「%1」のセクション[%2]、キー「%3」の値「%4」を読み取れませんでした。</source>
        <translation>Could not read the value “%4” of key “%3” in section [%2] of the settings file “%1”.</translation>
    </message>
    <message>
        <source>ファイル「%1」を読み込めませんでした。
%2</source>
        <translation>Could not read the file “%1”.
%2</translation>
    </message>
    <message>
        <source>ファイル「%1」に書き込めませんでした。
%2</source>
        <translation>Could not write the file “%1”.
%2</translation>
    </message>
    <message>
        <source>最初の行が「[スタイル名]」ではありません。</source>
        <translation>The first line is not “[style name]”.</translation>
    </message>
    <message>
        <source>スタイル名が空です。</source>
        <translation>The style name is empty.</translation>
    </message>
    <message>
        <source>スタイルの項目（StartColor など）が一つもありません。</source>
        <translation>It holds none of the style entries (StartColor and the like).</translation>
    </message>
    <message>
        <source>「%1」はスタイルファイルではないため、読み込みませんでした。
%2</source>
        <translation>“%1” is not a style file, so it was not imported.
%2</translation>
    </message>
    <message>
        <source>Shift-JIS（コードページ932）に変換すると元に戻らない文字が含まれています。</source>
        <translation>It holds a character that would not come back unchanged from Shift-JIS (code page 932).</translation>
    </message>
    <message>
        <source>バイト順マークまたはゼロのバイトは UTF-16 を示していますが、UTF-16 として正しくありません。</source>
        <translation>Its byte-order mark or its zero bytes say UTF-16, but it is not valid UTF-16.</translation>
    </message>
    <message>
        <source>UTF-32 で保存されています。Tintrel はこの文字コードで書き込まないため、ファイルを変更せずに既定の設定で動作します。</source>
        <translation>It is saved in UTF-32, which Tintrel does not write, so Tintrel runs on its default settings and leaves the file unchanged.</translation>
    </message>
    <message>
        <source>Shift-JIS（コードページ932）ではないバイトが含まれているため、ファイルの文字コードに変換できません。</source>
        <translation>It holds bytes that are not Shift-JIS (code page 932), so it cannot be converted to the file’s encoding.</translation>
    </message>
    <message>
        <source>「%1」のキー「DrawFont.Name」のフォント名に制御文字が含まれているため、読み込みませんでした。</source>
        <translation>“%1” was not imported: the face name of its key DrawFont.Name holds a control character.</translation>
    </message>
    <message>
        <source>先頭にゼロのバイトがあり、保存すると UTF-16 として読まれてしまうため、保存しませんでした。</source>
        <translation>It was not saved: a zero byte at its beginning would make it read back as UTF-16.</translation>
    </message>
    <message>
        <source>UTF-8 のバイト順マークの後ろの Shift-JIS のテキストが、保存すると UTF-8 として読まれてしまうため、保存しませんでした。</source>
        <translation>It was not saved: its Shift-JIS text behind a UTF-8 byte-order mark would read back as UTF-8, as other characters.</translation>
    </message>
</context>
<context>
    <name>TintrelPage</name>
    <message>
        <source>グラデーション</source>
        <translation>Gradient</translation>
    </message>
    <message>
        <source>２色</source>
        <translation>Two</translation>
    </message>
    <message>
        <source>出力の種類</source>
        <translation>Output kind</translation>
    </message>
    <message>
        <source>出力</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>スタイルファイルを読み込みました</source>
        <translation>Style file read</translation>
    </message>
    <message>
        <source>クリップボードを使えません</source>
        <translation>The clipboard is not available</translation>
    </message>
    <message>
        <source>色相の始まり（度）</source>
        <translation>First hue (degrees)</translation>
    </message>
    <message>
        <source>リンクの一部が読めないので、読める所まで読みました</source>
        <translation>Part of the link cannot be read: it was read as far as it goes</translation>
    </message>
    <message>
        <source>アニメーション</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>動き</source>
        <translation>Movement</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>コマ数</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>間隔（ミリ秒）</source>
        <translation>Interval (ms)</translation>
    </message>
    <message>
        <source>書き出し方</source>
        <translation>Frames written as</translation>
    </message>
    <message>
        <source>１行に１コマ</source>
        <translation>One frame a line</translation>
    </message>
    <message>
        <source>動くプレビュー</source>
        <translation>Moving preview</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>リンクの一部が読めません：%1</source>
        <translation>Part of the link cannot be read: %1</translation>
    </message>
    <message>
        <source>%1は読める所まで読みました</source>
        <translation>%1 read as far as it goes</translation>
    </message>
    <message>
        <source>%1は既定のままにしました</source>
        <translation>%1 left at its default</translation>
    </message>
    <message>
        <source>名前の読めない「%1」は外しました</source>
        <translation>the unreadable name “%1” left out</translation>
    </message>
    <message>
        <source>%1は２度あるので後の方にしました</source>
        <translation>%1 given twice, the last one kept</translation>
    </message>
    <message>
        <source>、</source>
        <translation>; </translation>
    </message>
    <message>
        <source>リンクの「%1」は使えないので外しました</source>
        <translation>“%1” in the link is unknown and was left out.</translation>
    </message>
    <message>
        <source>%1：この値では書けないので、出力は前のままです</source>
        <translation>%1: this value cannot be written, so the output stays as it was.</translation>
    </message>
    <message>
        <source>長さの上限に収まらないので、出力は前のままです</source>
        <translation>The output cannot fit the length limit, so it stays as it was.</translation>
    </message>
    <message>
        <source>この選び方では書けないので、出力は前のままです</source>
        <translation>These choices cannot be written, so the output stays as it was.</translation>
    </message>
    <message>
        <source>%2文字のうち%1文字</source>
        <translation>%1 of %2 characters</translation>
    </message>
    <message>
        <source>%2バイトのうち%1バイト</source>
        <translation>%1 of %2 bytes</translation>
    </message>
    <message>
        <source>：長すぎます（短くしても%1文字）</source>
        <translation>: too long (%1 at the shortest)</translation>
    </message>
    <message>
        <source>：貼り付け先には長すぎます</source>
        <translation>: too long for the target</translation>
    </message>
    <message>
        <source>文字に色のグラデーションを付けて、貼り付け先の書き方で書きます</source>
        <translation>Colours text with a gradient, written the way the place you paste it into reads it.</translation>
    </message>
    <message>
        <source>色 %1</source>
        <translation>Colour %1</translation>
    </message>
    <message>
        <source>色 %1 を外す</source>
        <translation>Remove colour %1</translation>
    </message>
    <message>
        <source>色を足す</source>
        <translation>Add a colour</translation>
    </message>
    <message>
        <source>選ぶ</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>始めの色</source>
        <translation>Start colour</translation>
    </message>
    <message>
        <source>終わりの色</source>
        <translation>End colour</translation>
    </message>
</context>
</TS>
