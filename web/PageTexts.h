#pragma once

// The page's own texts, which the window does not show. lupdate takes them from here into
// translations/tintrel_en.ts beside the window's texts, and web/messages.py makes the page's
// message table from that file, so every text of the page has its English in one place.
// Nothing compiles this file.
inline constexpr const char* kPageTexts[] = {
    QT_TRANSLATE_NOOP("TintrelPage", "グラデーション"),
    QT_TRANSLATE_NOOP("TintrelPage", "２色"),
    QT_TRANSLATE_NOOP("TintrelPage", "出力の種類"),
    QT_TRANSLATE_NOOP("TintrelPage", "出力"),
    QT_TRANSLATE_NOOP("TintrelPage", "スタイルファイルを読み込みました"),
    QT_TRANSLATE_NOOP("TintrelPage", "クリップボードを使えません"),
    QT_TRANSLATE_NOOP("TintrelPage", "色相の始まり（度）"),
    QT_TRANSLATE_NOOP("TintrelPage", "リンクの一部が読めないので、読める所まで読みました"),
    QT_TRANSLATE_NOOP("TintrelPage", "アニメーション"),
    QT_TRANSLATE_NOOP("TintrelPage", "動き"),
    QT_TRANSLATE_NOOP("TintrelPage", "なし"),
    QT_TRANSLATE_NOOP("TintrelPage", "コマ数"),
    QT_TRANSLATE_NOOP("TintrelPage", "間隔（ミリ秒）"),
    QT_TRANSLATE_NOOP("TintrelPage", "書き出し方"),
    QT_TRANSLATE_NOOP("TintrelPage", "１行に１コマ"),
    QT_TRANSLATE_NOOP("TintrelPage", "動くプレビュー"),
    QT_TRANSLATE_NOOP("TintrelPage", "再生"),
    QT_TRANSLATE_NOOP("TintrelPage", "リンクの一部が読めません：%1"),
    QT_TRANSLATE_NOOP("TintrelPage", "%1は読める所まで読みました"),
    QT_TRANSLATE_NOOP("TintrelPage", "%1は既定のままにしました"),
    QT_TRANSLATE_NOOP("TintrelPage", "名前の読めない「%1」は外しました"),
    QT_TRANSLATE_NOOP("TintrelPage", "%1は２度あるので後の方にしました"),
    QT_TRANSLATE_NOOP("TintrelPage", "、"),
    QT_TRANSLATE_NOOP("TintrelPage", "リンクの「%1」は使えないので外しました"),
    QT_TRANSLATE_NOOP("TintrelPage", "%1：この値では書けないので、出力は前のままです"),
    QT_TRANSLATE_NOOP("TintrelPage", "長さの上限に収まらないので、出力は前のままです"),
    QT_TRANSLATE_NOOP("TintrelPage", "この選び方では書けないので、出力は前のままです"),
    QT_TRANSLATE_NOOP("TintrelPage", "%2文字のうち%1文字"),
    QT_TRANSLATE_NOOP("TintrelPage", "%2バイトのうち%1バイト"),
    QT_TRANSLATE_NOOP("TintrelPage", "：長すぎます（短くしても%1文字）"),
    QT_TRANSLATE_NOOP("TintrelPage", "：貼り付け先には長すぎます"),
    QT_TRANSLATE_NOOP("TintrelPage", "文字に色のグラデーションを付けて、貼り付け先の書き方で書きます"),
};
