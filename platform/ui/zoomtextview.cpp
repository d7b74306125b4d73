#include "platform/ui/zoomtextview.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <cmath>
#include <numeric>

namespace {
constexpr int wheelNotch = 120;
constexpr int scrollStep = 20;
} // namespace

ZoomTextView::ZoomTextView(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_document(new QTextDocument(this))
    , m_selection(m_document)
{
    setObjectName(QStringLiteral("zoomTextView"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    m_document->setUndoRedoEnabled(false);

    QAbstractTextDocumentLayout *layout = m_document->documentLayout();
    connect(layout, &QAbstractTextDocumentLayout::documentSizeChanged, this, &ZoomTextView::updateScrollBars);
    connect(layout, &QAbstractTextDocumentLayout::update, viewport(), [this] { viewport()->update(); });
    relayout();
}

void ZoomTextView::clear()
{
    m_document->clear();
    m_selection = QTextCursor(m_document);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void ZoomTextView::setZoomPercent(int percent)
{
    percent = qBound(minimumPercent, percent, maximumPercent);
    m_zoomSet = true;
    if (percent == m_percent)
        return;

    // Keep the same part of the document in sight.
    QScrollBar *vbar = verticalScrollBar();
    const qreal fraction = vbar->maximum() > 0 ? qreal(vbar->value()) / vbar->maximum() : 0.0;
    m_percent = percent;
    relayout();
    vbar->setValue(qRound(fraction * vbar->maximum()));
    viewport()->update();
    emit zoomChanged(m_percent);
}

void ZoomTextView::zoomRatio(int &numerator, int &denominator) const
{
    if (!m_zoomSet) {
        numerator = 0;
        denominator = 0;
        return;
    }
    const int divisor = std::gcd(m_percent, 100);
    numerator = m_percent / divisor;
    denominator = 100 / divisor;
}

QString ZoomTextView::selectedText() const
{
    return m_selection.selection().toPlainText();
}

void ZoomTextView::copy()
{
    if (!m_selection.hasSelection())
        return;
    const QTextDocumentFragment fragment = m_selection.selection();
    auto *mime = new QMimeData;
    mime->setText(fragment.toPlainText());
    mime->setHtml(fragment.toHtml());
    QGuiApplication::clipboard()->setMimeData(mime);
}

void ZoomTextView::selectAll()
{
    m_selection.select(QTextCursor::Document);
    viewport()->update();
}

QPointF ZoomTextView::scrollOffset() const
{
    return QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

int ZoomTextView::positionAt(const QPointF &viewportPoint) const
{
    const QPointF documentPoint = (viewportPoint + scrollOffset()) / scale();
    return m_document->documentLayout()->hitTest(documentPoint, Qt::FuzzyHit);
}

void ZoomTextView::relayout()
{
    m_document->setTextWidth(viewport()->width() / scale());
    updateScrollBars();
}

void ZoomTextView::updateScrollBars()
{
    const QSizeF size = m_document->documentLayout()->documentSize() * scale();
    const QSize visible = viewport()->size();
    QScrollBar *hbar = horizontalScrollBar();
    QScrollBar *vbar = verticalScrollBar();
    hbar->setRange(0, qMax(0, int(std::ceil(size.width())) - visible.width()));
    hbar->setPageStep(visible.width());
    hbar->setSingleStep(qMax(1, qRound(scrollStep * scale())));
    vbar->setRange(0, qMax(0, int(std::ceil(size.height())) - visible.height()));
    vbar->setPageStep(visible.height());
    vbar->setSingleStep(qMax(1, qRound(scrollStep * scale())));
    viewport()->update();
}

void ZoomTextView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const qreal z = scale();
    const QPointF offset = scrollOffset();
    painter.translate(-offset);
    painter.scale(z, z);

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    const QRectF exposed = event->rect();
    context.clip = QRectF((exposed.topLeft() + offset) / z, exposed.size() / z).adjusted(-1, -1, 1, 1);
    if (m_selection.hasSelection()) {
        const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
        QAbstractTextDocumentLayout::Selection selection;
        selection.cursor = m_selection;
        selection.format.setBackground(palette().brush(group, QPalette::Highlight));
        selection.format.setForeground(palette().brush(group, QPalette::HighlightedText));
        context.selections.append(selection);
    }
    m_document->documentLayout()->draw(&painter, context);
}

void ZoomTextView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void ZoomTextView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void ZoomTextView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        m_wheelRemainder = 0;
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    const int delta = event->angleDelta().y();
    // Touchpads send fractions of a notch; a change of direction starts afresh.
    if ((delta > 0) != (m_wheelRemainder > 0))
        m_wheelRemainder = 0;
    m_wheelRemainder += delta;
    const int notches = m_wheelRemainder / wheelNotch;
    if (notches == 0)
        return;
    m_wheelRemainder -= notches * wheelNotch;
    const int before = m_percent;
    setZoomPercent(m_percent + notches * wheelStepPercent);
    if (m_percent != before)
        emit ctrlWheelZoomed();
}

void ZoomTextView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const int position = positionAt(event->position());
    if (position < 0)
        return;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    m_selection.setPosition(position, extend ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    m_selecting = true;
    viewport()->update();
}

void ZoomTextView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_selecting || !(event->buttons() & Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    // Dragging past the top or bottom edge scrolls towards the pointer.
    const qreal y = event->position().y();
    QScrollBar *vbar = verticalScrollBar();
    if (y < 0)
        vbar->setValue(vbar->value() + int(y));
    else if (y > viewport()->height())
        vbar->setValue(vbar->value() + int(y) - viewport()->height());

    const int position = positionAt(event->position());
    if (position >= 0) {
        m_selection.setPosition(position, QTextCursor::KeepAnchor);
        viewport()->update();
    }
}

void ZoomTextView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_selecting) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_selecting = false;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (m_selection.hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void ZoomTextView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    const int position = positionAt(event->position());
    if (position < 0)
        return;
    m_selection.setPosition(position);
    m_selection.select(QTextCursor::WordUnderCursor);
    viewport()->update();
}

void ZoomTextView::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Copy) {
        copy();
        event->accept();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void ZoomTextView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ZoomTextView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
