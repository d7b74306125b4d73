#pragma once

#include <QAbstractScrollArea>
#include <QTextCursor>

class QTextDocument;

// A read-only view of its own QTextDocument that zooms by scaling the drawing, so
// that text with explicit point sizes grows too (QTextEdit::zoomIn leaves such text
// alone). Scroll bars count zoomed pixels. Text can be selected with the mouse and
// copied with Ctrl+C.
class ZoomTextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int minimumPercent = 10;
    static constexpr int maximumPercent = 500;
    // Ctrl + one wheel notch zooms by this many percentage points.
    static constexpr int wheelStepPercent = 10;

    explicit ZoomTextView(QWidget *parent = nullptr);

    QTextDocument *document() const { return m_document; }
    void clear();

    // Clamped to 10..500.
    void setZoomPercent(int percent);
    int zoomPercent() const { return m_percent; }
    // The zoom as a reduced fraction, e.g. 3/2 at 150%; 0/0 while no zoom was ever set.
    void zoomRatio(int &numerator, int &denominator) const;

    QTextCursor textCursor() const { return m_selection; }
    QString selectedText() const;

public slots:
    void copy();
    void selectAll();

signals:
    // The user zoomed with Ctrl + the mouse wheel; emitted after the zoom changed.
    void ctrlWheelZoomed();
    // Any zoom change, by the wheel or by setZoomPercent().
    void zoomChanged(int percent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    qreal scale() const { return m_percent / 100.0; }
    QPointF scrollOffset() const;
    // Document position under a viewport point, or -1.
    int positionAt(const QPointF &viewportPoint) const;
    void relayout();
    void updateScrollBars();

    QTextDocument *m_document;
    QTextCursor m_selection;
    int m_percent = 100;
    bool m_zoomSet = false;
    bool m_selecting = false;
    int m_wheelRemainder = 0;
};
