#include "platform/ui/messagebox.h"

#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

namespace {

struct State {
    QList<MessageBox::Button> answers;
    QList<MessageBox::Shown> shown;
    bool neverBlock = false;
};

State &state()
{
    static State s;
    return s;
}

// A box must always offer some way to answer it.
int normalizedButtons(int buttons)
{
    const int known = MessageBox::Ok | MessageBox::Yes | MessageBox::No | MessageBox::Cancel;
    buttons &= known;
    return buttons == 0 ? int(MessageBox::Ok) : buttons;
}

QMessageBox::Icon toQtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Information: return QMessageBox::Information;
    case MessageBox::Question: return QMessageBox::Question;
    case MessageBox::Warning: return QMessageBox::Warning;
    case MessageBox::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

struct ButtonInfo {
    MessageBox::Button button;
    const char *text;
    QMessageBox::ButtonRole role;
    const char *objectName;
};

// Order in which the buttons appear from left to right, as Windows lays them out.
const ButtonInfo buttonInfos[] = {
    {MessageBox::Ok, "OK", QMessageBox::AcceptRole, "messageBoxOk"},
    {MessageBox::Yes, "Sim", QMessageBox::YesRole, "messageBoxYes"},
    {MessageBox::No, "Não", QMessageBox::NoRole, "messageBoxNo"},
    {MessageBox::Cancel, "Cancelar", QMessageBox::RejectRole, "messageBoxCancel"},
};

MessageBox::Button runRealBox(QWidget *parent, MessageBox::Icon icon, const QString &caption,
                              const QString &text, int buttons, MessageBox::Button defaultButton)
{
    // Without a parent the box would centre on the screen, away from the program.
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setObjectName(QStringLiteral("messageBox"));
    box.setIcon(toQtIcon(icon));
    box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);

    QHash<QAbstractButton *, MessageBox::Button> answerOf;
    for (const ButtonInfo &info : buttonInfos) {
        if (!(buttons & info.button))
            continue;
        QPushButton *b = box.addButton(QString::fromUtf8(info.text), info.role);
        b->setObjectName(QLatin1String(info.objectName));
        answerOf.insert(b, info.button);
        if (info.button == defaultButton)
            box.setDefaultButton(b);
        if (info.button == MessageBox::escapeAnswer(buttons))
            box.setEscapeButton(b);
    }
    box.exec();
    return answerOf.value(box.clickedButton(), MessageBox::escapeAnswer(buttons));
}

} // namespace

MessageBox::Button MessageBox::show(QWidget *parent, Icon icon, const QString &caption,
                                    const QString &text, int buttons, Button defaultButton)
{
    buttons = normalizedButtons(buttons);
    if (!(buttons & defaultButton))
        defaultButton = NoButton;

    State &s = state();
    s.shown.append(Shown{icon, caption, text, buttons});
    if (!s.answers.isEmpty()) {
        const Button answer = s.answers.takeFirst();
        if (!(buttons & answer))
            qWarning("MessageBox: queued answer %d is not a button of \"%s\"", int(answer),
                     qUtf8Printable(caption));
        return answer;
    }
    if (s.neverBlock) {
        const Button answer = defaultButton != NoButton ? defaultButton : escapeAnswer(buttons);
        qWarning("MessageBox: no answer queued for \"%s\" (%s); answering %d without showing it",
                 qUtf8Printable(caption), qUtf8Printable(text), int(answer));
        return answer;
    }
    return runRealBox(parent, icon, caption, text, buttons, defaultButton);
}

MessageBox::Button MessageBox::question(QWidget *parent, const QString &caption, const QString &text)
{
    return show(parent, Question, caption, text, Yes | No, No);
}

void MessageBox::information(QWidget *parent, const QString &caption, const QString &text)
{
    show(parent, Information, caption, text, Ok, Ok);
}

void MessageBox::error(QWidget *parent, const QString &caption, const QString &text)
{
    show(parent, Critical, caption, text, Ok, Ok);
}

MessageBox::Button MessageBox::escapeAnswer(int buttons)
{
    buttons = normalizedButtons(buttons);
    for (Button b : {Cancel, No, Ok, Yes}) {
        if (buttons & b)
            return b;
    }
    return Ok;
}

void MessageBox::setNextAnswer(Button answer)
{
    state().answers.append(answer);
}

bool MessageBox::hasPendingAnswers()
{
    return !state().answers.isEmpty();
}

QList<MessageBox::Shown> MessageBox::shownBoxes()
{
    return state().shown;
}

void MessageBox::resetForTest()
{
    state().answers.clear();
    state().shown.clear();
}

void MessageBox::setNeverBlock(bool on)
{
    state().neverBlock = on;
}
