// The style library: the sorted list CbStyle and its menu Pm1 (choose, add or overwrite,
// delete, export to and import from ".tsy" style files).
#include "settings/mainform.h"

#include "engine/jstrm.h"
#include "platform/CodePage.h"
#include "platform/DialogService.h"
#include "settings/IniErrors.h"
#include "settings/IniGT.h"
#include "settings/SafeFile.h"

#include <QAction>
#include <QCollator>
#include <QComboBox>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>

#include <exception>

namespace {

QString FromBytes(std::string_view cp932) {
    return QString::fromStdString(Cp932ToUtf8(cp932));
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        }
    }
    return text;
}

const QString kCaption = QStringLiteral("Tintrel");

// The settings file's own sections: a style of one of these names would overwrite them.
const char* const kReservedSections[] = {"OPTION", "@@PREV@@", "STYLES", "SAVE"};

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\v') ||
           c == QLatin1Char('\f') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

std::string TForm1::StyleItemName(int index) const {
    const QByteArray bytes = CbStyle->itemData(index).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

int TForm1::FindStyleItem(const std::string& name) const {
    // The last of several equal entries counts, compared in ASCII upper case.
    const std::string wanted = UpperAscii(name);
    int found = -1;
    for (int i = 0; i < CbStyle->count(); ++i) {
        if (UpperAscii(StyleItemName(i)) == wanted) {
            found = i;
        }
    }
    return found;
}

int TForm1::AddStyleItem(const std::string& name) {
    const QString shown = FromBytes(name);
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    int index = CbStyle->count();
    for (int i = 0; i < CbStyle->count(); ++i) {
        if (collator.compare(shown, CbStyle->itemText(i)) < 0) {
            index = i;
            break;
        }
    }
    CbStyle->insertItem(index, shown, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    return index;
}

QString TForm1::StyleNameProblem(const std::string& name) const {
    const std::string upper = UpperAscii(name);
    for (const char* reserved : kReservedSections) {
        if (upper == reserved) {
            return QStringLiteral("「%1」は設定ファイルが使う名前なので、スタイル名にできません。")
                .arg(FromBytes(name));
        }
    }
    const QString shown = FromBytes(name);
    for (const QChar c : shown) {
        if (c == QLatin1Char(']') || c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return QStringLiteral("スタイル名に「]」や制御文字は使えません。");
        }
    }
    if (!shown.isEmpty() && (IsBlank(shown.front()) || IsBlank(shown.back()))) {
        return QStringLiteral("スタイル名の最初と最後に空白は使えません。");
    }
    return {};
}

void TForm1::ReadStyleList() {
    std::vector<std::string> names;
    IniGT->ReadStrings("STYLES", "STYLE", names);
    CbStyle->clear();
    for (const std::string& name : names) {
        AddStyleItem(name);
    }
    CbStyle->setCurrentIndex(-1);
    styleListRead_ = true;
}

void TForm1::WriteStyleList() {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(CbStyle->count()));
    for (int i = 0; i < CbStyle->count(); ++i) {
        names.push_back(StyleItemName(i));
    }
    IniGT->WriteStrings("STYLES", "STYLE", names);
}

void TForm1::CbStyleChange() {
    const int index = CbStyle->currentIndex();
    if (index < 0) {
        return;
    }
    try {
        LoadOptions(StyleItemName(index));
    } catch (const std::exception& error) {
        services_.Dialogs->ShowMessage(this, kCaption, QString::fromStdString(error.what()),
                                       TMessageKind::Error);
    }
    CbSizeClick();
}

void TForm1::Pm1Popup() {
    const bool selected = CbStyle->currentIndex() >= 0;
    PmDel->setEnabled(selected);
    PmExp->setEnabled(selected);
}

void TForm1::PmAddClick() {
    const int selected = CbStyle->currentIndex();
    const QString initial = selected >= 0 ? CbStyle->itemText(selected) : QString();
    const std::optional<QString> answer = services_.Dialogs->InputQuery(
        this, QStringLiteral("スタイルの追加"), QStringLiteral("スタイル名"), initial);
    if (!answer) {
        return;
    }
    const TCp932Conversion converted = Utf8ToCp932(answer->toStdString());
    if (!converted.Complete()) {
        services_.Dialogs->ShowMessage(
            this, kCaption, QStringLiteral("スタイル名にShift-JISで表せない文字が含まれています。"),
            TMessageKind::Warning);
        return;
    }
    const std::string& name = converted.Bytes;
    if (const QString problem = StyleNameProblem(name); !problem.isEmpty()) {
        services_.Dialogs->ShowMessage(this, kCaption, problem, TMessageKind::Warning);
        return;
    }
    try {
        SaveOptions(name);
    } catch (const std::exception& error) {
        services_.Dialogs->ShowMessage(this, kCaption, QString::fromStdString(error.what()),
                                       TMessageKind::Error);
        return;
    }
    int index = FindStyleItem(name);
    if (index < 0) {
        index = AddStyleItem(name);
    }
    CbStyle->setCurrentIndex(index);
}

void TForm1::PmDelClick() {
    const int index = CbStyle->currentIndex();
    if (index < 0) {
        return;
    }
    const QString shown = CbStyle->itemText(index);
    if (!services_.Dialogs->ConfirmOkCancel(this, QStringLiteral("削除の確認"),
                                            QStringLiteral("【%1】 削除しますか？").arg(shown))) {
        return;
    }
    try {
        IniGT->EraseSection(StyleItemName(index));
    } catch (const std::exception& error) {
        services_.Dialogs->ShowMessage(this, kCaption, QString::fromStdString(error.what()),
                                       TMessageKind::Error);
        return;
    }
    CbStyle->removeItem(index);
    CbStyle->setCurrentIndex(-1);
}

QString TForm1::StyleFileNameFor(const QString& name) {
    // Whatever follows the last dot is replaced; a name without a dot gets ".tsy".
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > slash) {
        return name.left(dot) + QStringLiteral(".tsy");
    }
    return name + QStringLiteral(".tsy");
}

