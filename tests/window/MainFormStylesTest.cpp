// The style library of the main window: add, choose, export, import and delete, and the
// names and files it must refuse or merge.
#include "support/FormRig.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/TransBtn.h"

#include "engine/CodePage.h"
#include "engine/PreviewFontSize.h"
#include "platform/SystemColors.h"
#include "window/ColorLabel.h"
#include "window/mainform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QByteArray Sjis(const char* utf8) {
    return QByteArray::fromStdString(Utf8ToCp932(utf8).Bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct TRig : TFormRig {
    TForm1& Open() {
        Create();
        form->show();
        return *form;
    }
    void Add(const QString& name) {
        dialogs.InputAnswers.push_back(name);
        form->PmAddClick();
    }
    QStringList Listed() const {
        QStringList names;
        for (int i = 0; i < form->CbStyle->count(); ++i) {
            names << form->CbStyle->itemText(i);
        }
        return names;
    }
};

const QByteArray kFreshStyleKeys =
    "DrawFont.Name=" + Sjis("ＭＳ Ｐゴシック") +
    "\r\nDrawFont.Size=9\r\nDrawFont.Style=0\r\nDrawFont.Color=0x80000008\r\n"
    "SizeIndex=0\r\nHead=0\r\nStartColor=0x000000FF\r\nFinishColor=0x0000FFFF\r\n"
    "MiddleColor=0x00FFFFFF\r\nBGColor=0x8000000F\r\nMirror=0\r\nTrico=0\r\n";

} // namespace

class MainFormStylesTest : public QObject {
    Q_OBJECT

private slots:
    void aStyleIsAddedChosenExportedImportedAndDeleted();
    void addingAnExistingNameInOtherCaseOverwritesIt();
    void theListIsSortedAndWrittenAtClose();
    void menuItemsFollowTheSelection();
    void namesTheSettingsFileCannotHoldAreRefused_data();
    void namesTheSettingsFileCannotHoldAreRefused();
    void importingAListedStyleMergesIntoIt();
    void importingAFileOfOneLineDoesNothing();
    void exportAsksAboutTheFileItWrites();
    void aStyleWithABadColourLoadsTheRest();
    void exportGoesBackToTheFileDialogOnNoAndSaysItWrote();
    void renameKeepsTheStyleUnderTheNewName_data();
    void renameKeepsTheStyleUnderTheNewName();
};

void MainFormStylesTest::aStyleIsAddedChosenExportedImportedAndDeleted() {
    TRig rig;
    TForm1& form = rig.Open();
    form.ClBtn1->SetColor(0x00008000);
    form.TbTriCoClick();
    rig.Add(QStringLiteral("緑の見出し"));
    QCOMPARE(rig.dialogs.Inputs.value(0), QStringLiteral("スタイルの追加|スタイル名|"));
    QCOMPARE(rig.Listed(), QStringList{QStringLiteral("緑の見出し")});
    QCOMPARE(form.CbStyle->currentIndex(), 0);

    // Another state, then choosing the style brings it back.
    form.ClBtn1->SetColor(0x000000FF);
    form.TbTriCoClick();
    form.CbStyleChange();
    QCOMPARE(form.ClBtn1->Color(), TColor(0x00008000));
    QVERIFY(form.TbTriCo->Down());
    QVERIFY(form.ClBtnM->isEnabled());

    // Export: the proposed name, the second filter, and the file's bytes.
    const QString exported = rig.Path("green.tsy");
    rig.dialogs.FileAnswers.push_back(rig.Path("green"));
    form.PmExpClick();
    QCOMPARE(rig.dialogs.FileRequests.last().FileName, QStringLiteral("緑の見出し.tsy"));
    QCOMPARE(rig.dialogs.FileRequests.last().FilterIndex, 2);
    QCOMPARE(ReadFile(exported), "[" + Sjis("緑の見出し") + "]\r\n" +
                                     QByteArray(kFreshStyleKeys)
                                         .replace("StartColor=0x000000FF", "StartColor=0x00008000")
                                         .replace("Trico=0", "Trico=1"));

    // Delete asks first; Cancel keeps it.
    form.PmDelClick();
    QCOMPARE(rig.dialogs.Confirms.last(), QStringLiteral("削除の確認|【緑の見出し】 削除しますか？"));
    QCOMPARE(rig.Listed().size(), 1);
    rig.dialogs.ConfirmAnswers.push_back(true);
    form.PmDelClick();
    QVERIFY(rig.Listed().isEmpty());
    QCOMPARE(form.CbStyle->currentIndex(), -1);
    QVERIFY(!ReadFile(rig.Ini()).contains(Sjis("[緑の見出し]")));

    // Import brings it back, selected and applied.
    form.ClBtn1->SetColor(0x000000FF);
    rig.dialogs.FileAnswers.push_back(exported);
    form.PmImpClick();
    QCOMPARE(rig.Listed(), QStringList{QStringLiteral("緑の見出し")});
    QCOMPARE(form.CbStyle->currentIndex(), 0);
    QCOMPARE(form.ClBtn1->Color(), TColor(0x00008000));
    QVERIFY(rig.dialogs.Messages.isEmpty());
}

