#include "platform/ui/zoomslider.h"

#include <QHBoxLayout>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolButton>
#include <QToolTip>

namespace {

QToolButton *makeStepButton(const QString &text, const QString &toolTip)
{
    auto *button = new QToolButton;
    button->setText(text);
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QString percentText(int percent)
{
    return QStringLiteral("%1%").arg(percent);
}

} // namespace

ZoomSlider::ZoomSlider(QWidget *parent)
    : QWidget(parent)
    , m_minus(makeStepButton(QStringLiteral("−"), QStringLiteral("Reduzir")))
    , m_slider(new QSlider(Qt::Horizontal))
    , m_plus(makeStepButton(QStringLiteral("+"), QStringLiteral("Ampliar")))
{
    setObjectName(QStringLiteral("zoom"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_slider->setRange(minimumPercent, maximumPercent);
    m_slider->setSingleStep(stepPercent);
    m_slider->setPageStep(2 * stepPercent);
    m_slider->setTickPosition(QSlider::NoTicks);
    m_slider->setValue(100);
    m_slider->setToolTip(percentText(100));
    m_slider->setFixedWidth(110);
    m_slider->setFocusPolicy(Qt::NoFocus);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_minus);
    layout->addWidget(m_slider);
    layout->addWidget(m_plus);

    const auto nameChildren = [this](const QString &name) {
        m_minus->setObjectName(name + QStringLiteral("Minus"));
        m_slider->setObjectName(name + QStringLiteral("Slider"));
        m_plus->setObjectName(name + QStringLiteral("Plus"));
    };
    nameChildren(objectName());
    connect(this, &QObject::objectNameChanged, this, nameChildren);

    connect(m_minus, &QToolButton::clicked, this, &ZoomSlider::stepDown);
    connect(m_plus, &QToolButton::clicked, this, &ZoomSlider::stepUp);
    connect(m_slider, &QSlider::sliderMoved, this, &ZoomSlider::showDragTip);
    connect(m_slider, &QSlider::valueChanged, this, [this](int percent) {
        m_slider->setToolTip(percentText(percent));
        emit valueChanged(percent);
    });
}

int ZoomSlider::value() const
{
    return m_slider->value();
}

void ZoomSlider::setValue(int percent)
{
    m_slider->setValue(percent);
}

void ZoomSlider::stepDown()
{
    m_slider->triggerAction(QAbstractSlider::SliderSingleStepSub);
}

void ZoomSlider::stepUp()
{
    m_slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

void ZoomSlider::showDragTip(int percent)
{
    QStyleOptionSlider option;
    option.initFrom(m_slider);
    option.orientation = m_slider->orientation();
    option.minimum = m_slider->minimum();
    option.maximum = m_slider->maximum();
    option.sliderPosition = percent;
    option.sliderValue = percent;
    option.upsideDown = m_slider->invertedAppearance();
    const QRect handle =
        m_slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, m_slider);
    QToolTip::showText(m_slider->mapToGlobal(handle.topLeft()), percentText(percent), m_slider);
}
