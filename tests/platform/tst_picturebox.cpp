#include "platform/forms/PictureBox.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

// A picture keeps its shape in a box of another shape (a 64 x 64 picture in
// the editor's tall box): as large as the box allows, in its middle.
class PictureBoxTest : public QObject {
    Q_OBJECT

    // Where the box painted the picture, a red one on white.
    static QRect painted(const QSize& picture, const QSize& box)
    {
        QPixmap red(picture);
        red.fill(Qt::red);
        PictureBox shown;
        shown.setPicture(red);
        shown.resize(box);
        QImage image(box, QImage::Format_RGB32);
        image.fill(Qt::white);
        shown.render(&image);
        QRect area;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 100)
                    area |= QRect(x, y, 1, 1);
        return area;
    }

private slots:
    void thePictureKeepsItsShape_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QRect>("expected");
        // clang-format off
        QTest::newRow("square in a tall box") << QSize(64, 64) << QSize(120, 160) << QRect(0, 20, 120, 120);
        QTest::newRow("wide in a tall box") << QSize(200, 100) << QSize(120, 160) << QRect(0, 50, 120, 60);
        QTest::newRow("tall in a wide box") << QSize(50, 100) << QSize(160, 120) << QRect(50, 0, 60, 120);
        QTest::newRow("small in a large box") << QSize(16, 16) << QSize(90, 90) << QRect(0, 0, 90, 90);
        QTest::newRow("the box's own shape") << QSize(30, 40) << QSize(120, 160) << QRect(0, 0, 120, 160);
        // clang-format on
    }

    void thePictureKeepsItsShape()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, box);
        QFETCH(QRect, expected);
        const QRect area = painted(picture, box);
        // The edges may blend by a pixel.
        QVERIFY2(qAbs(area.left() - expected.left()) <= 1 && qAbs(area.top() - expected.top()) <= 1 &&
                     qAbs(area.right() - expected.right()) <= 1 && qAbs(area.bottom() - expected.bottom()) <= 1,
                 qPrintable(QStringLiteral("painted %1,%2 %3x%4")
                                .arg(area.x())
                                .arg(area.y())
                                .arg(area.width())
                                .arg(area.height())));
    }
};

QTEST_MAIN(PictureBoxTest)
#include "tst_picturebox.moc"