void TForm1::PmExpClick() {
    const int index = CbStyle->currentIndex();
    if (index < 0) {
        return;
    }
    const std::string name = StyleItemName(index);
    TFileDialogRequest request;
    request.Filter = QStringLiteral("HTML File|*.html;*.htm|Tintrel Style File|*.tsy");
    request.FilterIndex = 2;
    request.DefaultExt = QStringLiteral("htm");
    request.FileName = StyleFileNameFor(CbStyle->itemText(index));
    const std::optional<QString> chosen = services_.Dialogs->SaveFileName(this, request);
    if (!chosen) {
        return;
    }
    const QString target = StyleFileNameFor(*chosen);
    // The question concerns the file that is really written, with its ".tsy".
    if (CbOpt1->isChecked() && QFileInfo::exists(target) &&
        !services_.Dialogs->ConfirmYesNo(
            this, QStringLiteral("上書きの確認"),
            QStringLiteral("%1 は既に存在します。\n上書きしますか？").arg(target))) {
        return;
    }
    try {
        std::vector<std::string> lines;
        IniGT->ReadSectionValues(name, lines);
        std::string bytes = "[" + name + "]\r\n";
        for (const std::string& line : lines) {
            bytes += line;
            bytes += "\r\n";
        }
        SaveFileSafely(target.toStdString(), bytes, *DefaultFileOps());
    } catch (const std::exception& error) {
        services_.Dialogs->ShowMessage(this, kCaption, QString::fromStdString(error.what()),
                                       TMessageKind::Error);
    }
}

void TForm1::PmImpClick() {
    TFileDialogRequest request;
    request.Filter = QStringLiteral("Tintrel Style File|*.tsy");
    request.FilterIndex = 1;
    const std::optional<QString> chosen = services_.Dialogs->OpenFileName(this, request);
    if (!chosen) {
        return;
    }
    std::vector<std::string> lines;
    try {
        TFileStamp stamp;
        const std::string bytes = ReadFileBytes(chosen->toStdString(), stamp);
        lines = SplitStyleFileLines(bytes);
    } catch (const std::exception& error) {
        services_.Dialogs->ShowMessage(this, kCaption, QString::fromStdString(error.what()),
                                       TMessageKind::Error);
        return;
    }
    if (lines.size() < 2) {
        return;
    }
    std::string header = lines.front();
    CutToken(header, "[");
    const std::string name = CutToken(header, "]");
    if (const QString problem = StyleNameProblem(name); !problem.isEmpty()) {
        services_.Dialogs->ShowMessage(this, kCaption, problem, TMessageKind::Warning);
        return;
    }
    try {
        TIniTransaction writing = IniGT->BeginUpdate();
        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::string value = lines[i];
            const std::string key = CutToken(value, "=");
            if (key.find_first_not_of(" \t") == std::string::npos) {
                continue; // blank lines and lines with nothing before "=" carry no key
            }
            IniGT->WriteFencedString(name, key, value);
        }
        writing.Commit();
    } catch (const std::exception& error) {
        services_.Dialogs->ShowMessage(this, kCaption, QString::fromStdString(error.what()),
                                       TMessageKind::Error);
        return;
    }
    // A style already listed takes the file's keys and is selected; no second entry is made.
    int index = FindStyleItem(name);
    if (index < 0) {
        index = AddStyleItem(name);
    }
    CbStyle->setCurrentIndex(index);
    CbStyleChange();
}

std::vector<std::string> TForm1::SplitStyleFileLines(const std::string& bytes) {
    // Lines end at CR LF, LF or CR; a last line without its end counts all the same.
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}