void MainFormStylesTest::addingAnExistingNameInOtherCaseOverwritesIt() {
    TRig rig;
    TForm1& form = rig.Open();
    rig.Add(QStringLiteral("Title"));
    form.ClBtn2->SetColor(0x00FF0000);
    rig.Add(QStringLiteral("TITLE"));
    QCOMPARE(rig.Listed(), QStringList{QStringLiteral("Title")});
    QVERIFY(ReadFile(rig.Ini()).contains("FinishColor=0x00FF0000"));
}

void MainFormStylesTest::theListIsSortedAndWrittenAtClose() {
    TRig rig;
    WriteFile(rig.Ini(), "[STYLES]\r\nSTYLE.Count=2\r\nSTYLE.0=b\r\nSTYLE.1=C\r\n");
    TForm1& form = rig.Open();
    QCOMPARE(form.CbStyle->currentIndex(), -1);
    rig.Add(QStringLiteral("a"));
    QCOMPARE(rig.Listed(), QStringList({"a", "b", "C"}));
    form.close();
    QVERIFY(ReadFile(rig.Ini()).contains("STYLE.Count=3\r\nSTYLE.0=a\r\nSTYLE.1=b\r\nSTYLE.2=C\r\n"));
}

void MainFormStylesTest::menuItemsFollowTheSelection() {
    TRig rig;
    TForm1& form = rig.Open();
    form.Pm1Popup();
    QVERIFY(form.PmAdd->isEnabled() && form.PmImp->isEnabled());
    QVERIFY(!form.PmDel->isEnabled() && !form.PmExp->isEnabled());
    rig.Add(QStringLiteral("x"));
    form.Pm1Popup();
    QVERIFY(form.PmDel->isEnabled() && form.PmExp->isEnabled());
}

void MainFormStylesTest::namesTheSettingsFileCannotHoldAreRefused_data() {
    QTest::addColumn<QString>("name");
    // A style file's name ends at its first "]" and is read as bytes, so those two cases
    // can only be typed.
    QTest::addColumn<bool>("alsoImported");
    QTest::newRow("STYLES") << "STYLES" << true;
    QTest::newRow("option in lower case") << "option" << true;
    QTest::newRow("@@Prev@@") << "@@prev@@" << true;
    QTest::newRow("Save") << "SAVE" << true;
    QTest::newRow("a tab") << "a\tb" << true;
    QTest::newRow("leading blank") << " x" << true;
    QTest::newRow("trailing blank") << "x " << true;
    QTest::newRow("a closing bracket") << "a]b" << false;
    QTest::newRow("outside Shift-JIS") << "x😀" << false;
}

void MainFormStylesTest::namesTheSettingsFileCannotHoldAreRefused() {
    QFETCH(QString, name);
    QFETCH(bool, alsoImported);
    for (const bool byImport : {false, true}) {
        if (byImport && !alsoImported) {
            break;
        }
        TRig rig;
        TForm1& form = rig.Open();
        const QByteArray before = ReadFile(rig.Ini());
        if (byImport) {
            const QString file = rig.Path("bad.tsy");
            WriteFile(file, "[" + QByteArray::fromStdString(Utf8ToCp932(name.toStdString()).Bytes) +
                                "]\r\nHead=1\r\n");
            rig.dialogs.FileAnswers.push_back(file);
            form.PmImpClick();
        } else {
            rig.Add(name);
        }
        QCOMPARE(rig.dialogs.Messages.size(), 1);
        QVERIFY(rig.Listed().isEmpty());
        QCOMPARE(ReadFile(rig.Ini()), before);
    }
}

void MainFormStylesTest::importingAListedStyleMergesIntoIt() {
    TRig rig;
    TForm1& form = rig.Open();
    form.ClBtn2->SetColor(0x00FF0000);
    rig.Add(QStringLiteral("Mine"));
    const QString file = rig.Path("mine.tsy");
    WriteFile(file, "[MINE]\r\nHead=1\r\n");
    form.ClBtn2->SetColor(0x00000000);
    rig.dialogs.FileAnswers.push_back(file);
    form.PmImpClick();
    QCOMPARE(rig.Listed(), QStringList{QStringLiteral("Mine")});
    QCOMPARE(form.CbStyle->currentIndex(), 0);
    QVERIFY(form.CbHead->isChecked());
    QCOMPARE(form.ClBtn2->Color(), TColor(0x00FF0000)); // the keys the file did not hold stay
}

void MainFormStylesTest::importingAFileOfOneLineDoesNothing() {
    TRig rig;
    TForm1& form = rig.Open();
    const QString file = rig.Path("short.tsy");
    WriteFile(file, "[Short]\r\n");
    rig.dialogs.FileAnswers.push_back(file);
    form.PmImpClick();
    QVERIFY(rig.Listed().isEmpty());
    QVERIFY(rig.dialogs.Messages.isEmpty());
}

