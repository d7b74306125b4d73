#pragma once

#include <QWidget>

class QSlider;
class QToolButton;

// The status-bar zoom control: a minus button, a slider from 10 to 500 percent and a
// plus button. Children are named after the control: "<name>Minus", "<name>Slider",
// "<name>Plus". While the handle is dragged a tooltip shows the value ("150%").
class ZoomSlider : public QWidget {
    Q_OBJECT
public:
    static constexpr int minimumPercent = 10;
    static constexpr int maximumPercent = 500;
    static constexpr int stepPercent = 10;

    explicit ZoomSlider(QWidget *parent = nullptr);

    int value() const;
    QSlider *slider() const { return m_slider; }
    QToolButton *minusButton() const { return m_minus; }
    QToolButton *plusButton() const { return m_plus; }

public slots:
    // Clamped to 10..500.
    void setValue(int percent);
    void stepDown();
    void stepUp();

signals:
    void valueChanged(int percent);

private:
    void showDragTip(int percent);

    QToolButton *m_minus;
    QSlider *m_slider;
    QToolButton *m_plus;
};
