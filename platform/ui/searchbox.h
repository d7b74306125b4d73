#pragma once

#include <QLineEdit>

class QAction;
class QKeyEvent;

// A line edit with one search button at its right end. The button is a trailing
// QAction named "<objectName>Button" that follows the box's objectName.
//
// Keys are left to the owner: every key press is first offered through keyPressed()
// (connect it directly, not queued); setting handled to true consumes the key, so
// the owner decides what Enter does. Unhandled keys edit the text as usual.
class SearchBox : public QLineEdit {
    Q_OBJECT
public:
    explicit SearchBox(QWidget *parent = nullptr);

    QAction *searchAction() const { return m_searchAction; }

signals:
    void buttonClicked();
    void keyPressed(QKeyEvent *event, bool &handled);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAction *m_searchAction;
};
