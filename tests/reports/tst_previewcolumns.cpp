#include "reports/framework/PreviewColumnWidths.h"

#include <QtTest>

class PreviewColumnsTest : public QObject {
    Q_OBJECT

private slots:
    void widths_data()
    {
        QTest::addColumn<QList<int>>("least");
        QTest::addColumn<QList<int>>("content");
        QTest::addColumn<int>("available");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("narrow values keep the least width")
            << QList<int>{100, 50} << QList<int>{60, 20} << 0 << QList<int>{100, 50};
        QTest::newRow("a wide heading or value widens its column")
            << QList<int>{100, 50} << QList<int>{140, 80} << 0 << QList<int>{140, 80};
        QTest::newRow("a hidden column stays hidden however wide its values")
            << QList<int>{0, 100, 0} << QList<int>{500, 10, 30} << 900 << QList<int>{0, 900, 0};
        QTest::newRow("room is shared in proportion to the widths")
            << QList<int>{100, 300} << QList<int>{} << 600 << QList<int>{150, 450};
        QTest::newRow("what rounding leaves goes to the last shown column")
            << QList<int>{100, 100, 100, 0} << QList<int>{} << 400 << QList<int>{133, 133, 134, 0};
        QTest::newRow("the widened columns share the room too")
            << QList<int>{100, 100} << QList<int>{300, 0} << 800 << QList<int>{600, 200};
        QTest::newRow("a grid too narrow keeps the columns whole")
            << QList<int>{100, 100} << QList<int>{120} << 150 << QList<int>{120, 100};
        QTest::newRow("no column shown") << QList<int>{0, 0} << QList<int>{40, 40} << 500 << QList<int>{0, 0};
        QTest::newRow("no column at all") << QList<int>{} << QList<int>{} << 500 << QList<int>{};
    }

    void widths()
    {
        QFETCH(QList<int>, least);
        QFETCH(QList<int>, content);
        QFETCH(int, available);
        QFETCH(QList<int>, widths);
        QCOMPARE(previewColumnWidths(least, content, available), widths);
    }
};

QTEST_GUILESS_MAIN(PreviewColumnsTest)
#include "tst_previewcolumns.moc"
