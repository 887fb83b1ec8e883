// The window's output choice on its own: the kind shown by a radio group, the budget and the
// fitting switch, and the option group's keys they are kept in.
#include "window/OutputChoice.h"

#include "store/OptionSet.h"

#include <QAction>
#include <QActionGroup>
#include <QtTest>

class OutputChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void kindsTheGroupDoesNotOfferFallBackToTheFontKind();
    void theBudgetIsTheOneSetElseTheKindsOwn();
    void optionKeysGoOutAndComeBack();
};

namespace {

// A radio group offering the font, css and IRC kinds, and the fitting switch.
struct TMenu {
    QObject owner;
    QActionGroup formats{&owner};
    QAction fit{&owner};
    TMenu() {
        for (const TOutputKind kind : {okFont, okCss, okIrc}) {
            auto* item = new QAction(&owner);
            item->setCheckable(true);
            item->setData(static_cast<int>(kind));
            formats.addAction(item);
        }
        fit.setCheckable(true);
    }
};

} // namespace

void OutputChoiceTest::kindsTheGroupDoesNotOfferFallBackToTheFontKind() {
    TMenu menu;
    TOutputChoice choice(menu.formats, menu.fit);
    QCOMPARE(choice.Kind(), okFont); // nothing checked yet
    const struct {
        TOutputKind chosen, expected;
    } rows[] = {{okIrc, okIrc}, {okBbcode, okFont}, {okCss, okCss}, {static_cast<TOutputKind>(999), okFont}};
    for (const auto& row : rows) {
        choice.SetKind(row.chosen);
        QCOMPARE(choice.Kind(), row.expected);
        QVERIFY(choice.CbFormat(row.expected)->isChecked());
    }
    QCOMPARE(choice.CbFormat(okBbcode), nullptr);
}

void OutputChoiceTest::theBudgetIsTheOneSetElseTheKindsOwn() {
    TMenu menu;
    TOutputChoice choice(menu.formats, menu.fit);
    choice.SetKind(okIrc);
    QCOMPARE(choice.Budget(), OutputKindRow(okIrc).Budget);
    QCOMPARE(choice.BudgetOf(okFont), std::size_t{0});
    QVERIFY(choice.SetBudget(100));
    QCOMPARE(choice.Budget(), std::size_t{100});
    QCOMPARE(choice.BudgetOf(okFont), std::size_t{100});
    QVERIFY(!choice.SetBudget(kBudgetLimit));
    QCOMPARE(choice.ChosenBudget(), std::size_t{100});
    QVERIFY(choice.SetBudget(kBudgetLimit - 1));
    QVERIFY(choice.SetBudget(0));
    QCOMPARE(choice.Budget(), OutputKindRow(okIrc).Budget);
}

void OutputChoiceTest::optionKeysGoOutAndComeBack() {
    TMenu menu;
    TOutputChoice choice(menu.formats, menu.fit);
    TOptionSet stored;
    stored.OutputKind = okCss;
    stored.Budget = 42;
    stored.ShortenToFit = true;
    choice.ApplyFrom(stored);
    QVERIFY(menu.fit.isChecked());
    TOptionSet captured;
    choice.CaptureInto(captured);
    QCOMPARE(captured.OutputKind, okCss);
    QCOMPARE(captured.Budget, std::size_t{42});
    QVERIFY(captured.ShortenToFit);
    // A budget out of range in the file is none.
    stored.Budget = kBudgetLimit;
    stored.ShortenToFit = false;
    choice.ApplyFrom(stored);
    QCOMPARE(choice.ChosenBudget(), std::size_t{0});
    QVERIFY(!choice.ShortenToFit());
}

QTEST_MAIN(OutputChoiceTest)
#include "OutputChoiceTest.moc"
