#include "platform/ui/zoomslider.h"
#include "platform/ui/zoomtextview.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSlider>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest>

namespace {

// Bounding box of the dark pixels of a rendering on a light background.
QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

bool containsColour(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

// One paragraph per line, each in an explicit point size, which QTextEdit's own
// zoom would leave unchanged.
void fillWithLines(QTextDocument *document, const QStringList &lines, qreal pointSize)
{
    document->clear();
    QTextCursor cursor(document);
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("DejaVu Sans")});
    format.setFontPointSize(pointSize);
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(lines[i], format);
    }
}

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("Linha %1").arg(i));
    return lines;
}

void sendWheel(QWidget *target, int angleDelta, Qt::KeyboardModifiers modifiers)
{
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, angleDelta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void sendMouse(QWidget *target, QEvent::Type type, const QPointF &at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TestZoom : public QObject {
    Q_OBJECT

private slots:
    void sliderHasTheZoomRangeAndNamedParts()
    {
        ZoomSlider zoom;
        zoom.setObjectName(QStringLiteral("statusZoom"));
        auto *slider = zoom.findChild<QSlider *>(QStringLiteral("statusZoomSlider"));
        QVERIFY(slider);
        QVERIFY(zoom.findChild<QToolButton *>(QStringLiteral("statusZoomMinus")));
        QVERIFY(zoom.findChild<QToolButton *>(QStringLiteral("statusZoomPlus")));
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->minimum(), 10);
        QCOMPARE(slider->maximum(), 500);
        QCOMPARE(slider->singleStep(), 10);
        QCOMPARE(slider->pageStep(), 20);
        QCOMPARE(slider->tickPosition(), QSlider::NoTicks);
        QCOMPARE(zoom.value(), 100);
    }

    void sliderStepsAndClamps_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("operation"); // "minus", "plus" or "set <n>"
        QTest::addColumn<int>("expected");

        QTest::newRow("plus") << 100 << QStringLiteral("plus") << 110;
        QTest::newRow("minus") << 100 << QStringLiteral("minus") << 90;
        QTest::newRow("plus at the top") << 500 << QStringLiteral("plus") << 500;
        QTest::newRow("minus at the bottom") << 10 << QStringLiteral("minus") << 10;
        QTest::newRow("minus near the bottom") << 15 << QStringLiteral("minus") << 10;
        QTest::newRow("set above the range") << 100 << QStringLiteral("set 1000") << 500;
        QTest::newRow("set below the range") << 100 << QStringLiteral("set 0") << 10;
        QTest::newRow("set inside") << 100 << QStringLiteral("set 250") << 250;
    }

    void sliderStepsAndClamps()
    {
        QFETCH(int, start);
        QFETCH(QString, operation);
        QFETCH(int, expected);

        ZoomSlider zoom;
        zoom.setObjectName(QStringLiteral("zoom"));
        zoom.show();
        QVERIFY(QTest::qWaitForWindowExposed(&zoom));
        zoom.setValue(start);
        QCOMPARE(zoom.value(), start);
        QSignalSpy changed(&zoom, &ZoomSlider::valueChanged);

        if (operation == QLatin1String("minus") || operation == QLatin1String("plus")) {
            auto *button = zoom.findChild<QToolButton *>(QStringLiteral("zoom") +
                                                         (operation == QLatin1String("minus") ? QStringLiteral("Minus")
                                                                                              : QStringLiteral("Plus")));
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            zoom.setValue(operation.section(QLatin1Char(' '), 1).toInt());
        }
        QCOMPARE(zoom.value(), expected);
        if (expected == start) {
            QCOMPARE(changed.count(), 0);
        } else {
            QCOMPARE(changed.count(), 1);
            QCOMPARE(changed.first().first().toInt(), expected);
        }
    }

    void draggingTheHandleShowsThePercentage()
    {
        ZoomSlider zoom;
        zoom.setObjectName(QStringLiteral("zoom"));
        zoom.show();
        QVERIFY(QTest::qWaitForWindowExposed(&zoom));
        auto *slider = zoom.findChild<QSlider *>(QStringLiteral("zoomSlider"));
        slider->setSliderDown(true);
        slider->setSliderPosition(150);
        QCOMPARE(QToolTip::text(), QStringLiteral("150%"));
        slider->setSliderPosition(230);
        QCOMPARE(QToolTip::text(), QStringLiteral("230%"));
        slider->setSliderDown(false);
        QCOMPARE(zoom.value(), 230);
        QToolTip::hideText();
    }

    void viewDrawsExplicitPointSizesScaled()
    {
        ZoomTextView view;
        view.resize(700, 300);
        fillWithLines(view.document(), {QStringLiteral("Zoom de texto")}, 20);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        const QRect at100 = inkBounds(view.viewport()->grab().toImage());
        view.setZoomPercent(150);
        const QRect at150 = inkBounds(view.viewport()->grab().toImage());
        QVERIFY(!at100.isEmpty());
        // 20 pt at 96 dpi: glyphs well over 15 pixels tall.
        QVERIFY2(at100.height() > 15, qPrintable(QString::number(at100.height())));

        const qreal widthRatio = qreal(at150.width()) / at100.width();
        const qreal heightRatio = qreal(at150.height()) / at100.height();
        QVERIFY2(widthRatio > 1.4 && widthRatio < 1.6, qPrintable(QString::number(widthRatio)));
        QVERIFY2(heightRatio > 1.35 && heightRatio < 1.65, qPrintable(QString::number(heightRatio)));
        // The document margin scales with the text, so the text starts further in.
        QVERIFY(at150.left() > at100.left());
    }

    void scrollRangeCountsZoomedPixels()
    {
        ZoomTextView view;
        view.resize(500, 200);
        fillWithLines(view.document(), numberedLines(60), 12);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QScrollBar *bar = view.verticalScrollBar();
        const auto contentHeight = [bar] { return bar->maximum() + bar->pageStep(); };

        const int at100 = contentHeight();
        QVERIFY(bar->maximum() > 0);
        view.setZoomPercent(200);
        const qreal ratio = qreal(contentHeight()) / at100;
        QVERIFY2(ratio > 1.95 && ratio < 2.05, qPrintable(QString::number(ratio)));

        // Growing the document afterwards extends the range too.
        const int before = bar->maximum();
        QTextCursor(view.document()).insertText(QStringLiteral("Mais\nlinhas\nno\ninício\n"));
        QVERIFY(bar->maximum() > before);
    }

    void zoomIsClampedAndReportedAsARatio_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("expectedPercent");
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");

        QTest::newRow("150%") << 150 << 150 << 3 << 2;
        QTest::newRow("100% set explicitly") << 100 << 100 << 1 << 1;
        QTest::newRow("75%") << 75 << 75 << 3 << 4;
        QTest::newRow("333%") << 333 << 333 << 333 << 100;
        QTest::newRow("below the minimum") << 5 << 10 << 1 << 10;
        QTest::newRow("above the maximum") << 900 << 500 << 5 << 1;
    }

    void zoomIsClampedAndReportedAsARatio()
    {
        QFETCH(int, percent);
        QFETCH(int, expectedPercent);
        QFETCH(int, numerator);
        QFETCH(int, denominator);

        ZoomTextView view;
        int num = -1, den = -1;
        view.zoomRatio(num, den);
        QCOMPARE(den, 0); // never zoomed
        QCOMPARE(view.zoomPercent(), 100);

        QSignalSpy changed(&view, &ZoomTextView::zoomChanged);
        view.setZoomPercent(percent);
        QCOMPARE(view.zoomPercent(), expectedPercent);
        view.zoomRatio(num, den);
        QCOMPARE(num, numerator);
        QCOMPARE(den, denominator);
        QCOMPARE(changed.count(), expectedPercent == 100 ? 0 : 1);
    }

    void ctrlWheelZoomsTheViewThenTells_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("signalCount");

        QTest::newRow("one notch up") << 100 << QList<int>{120} << 110 << 1;
        QTest::newRow("one notch down") << 100 << QList<int>{-120} << 90 << 1;
        QTest::newRow("two notches at once") << 100 << QList<int>{240} << 120 << 1;
        QTest::newRow("half notches add up") << 100 << QList<int>{60, 60} << 110 << 1;
        QTest::newRow("up then down") << 100 << QList<int>{120, -120} << 100 << 2;
        QTest::newRow("at the top") << 500 << QList<int>{120} << 500 << 0;
        QTest::newRow("at the bottom") << 10 << QList<int>{-120} << 10 << 0;
        QTest::newRow("near the bottom") << 15 << QList<int>{-120} << 10 << 1;
    }

    void ctrlWheelZoomsTheViewThenTells()
    {
        QFETCH(int, start);
        QFETCH(QList<int>, deltas);
        QFETCH(int, expected);
        QFETCH(int, signalCount);

        ZoomTextView view;
        view.resize(400, 200);
        fillWithLines(view.document(), numberedLines(80), 12);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.setZoomPercent(start);
        const int scrolledTo = view.verticalScrollBar()->value();

        QList<int> zoomWhenSignalled;
        connect(&view, &ZoomTextView::ctrlWheelZoomed, &view, [&] { zoomWhenSignalled.append(view.zoomPercent()); });
        for (int delta : deltas)
            sendWheel(view.viewport(), delta, Qt::ControlModifier);

        QCOMPARE(view.zoomPercent(), expected);
        QCOMPARE(zoomWhenSignalled.size(), signalCount);
        if (signalCount > 0)
            QCOMPARE(zoomWhenSignalled.last(), expected);
        QCOMPARE(view.verticalScrollBar()->value(), scrolledTo);
    }

    void wheelWithoutCtrlScrollsAndKeepsTheZoom()
    {
        ZoomTextView view;
        view.resize(400, 200);
        fillWithLines(view.document(), numberedLines(80), 12);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy zoomed(&view, &ZoomTextView::ctrlWheelZoomed);

        sendWheel(view.viewport(), -120, Qt::NoModifier);
        const int afterDown = view.verticalScrollBar()->value();
        QVERIFY(afterDown > 0);
        sendWheel(view.viewport(), 120, Qt::NoModifier);
        QVERIFY(view.verticalScrollBar()->value() < afterDown);
        QCOMPARE(view.zoomPercent(), 100);
        QCOMPARE(zoomed.count(), 0);
        int num = -1, den = -1;
        view.zoomRatio(num, den);
        QCOMPARE(den, 0);
    }

    void mouseSelectsZoomedTextAndCtrlCCopiesIt()
    {
        ZoomTextView view;
        view.resize(600, 300);
        fillWithLines(view.document(), {QStringLiteral("Primeira linha"), QStringLiteral("Segunda linha")}, 14);
        view.setZoomPercent(150);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QWidget *viewport = view.viewport();

        // Drag across the whole first line, from left of its start to past its end.
        const QRect firstLine = inkBounds(viewport->grab().toImage().copy(0, 0, viewport->width(), 40));
        QVERIFY(!firstLine.isEmpty());
        const qreal y = firstLine.center().y();
        sendMouse(viewport, QEvent::MouseButtonPress, QPointF(1, y), Qt::LeftButton);
        sendMouse(viewport, QEvent::MouseMove, QPointF(firstLine.right() / 2.0, y), Qt::LeftButton);
        sendMouse(viewport, QEvent::MouseMove, QPointF(viewport->width() - 2, y), Qt::LeftButton);
        sendMouse(viewport, QEvent::MouseButtonRelease, QPointF(viewport->width() - 2, y), Qt::NoButton);
        QCOMPARE(view.selectedText(), QStringLiteral("Primeira linha"));

        // The selection is drawn in a highlight colour.
        const QImage drawn = viewport->grab().toImage();
        QVERIFY(containsColour(drawn, view.palette().color(QPalette::Active, QPalette::Highlight)) ||
                containsColour(drawn, view.palette().color(QPalette::Inactive, QPalette::Highlight)));

        QApplication::clipboard()->clear();
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Primeira linha"));

        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Primeira linha\nSegunda linha"));

        view.clear();
        QVERIFY(view.document()->isEmpty());
        QVERIFY(view.selectedText().isEmpty());
    }
};

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
