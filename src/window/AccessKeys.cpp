#include "window/AccessKeys.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>

#include <set>

namespace {

const QRegularExpression& JapaneseKey() {
    static const QRegularExpression key(QStringLiteral("\\(&(\\w)\\)"));
    return key;
}

// Japanese words: a kana or kanji (or a full-width form) anywhere in the text.
bool IsJapanese(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x3000 && c.unicode() <= 0xFFEF) {
            return true;
        }
    }
    return false;
}

bool IsKeyLetter(QChar c) {
    return c.unicode() < 0x80 && c.isLetterOrNumber();
}

// The object's name without the window's prefixes ("CbFormat", "Pm", ...), whose words name it.
QString NameWords(const QString& name) {
    // The numbers of the historical switch names ("CbOpt7") say nothing of the item.
    static const QRegularExpression prefix(QStringLiteral("^(CbFormat|CbSpace|CbOpt|Cb|Pm)|[0-9]"));
    return QString(name).remove(prefix);
}

// Where the key letter goes in an English text: the offset of the first letter not yet used
// (past any "&&"); -1 when every letter is taken.
qsizetype FreeLetterAt(const QString& text, const std::set<QChar>& used) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            ++i;
            continue;
        }
        if (IsKeyLetter(text[i]) && used.count(text[i].toUpper()) == 0) {
            return i;
        }
    }
    return -1;
}

// The first letter of `sources` not yet used, in order; then the alphabet and the digits.
QChar FreeLetter(const QStringList& sources, const std::set<QChar>& used) {
    QString all = sources.join(QString());
    all += QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    for (const QChar c : all) {
        if (IsKeyLetter(c) && used.count(c.toUpper()) == 0) {
            return c.toUpper();
        }
    }
    return {};
}

// "(&K)" at the end of `text`, before the dots that say a dialog follows.
QString WithKeyAtEnd(const QString& text, QChar key) {
    static const QRegularExpression dots(QStringLiteral("(…|\\.\\.\\.)$"));
    const QRegularExpressionMatch match = dots.match(text);
    const qsizetype at = match.hasMatch() ? match.capturedStart() : text.size();
    return QString(text).insert(at, QStringLiteral("(&%1)").arg(key));
}

} // namespace

QChar AccessKeyOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'&') {
            if (text[i + 1] != u'&') {
                return text[i + 1].toUpper();
            }
            ++i;
        }
    }
    return {};
}

QString WithoutAccessKey(const QString& text) {
    QString stripped = QString(text).remove(JapaneseKey());
    QString out;
    for (qsizetype i = 0; i < stripped.size(); ++i) {
        if (stripped[i] == u'&' && i + 1 < stripped.size()) {
            ++i;
        }
        out += stripped[i];
    }
    return out;
}

QString AddedBeforeAccessKey(const QString& text, const QString& addition) {
    const QRegularExpressionMatch match = JapaneseKey().match(text);
    if (match.hasMatch() && match.capturedEnd() == text.size()) {
        return QString(text).insert(match.capturedStart(), addition);
    }
    return text + addition;
}

void GiveAccessKeys(QMenu& menu) {
    std::set<QChar> used;
    for (const QAction* item : menu.actions()) {
        if (const QChar key = AccessKeyOf(item->text()); !key.isNull()) {
            used.insert(key);
        }
    }
    for (QAction* item : menu.actions()) {
        const QString text = item->text();
        if (item->isSeparator() || text.isEmpty() || !AccessKeyOf(text).isNull() ||
            item->property(kNoAccessKey).toBool()) {
            continue;
        }
        const qsizetype at = IsJapanese(text) ? -1 : FreeLetterAt(text, used);
        if (at >= 0) {
            used.insert(text[at].toUpper());
            item->setText(QString(text).insert(at, u'&'));
            continue;
        }
        const QChar key = FreeLetter({WithoutAccessKey(text), NameWords(item->objectName())}, used);
        if (!key.isNull()) {
            used.insert(key);
            // An English item whose letters are all taken gets the key in the same way.
            item->setText(WithKeyAtEnd(text, key));
        }
    }
    for (const QAction* item : menu.actions()) {
        if (item->menu() != nullptr) {
            GiveAccessKeys(*item->menu());
        }
    }
}
