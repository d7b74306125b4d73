#pragma once

#include <QDialog>
#include <QTimer>

// The splash window: the program's picture for one second, then it closes itself.
class TfrmSplash : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);

    QTimer Timer1;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Timer1Timer();
    QPixmap m_picture;
};
