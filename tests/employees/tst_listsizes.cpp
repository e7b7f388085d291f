#include "employees/ListSizes.h"

#include <QtTest>

// The sizes the register's windows give their lists, in twips.
class ListSizesTest : public QObject {
    Q_OBJECT

private slots:
    void columnWidths_data()
    {
        QTest::addColumn<double>("listWidth");
        QTest::addColumn<QList<int>>("shares");
        QTest::addColumn<QList<int>>("widths");
        const QList<int> holidays = {40, 60};
        const QList<int> employees = {23, 23, 23, 18, 12};
        QTest::newRow("holidays") << 6240.0 << holidays << QList<int>{2400, 3600};
        QTest::newRow("remainder dropped") << 6339.0 << holidays << QList<int>{2400, 3600};
        QTest::newRow("rounded first") << 6339.5 << holidays << QList<int>{2440, 3660};
        QTest::newRow("employees") << 10240.0 << employees << QList<int>{2300, 2300, 2300, 1800, 1200};
        QTest::newRow("smallest list") << 480.0 << employees << QList<int>{46, 46, 46, 36, 24};
        QTest::newRow("no room") << 100.0 << holidays << QList<int>{0, 0};
    }

    void columnWidths()
    {
        QFETCH(double, listWidth);
        QFETCH(QList<int>, shares);
        QFETCH(QList<int>, widths);
        QCOMPARE(ListSizes::columnWidths(listWidth, shares), widths);
    }

    void fittedList_data()
    {
        QTest::addColumn<double>("innerWidth");
        QTest::addColumn<double>("innerHeight");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("fills the window") << 10650.0 << 6000.0 << 10240 << 4920;
        QTest::newRow("rounded") << 10650.4 << 6000.6 << 10240 << 4921;
        QTest::newRow("narrowed to almost nothing") << 300.0 << 200.0 << 480 << 480;
    }

    void fittedList()
    {
        QFETCH(double, innerWidth);
        QFETCH(double, innerHeight);
        QFETCH(int, width);
        QFETCH(int, height);
        const ListSizes::Size list = ListSizes::fittedList(innerWidth, innerHeight, 240, 960);
        QCOMPARE(list.width, width);
        QCOMPARE(list.height, height);
    }
};

QTEST_GUILESS_MAIN(ListSizesTest)
#include "tst_listsizes.moc"
