#include "window/StoreErrorText.h"

#include "engine/CodePage.h"
#include "store/IniErrors.h"
#include "store/StyleLibrary.h"
#include "window/Cp932Text.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>

namespace {

QString SystemCause(const EIniFileError& error) {
    switch (error.ErrorCode()) {
    case ENOENT:
        return QCoreApplication::translate("TStoreErrorText", "ファイルまたはフォルダーがありません。");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("TStoreErrorText", "アクセスが許可されていません。");
    case EROFS:
        return QCoreApplication::translate("TStoreErrorText", "読み取り専用のファイルシステムです。");
    case ENOSPC:
    case EDQUOT:
        return QCoreApplication::translate("TStoreErrorText", "ディスクの空きが足りません。");
    case EISDIR:
        return QCoreApplication::translate("TStoreErrorText", "フォルダーです。");
    case ELOOP:
        return QCoreApplication::translate("TStoreErrorText", "シンボリックリンクが循環しています。");
    case EFBIG:
        return QCoreApplication::translate("TStoreErrorText", "ファイルが大きすぎます。");
    case ENAMETOOLONG:
        return QCoreApplication::translate("TStoreErrorText", "ファイル名が長すぎます。");
    case EIO:
        return QCoreApplication::translate("TStoreErrorText", "入出力エラーが起きました。");
    default:
        return QString::fromStdString(error.Reason());
    }
}

QString EncodingCause(TEncodingProblem problem) {
    switch (problem) {
    case TEncodingProblem::NotKeptUnchanged:
        return QCoreApplication::translate(
            "TStoreErrorText", "Shift-JIS（コードページ932）に変換すると元に戻らない文字が含まれています。");
    case TEncodingProblem::Invalid:
        return QCoreApplication::translate(
            "TStoreErrorText",
            "バイト順マークまたはゼロのバイトは UTF-16 を示していますが、UTF-16 として正しくありません。");
    case TEncodingProblem::NotWritten:
        return QCoreApplication::translate(
            "TStoreErrorText", "UTF-32 で保存されています。Tintrel はこの文字コードで書き込まないため、"
                               "ファイルを変更せずに既定の設定で動作します。");
    case TEncodingProblem::NotCp932:
        return QCoreApplication::translate(
            "TStoreErrorText",
            "Shift-"
            "JIS（コードページ932）ではないバイトが含まれているため、ファイルの文字コードに変換できません。");
    case TEncodingProblem::ZeroBytes:
        return QCoreApplication::translate(
            "TStoreErrorText",
            "先頭にゼロのバイトがあり、保存すると UTF-16 として読まれてしまうため、保存しませんでした。");
    case TEncodingProblem::ReadsAsUtf8:
        return QCoreApplication::translate(
            "TStoreErrorText", "UTF-8 のバイト順マークの後ろの Shift-JIS のテキストが、保存すると UTF-8 "
                               "として読まれてしまうため、保存しませんでした。");
    case TEncodingProblem::Unholdable:
    case TEncodingProblem::None:
        break;
    }
    return QCoreApplication::translate("TStoreErrorText",
                                       "Shift-JIS（コードページ932）で表せない文字が含まれています。");
}

QString FileCause(const EIniFileError& error) {
    switch (error.Problem()) {
    case TFileProblem::NotRegularFile:
        return QCoreApplication::translate(
            "TStoreErrorText", "通常のファイルではありません（デバイス、FIFO、ソケットまたはフォルダー）。");
    case TFileProblem::ReadOnly:
        return QCoreApplication::translate("TStoreErrorText", "読み取り専用のファイルです。");
    case TFileProblem::Encoding:
        return EncodingCause(error.EncodingProblem());
    case TFileProblem::ChangedMeanwhile:
        return QCoreApplication::translate("TStoreErrorText",
                                           "保存している間に、ほかのプログラムがファイルを変更しました。");
    case TFileProblem::System:
        break;
    }
    return SystemCause(error);
}

} // namespace

QString StoreErrorText(const std::exception& error, const QString& settingsFile) {
    if (const auto* convert = dynamic_cast<const EIniConvertError*>(&error)) {
        return QCoreApplication::translate(
                   "TStoreErrorText",
                   "設定ファイル「%1」のセクション[%2]、キー「%3」の値「%4」を読み取れませんでした。")
            .arg(settingsFile, FromCp932(convert->Section()), FromCp932(convert->Key()),
                 FromCp932(convert->Value()));
    }
    if (const auto* file = dynamic_cast<const EIniFileError*>(&error)) {
        const QString name = QFile::decodeName(QByteArray::fromStdString(file->Path()));
        const QString text =
            file->Action() == "read"
                ? QCoreApplication::translate("TStoreErrorText", "ファイル「%1」を読み込めませんでした。\n%2")
                : QCoreApplication::translate("TStoreErrorText",
                                              "ファイル「%1」に書き込めませんでした。\n%2");
        return text.arg(name, FileCause(*file));
    }
    if (const auto* styleFile = dynamic_cast<const EStyleFileError*>(&error)) {
        const QString name = QFile::decodeName(QByteArray::fromStdString(styleFile->Path()));
        if (styleFile->Reason() == EStyleFileError::TReason::ControlInName) {
            return QCoreApplication::translate(
                       "TStoreErrorText",
                       "「%1」のキー「DrawFont."
                       "Name」のフォント名に制御文字が含まれているため、読み込みませんでした。")
                .arg(name);
        }
        QString cause;
        switch (styleFile->Reason()) {
        case EStyleFileError::TReason::NoSectionHeader:
            cause =
                QCoreApplication::translate("TStoreErrorText", "最初の行が「[スタイル名]」ではありません。");
            break;
        case EStyleFileError::TReason::BlankName:
            cause = QCoreApplication::translate("TStoreErrorText", "スタイル名が空です。");
            break;
        case EStyleFileError::TReason::NoStyleKeys:
            cause = QCoreApplication::translate("TStoreErrorText",
                                                "スタイルの項目（StartColor など）が一つもありません。");
            break;
        case EStyleFileError::TReason::ControlInName:
            break;
        }
        return QCoreApplication::translate("TStoreErrorText",
                                           "「%1」はスタイルファイルではないため、読み込みませんでした。\n%2")
            .arg(name, cause);
    }
    return QString::fromStdString(error.what());
}
