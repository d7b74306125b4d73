#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box of the program goes through here, so that tests can answer
// them in advance instead of blocking on a modal window.
class MessageBox {
public:
    enum Button { NoButton = 0, Ok = 1, Yes = 2, No = 4, Cancel = 8 };
    enum Icon { Information, Question, Warning, Critical };

    // Shows a modal box with Portuguese button texts ("OK", "Sim", "Não", "Cancelar")
    // and returns the button pressed. The text is shown as plain text, never as HTML.
    // Closing the box without a button (Esc, window close) gives the escape answer:
    // Cancel, else No, else OK.
    static Button show(QWidget *parent, Icon icon, const QString &caption, const QString &text,
                       int buttons, Button defaultButton = NoButton);
    // Yes/No with the question icon; No is the default.
    static Button question(QWidget *parent, const QString &caption, const QString &text);
    static void information(QWidget *parent, const QString &caption, const QString &text);
    // Critical icon, OK button.
    static void error(QWidget *parent, const QString &caption, const QString &text);

    // Test hooks. While answers are queued, show() records the box and returns the
    // next answer (first in, first out) without opening any window.
    static void setNextAnswer(Button answer);
    static bool hasPendingAnswers();
    struct Shown {
        Icon icon;
        QString caption;
        QString text;
        int buttons;
    };
    // Every box shown, really or answered from the queue, since the last reset.
    static QList<Shown> shownBoxes();
    // Clears the queued answers and the log (never-block stays as set).
    static void resetForTest();
    // When on and no answer is queued, show() records the box, prints a warning and
    // returns the default button (when one of the box's buttons) or else the escape
    // answer, instead of waiting for a user who is not there.
    static void setNeverBlock(bool on);

    // The answer a box gives when nobody picks a button (see show()).
    static Button escapeAnswer(int buttons);
};