void MainFormStylesTest::exportAsksAboutTheFileItWrites() {
    TRig rig;
    TForm1& form = rig.Open();
    rig.Add(QStringLiteral("my.style"));
    const QString target = rig.Path("out.tsy");
    WriteFile(target, "old");
    // The dialog saw "out.htm"; the file written is "out.tsy", and that is what is asked about.
    rig.dialogs.FileAnswers.push_back(rig.Path("out.htm"));
    rig.dialogs.ConfirmAnswers.push_back(false);
    form.PmExpClick();
    // No goes back to the file dialog, which is cancelled here.
    QCOMPARE(rig.dialogs.FileRequests.first().FileName, QStringLiteral("my.tsy"));
    QCOMPARE(rig.dialogs.Confirms.size(), 1);
    QVERIFY(rig.dialogs.Confirms.first().contains(target));
    QCOMPARE(ReadFile(target), QByteArray("old"));
    // With the question switched off the file is replaced without asking.
    form.CbOpt1->trigger();
    rig.dialogs.FileAnswers.push_back(target);
    form.PmExpClick();
    QCOMPARE(rig.dialogs.Confirms.size(), 1);
    QVERIFY(ReadFile(target).startsWith("[my.style]\r\n"));
}

void MainFormStylesTest::exportGoesBackToTheFileDialogOnNoAndSaysItWrote() {
    TRig rig;
    TForm1& form = rig.Open();
    rig.Add(QStringLiteral("blue"));
    const QString taken = rig.Path("taken.tsy");
    WriteFile(taken, "old");
    rig.dialogs.FileAnswers.push_back(taken);
    rig.dialogs.ConfirmAnswers.push_back(false);
    rig.dialogs.FileAnswers.push_back(rig.Path("free.tsy"));
    form.PmExpClick();
    QCOMPARE(rig.dialogs.FileRequests.size(), 2);
    QCOMPARE(rig.dialogs.FileRequests.last().FileName, taken); // back where the user was
    QCOMPARE(ReadFile(taken), QByteArray("old"));
    QVERIFY(ReadFile(rig.Path("free.tsy")).startsWith("[blue]\r\n"));
    QCOMPARE(form.windowTitle(), QStringLiteral("スタイルを書き出しました"));
}

void MainFormStylesTest::renameKeepsTheStyleUnderTheNewName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("listed"); // the list afterwards
    QTest::addColumn<bool>("refused");
    QTest::newRow("new name, sorted in") << "amber" << QStringList{"amber", "green"} << false;
    QTest::newRow("letter case only") << "Red" << QStringList{"green", "Red"} << false;
    QTest::newRow("a name another style has") << "GREEN" << QStringList{"green", "red"} << true;
    QTest::newRow("reserved name") << "Option" << QStringList{"green", "red"} << true;
    QTest::newRow("not in Shift-JIS") << "red😀" << QStringList{"green", "red"} << true;
    QTest::newRow("the same name, as a cancel") << "red" << QStringList{"green", "red"} << false;
}

void MainFormStylesTest::renameKeepsTheStyleUnderTheNewName() {
    QFETCH(QString, name);
    QFETCH(QStringList, listed);
    QFETCH(bool, refused);
    TRig rig;
    TForm1& form = rig.Open();
    rig.Add(QStringLiteral("green"));
    form.ClBtn1->SetColor(0x00000080);
    rig.Add(QStringLiteral("red"));
    form.Pm1Popup();
    QVERIFY(form.PmRen->isEnabled());
    rig.dialogs.InputAnswers.push_back(name);
    form.PmRenClick();
    QCOMPARE(rig.dialogs.Inputs.last(), QStringLiteral("スタイル名の変更|新しいスタイル名|red"));
    QCOMPARE(rig.Listed(), listed);
    QCOMPARE(rig.dialogs.Messages.size(), refused ? 1 : 0);
    if (!refused) {
        QCOMPARE(form.CbStyle->currentIndex(), static_cast<int>(listed.indexOf(name)));
    }
}

void MainFormStylesTest::aStyleWithABadColourLoadsTheRest() {
    TRig rig;
    WriteFile(rig.Ini(), "[Broken]\r\nStartColor=0x0000FF00\r\nFinishColor=oops\r\nHead=1\r\n"
                         "[STYLES]\r\nSTYLE.Count=1\r\nSTYLE.0=Broken\r\n");
    TForm1& form = rig.Open();
    form.CbStyle->setCurrentIndex(0);
    form.CbStyleChange();
    QCOMPARE(form.ClBtn1->Color(), TColor(0x0000FF00));
    QCOMPARE(form.ClBtn2->Color(), TColor(0x0000FFFF));
    QVERIFY(form.CbHead->isChecked());
    QCOMPARE(rig.dialogs.Messages.size(), 1);
    QVERIFY(rig.dialogs.Messages.first().contains(QStringLiteral("FinishColor")));
    QVERIFY(rig.dialogs.Messages.first().contains(QStringLiteral("oops")));
    QVERIFY(rig.dialogs.Messages.first().contains(QStringLiteral("Broken")));
}

QTEST_MAIN(MainFormStylesTest)
#include "MainFormStylesTest.moc"
