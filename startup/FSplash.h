#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

// The splash window: the program's picture for one second, then it closes itself.
class TfrmSplash : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);

    // Work to do while the window is on screen (it stays up its full second).
    void setWhileShown(std::function<void()> work) { m_whileShown = std::move(work); }

    QTimer Timer1;
    // How long the window was on screen, for the start-up measurement.
    qint64 shownMilliseconds() const { return m_shown.isValid() ? m_shown.elapsed() : 0; }

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Timer1Timer();
    QPixmap m_picture;
    QElapsedTimer m_shown;
    std::function<void()> m_whileShown;
};
