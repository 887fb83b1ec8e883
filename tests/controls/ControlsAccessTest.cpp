// What screen readers learn of a text field and a combo box: every word and sentence of the
// text answers at once, also at and past its end; a named box says its name, its text the value.
#include "controls/ComboBoxAccessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

// Ends the test program when a query does not come back within `limit`: a loop fails the test
// instead of holding up the suite.
class TWatchdog {
public:
    explicit TWatchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
                  std::fputs("a text query did not return\n", stderr);
                  std::abort();
              }
          }) {}
    ~TWatchdog() {
        {
            const std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

} // namespace

class ControlsAccessTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallStandardControlsAccessible(); }

    void everyBoundaryOfTheTextAnswers_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("one word") << QStringLiteral("Tintrel");
        QTest::newRow("several words") << QStringLiteral("Two words. And a sentence! ");
        QTest::newRow("kana") << QStringLiteral("にじいろ の もじ。カナ");
    }

    void everyBoundaryOfTheTextAnswers() {
        QFETCH(QString, text);
        QLineEdit edit(text);
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&edit);
        QVERIFY(access != nullptr && access->textInterface() != nullptr);
        QAccessibleTextInterface* field = access->textInterface();
        const int size = static_cast<int>(text.size());
        QCOMPARE(field->characterCount(), size);
        const TWatchdog watchdog(std::chrono::seconds(20));
        for (const QAccessible::TextBoundaryType type :
             {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
              QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary}) {
            for (int offset = -3; offset <= size + 2; ++offset) {
                edit.setCursorPosition(size); // the caret's usual place, for offset -2; -1 is the end
                int start = 0;
                int end = 0;
                const QString at = field->textAtOffset(offset, type, &start, &end);
                const QString where = QStringLiteral("type %1 offset %2").arg(type).arg(offset);
                if (start >= 0) {
                    QVERIFY2(start <= end && end <= size, qPrintable(where));
                    QCOMPARE(at, text.mid(start, end - start));
                    const int resolved = offset < 0 ? size : offset;
                    QVERIFY2(start <= resolved && (resolved < end || end == size), qPrintable(where));
                }
                if ((type == QAccessible::WordBoundary || type == QAccessible::SentenceBoundary) &&
                    (offset == size || offset == -1 || offset == -2) && size > 0) {
                    QVERIFY2(end == size && !at.isEmpty(), qPrintable(where)); // the last item
                }
                const QString before = field->textBeforeOffset(offset, type, &start, &end);
                QVERIFY2(start < 0 || before == text.mid(start, end - start), qPrintable(where));
                const QString after = field->textAfterOffset(offset, type, &start, &end);
                QVERIFY2(start < 0 || after == text.mid(start, end - start), qPrintable(where));
            }
        }
    }

    void aNamedBoxSaysItsNameAndItsTextAsValue() {
        QComboBox box;
        box.addItems({QStringLiteral("0"), QStringLiteral("+1")});
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&box);
        QCOMPARE(access->role(), QAccessible::ComboBox);
        QCOMPARE(access->text(QAccessible::Name), QStringLiteral("0")); // unnamed: as Qt says it
        box.setAccessibleName(QStringLiteral("Size"));
        box.setCurrentIndex(1);
        QCOMPARE(access->text(QAccessible::Name), QStringLiteral("Size"));
        QCOMPARE(access->text(QAccessible::Value), QStringLiteral("+1"));
        QCOMPARE(access->textInterface()->text(0, access->textInterface()->characterCount()),
                 QStringLiteral("+1")); // where Orca reads the value
        QCOMPARE(access->childCount(), 1);
        QAccessibleInterface* list = access->child(0);
        QCOMPARE(list->object(), box.view());
        QCOMPARE(access->indexOfChild(list), 0);
        QCOMPARE(list->parent(), access);

        box.setEditable(true);
        QCOMPARE(access->childCount(), 2);
        QCOMPARE(access->child(1)->object(), box.lineEdit());
        QCOMPARE(access->indexOfChild(access->child(1)), 1);
    }
};

QTEST_MAIN(ControlsAccessTest)
#include "ControlsAccessTest.moc"
