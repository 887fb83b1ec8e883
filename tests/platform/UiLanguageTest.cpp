// The window's language follows the order of the desktop's languages.
#include "platform/UiLanguage.h"

#include <QtTest>

class UiLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void japaneseOnlyWhenNamedBeforeEnglish_data();
    void japaneseOnlyWhenNamedBeforeEnglish();
};

void UiLanguageTest::japaneseOnlyWhenNamedBeforeEnglish_data() {
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<bool>("japanese");
    QTest::newRow("Japanese desktop") << QStringList{"ja-JP", "ja"} << true;
    QTest::newRow("English desktop") << QStringList{"en-US", "en"} << false;
    QTest::newRow("C locale") << QStringList{"C"} << false;
    QTest::newRow("nothing named") << QStringList{} << false;
    QTest::newRow("Japanese before English") << QStringList{"fr-FR", "ja", "en"} << true;
    QTest::newRow("English before Japanese") << QStringList{"de", "en-GB", "ja-JP"} << false;
    QTest::newRow("Japanese after a language without translation") << QStringList{"fr", "ja"} << true;
    QTest::newRow("neither, e.g. German") << QStringList{"de-DE", "de"} << false;
    QTest::newRow("underscore form") << QStringList{"ja_JP"} << true;
    QTest::newRow("upper case") << QStringList{"JA"} << true;
    QTest::newRow("a language that only begins with ja") << QStringList{"jam", "ja"} << true;
    QTest::newRow("jv is not Japanese") << QStringList{"jv-ID"} << false;
}

void UiLanguageTest::japaneseOnlyWhenNamedBeforeEnglish() {
    QFETCH(QStringList, uiLanguages);
    QFETCH(bool, japanese);
    QCOMPARE(UiLanguageFor(uiLanguages) == TUiLanguage::Japanese, japanese);
}

QTEST_GUILESS_MAIN(UiLanguageTest)
#include "UiLanguageTest.moc"
