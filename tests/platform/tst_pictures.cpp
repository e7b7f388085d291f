#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QSvgRenderer>
#include <QtTest>

// The program's pictures are compiled in and drawn by the SVG image plugin.
class PicturesTest : public QObject {
    Q_OBJECT

    static QStringList expected()
    {
        return {
            // start-up window
            "product.svg",
            "product-blink1.svg",
            "product-blink2.svg",
            "signal.svg",
            "signal-blink1.svg",
            "signal-blink2.svg",
            "brand.svg",
            // dialogs
            "login.svg",
            "about.svg",
            "printer.svg",
            "compact.svg",
            "cutdown.svg",
            // main toolbar
            "online.svg",
            "employees.svg",
            "programming.svg",
            "reports.svg",
            "help.svg",
            "exit.svg",
            // on-line monitor
            "print.svg",
            "close.svg",
            "door-normal.svg",
            "door-secure.svg",
            "door-bypass.svg",
            "door-unknown.svg",
            "tamper-on.svg",
            "tamper-off.svg",
            // reports
            "preview.svg",
            "save.svg",
            // date fields
            "calendar.svg",
        };
    }

private slots:
    void init()
    {
        // A picture the renderer only half understands shows up as a warning.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    }

    void theResourcesAreExactlyTheNamedOnes()
    {
        QStringList present = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
        QStringList wanted = expected();
        present.sort();
        wanted.sort();
        QCOMPARE(present, wanted);
    }

    void everyPictureLoads_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : expected())
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyPictureLoads()
    {
        QFETCH(QString, name);
        const QString path = QStringLiteral(":/pictures/") + name;
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        QVERIFY(!renderer.defaultSize().isEmpty());

        QPixmap pixmap(path);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), renderer.defaultSize());

        const QIcon icon(path);
        QVERIFY(!icon.isNull());
        QVERIFY(!icon.pixmap(QSize(32, 32)).isNull());
    }

    // A blink frame replaces the picture in the same place, so it must be the
    // same shape and differ from the other frame.
    void blinkFramesMatchTheirPicture_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::newRow("product") << QStringLiteral("product");
        QTest::newRow("signal") << QStringLiteral("signal");
    }

    void blinkFramesMatchTheirPicture()
    {
        QFETCH(QString, picture);
        const QImage base(QStringLiteral(":/pictures/%1.svg").arg(picture));
        const QImage on(QStringLiteral(":/pictures/%1-blink1.svg").arg(picture));
        const QImage off(QStringLiteral(":/pictures/%1-blink2.svg").arg(picture));
        QCOMPARE(on.size(), base.size());
        QCOMPARE(off.size(), base.size());
        QVERIFY(on != off);
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
