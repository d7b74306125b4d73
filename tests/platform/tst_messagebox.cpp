#include "platform/ui/filedialogs.h"
#include "platform/ui/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <functional>

Q_DECLARE_METATYPE(MessageBox::Button)

namespace {

const QRegularExpression neverBlockWarning(QStringLiteral("no answer queued"));

// Runs `act` on the modal message box once its event loop is running. Should the box
// not appear, any open box is rejected so the test fails instead of hanging.
void actOnNextModalBox(std::function<void(QMessageBox *)> act, int attemptsLeft = 200)
{
    QTimer::singleShot(0, qApp, [act, attemptsLeft] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            act(box);
            return;
        }
        if (attemptsLeft > 0) {
            actOnNextModalBox(act, attemptsLeft - 1);
            return;
        }
        const auto widgets = QApplication::topLevelWidgets();
        for (QWidget *w : widgets) {
            if (auto *box = qobject_cast<QMessageBox *>(w))
                box->reject();
        }
    });
}

QStringList buttonTexts(QMessageBox *box)
{
    QStringList texts;
    const auto buttons = box->buttons();
    for (QAbstractButton *b : buttons)
        texts.append(b->text());
    texts.sort();
    return texts;
}

} // namespace

class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        MessageBox::resetForTest();
        MessageBox::setNeverBlock(true);
        FileDialogs::resetForTest();
        FileDialogs::setNeverBlock(true);
    }

    void queuedAnswersComeBackInOrderAndEveryBoxIsLogged()
    {
        MessageBox::setNextAnswer(MessageBox::Yes);
        MessageBox::setNextAnswer(MessageBox::Cancel);
        MessageBox::setNextAnswer(MessageBox::Ok);
        QVERIFY(MessageBox::hasPendingAnswers());

        QCOMPARE(MessageBox::question(nullptr, QStringLiteral("Excluir"), QStringLiteral("Excluir a tarefa?")),
                 MessageBox::Yes);
        QCOMPARE(MessageBox::show(nullptr, MessageBox::Warning, QStringLiteral("Salvar"),
                                  QStringLiteral("Salvar as alterações?"),
                                  MessageBox::Yes | MessageBox::No | MessageBox::Cancel, MessageBox::Yes),
                 MessageBox::Cancel);
        MessageBox::information(nullptr, QStringLiteral("Pronto"), QStringLiteral("Cópia concluída."));
        QVERIFY(!MessageBox::hasPendingAnswers());
        // With the queue empty the next box is answered by never-block, still logged.
        QTest::ignoreMessage(QtWarningMsg, neverBlockWarning);
        MessageBox::error(nullptr, QStringLiteral("Erro"), QStringLiteral("Falha ao gravar."));

        struct Expected {
            MessageBox::Icon icon;
            const char *caption;
            const char *text;
            int buttons;
        };
        const Expected expected[] = {
            {MessageBox::Question, "Excluir", "Excluir a tarefa?", MessageBox::Yes | MessageBox::No},
            {MessageBox::Warning, "Salvar", "Salvar as alterações?", MessageBox::Yes | MessageBox::No | MessageBox::Cancel},
            {MessageBox::Information, "Pronto", "Cópia concluída.", MessageBox::Ok},
            {MessageBox::Critical, "Erro", "Falha ao gravar.", MessageBox::Ok},
        };
        const QList<MessageBox::Shown> shown = MessageBox::shownBoxes();
        QCOMPARE(shown.size(), int(std::size(expected)));
        for (int i = 0; i < shown.size(); ++i) {
            QCOMPARE(shown[i].icon, expected[i].icon);
            QCOMPARE(shown[i].caption, QString::fromUtf8(expected[i].caption));
            QCOMPARE(shown[i].text, QString::fromUtf8(expected[i].text));
            QCOMPARE(shown[i].buttons, expected[i].buttons);
        }
    }

    void neverBlockAnswersWithTheDefaultOrEscapeButton_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<MessageBox::Button>("defaultButton");
        QTest::addColumn<MessageBox::Button>("expected");
        QTest::addColumn<int>("loggedButtons");

        const int yesNo = MessageBox::Yes | MessageBox::No;
        const int yesNoCancel = yesNo | MessageBox::Cancel;
        QTest::newRow("question: its default No") << yesNo << MessageBox::No << MessageBox::No << yesNo;
        QTest::newRow("explicit default Yes") << yesNoCancel << MessageBox::Yes << MessageBox::Yes << yesNoCancel;
        QTest::newRow("no default: Cancel") << yesNoCancel << MessageBox::NoButton << MessageBox::Cancel << yesNoCancel;
        QTest::newRow("no default, no Cancel: No") << yesNo << MessageBox::NoButton << MessageBox::No << yesNo;
        QTest::newRow("OK only") << int(MessageBox::Ok) << MessageBox::NoButton << MessageBox::Ok << int(MessageBox::Ok);
        QTest::newRow("default not among the buttons")
            << (MessageBox::Ok | MessageBox::Cancel) << MessageBox::Yes << MessageBox::Cancel
            << (MessageBox::Ok | MessageBox::Cancel);
        QTest::newRow("no buttons at all gets OK") << 0 << MessageBox::NoButton << MessageBox::Ok << int(MessageBox::Ok);
    }

    void neverBlockAnswersWithTheDefaultOrEscapeButton()
    {
        QFETCH(int, buttons);
        QFETCH(MessageBox::Button, defaultButton);
        QFETCH(MessageBox::Button, expected);
        QFETCH(int, loggedButtons);

        QTest::ignoreMessage(QtWarningMsg, neverBlockWarning);
        QCOMPARE(MessageBox::show(nullptr, MessageBox::Question, QStringLiteral("Título"), QStringLiteral("Texto"),
                                  buttons, defaultButton),
                 expected);
        QCOMPARE(MessageBox::shownBoxes().size(), 1);
        QCOMPARE(MessageBox::shownBoxes().first().buttons, loggedButtons);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void resetClearsQueueAndLogButKeepsNeverBlock()
    {
        MessageBox::setNextAnswer(MessageBox::Yes);
        MessageBox::setNextAnswer(MessageBox::Yes);
        MessageBox::question(nullptr, QStringLiteral("A"), QStringLiteral("B"));
        MessageBox::resetForTest();
        QVERIFY(!MessageBox::hasPendingAnswers());
        QVERIFY(MessageBox::shownBoxes().isEmpty());

        // The dropped Yes must not answer this one; never-block does, with No.
        QTest::ignoreMessage(QtWarningMsg, neverBlockWarning);
        QCOMPARE(MessageBox::question(nullptr, QStringLiteral("A"), QStringLiteral("B")), MessageBox::No);
    }

    void realBoxIsAnsweredInsideItsEventLoop_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<MessageBox::Button>("defaultButton");
        QTest::addColumn<QString>("press"); // a button text, or "Esc"
        QTest::addColumn<MessageBox::Button>("expected");
        QTest::addColumn<QStringList>("texts");

        const QStringList simNao{QStringLiteral("Não"), QStringLiteral("Sim")};
        QTest::newRow("click Sim") << (MessageBox::Yes | MessageBox::No) << MessageBox::No << QStringLiteral("Sim")
                                   << MessageBox::Yes << simNao;
        QTest::newRow("Esc on Sim/Não gives Não")
            << (MessageBox::Yes | MessageBox::No) << MessageBox::No << QStringLiteral("Esc") << MessageBox::No << simNao;
        QTest::newRow("Esc with Cancelar gives Cancelar")
            << (MessageBox::Yes | MessageBox::No | MessageBox::Cancel) << MessageBox::Yes << QStringLiteral("Esc")
            << MessageBox::Cancel << QStringList{QStringLiteral("Cancelar"), QStringLiteral("Não"), QStringLiteral("Sim")};
        QTest::newRow("Esc on OK alone gives OK")
            << int(MessageBox::Ok) << MessageBox::Ok << QStringLiteral("Esc") << MessageBox::Ok
            << QStringList{QStringLiteral("OK")};
    }

    void realBoxIsAnsweredInsideItsEventLoop()
    {
        QFETCH(int, buttons);
        QFETCH(MessageBox::Button, defaultButton);
        QFETCH(QString, press);
        QFETCH(MessageBox::Button, expected);
        QFETCH(QStringList, texts);
        MessageBox::setNeverBlock(false);

        bool seen = false;
        QString caption, text, defaultText;
        Qt::TextFormat format = Qt::AutoText;
        QStringList shownTexts;
        actOnNextModalBox([&](QMessageBox *box) {
            seen = true;
            caption = box->windowTitle();
            text = box->text();
            format = box->textFormat();
            shownTexts = buttonTexts(box);
            defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
            if (press == QLatin1String("Esc")) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            const auto candidates = box->findChildren<QPushButton *>();
            for (QPushButton *b : candidates) {
                if (b->text() == press) {
                    b->click();
                    return;
                }
            }
            box->reject();
        });

        const QString markup = QStringLiteral("Excluir <b>Reunião</b> & anexos?");
        const MessageBox::Button answer =
            MessageBox::show(nullptr, MessageBox::Question, QStringLiteral("Confirmação"), markup, buttons, defaultButton);

        QVERIFY(seen);
        QCOMPARE(answer, expected);
        QCOMPARE(caption, QStringLiteral("Confirmação"));
        QCOMPARE(text, markup);
        QCOMPARE(format, Qt::PlainText); // user data such as task names is never read as HTML
        QCOMPARE(shownTexts, texts);
        const QHash<MessageBox::Button, QString> textOf{{MessageBox::Yes, QStringLiteral("Sim")},
                                                        {MessageBox::No, QStringLiteral("Não")},
                                                        {MessageBox::Ok, QStringLiteral("OK")}};
        QCOMPARE(defaultText, textOf.value(defaultButton));
        QCOMPARE(MessageBox::shownBoxes().size(), 1);
    }

    void fileDialogsGiveQueuedAnswersAndCancelWhenNoneIsLeft()
    {
        const QStringList two{QStringLiteral("/tmp/a.rtf"), QStringLiteral("/tmp/b.rtf")};
        FileDialogs::setNextPaths(two);
        FileDialogs::setNextPath(QString()); // cancelled
        FileDialogs::setNextPath(QStringLiteral("/tmp/saída.rtf"));
        QVERIFY(FileDialogs::hasPendingAnswers());

        const QString filter = QStringLiteral("Documentos RTF (*.rtf)");
        QCOMPARE(FileDialogs::getOpenFileNames(nullptr, QStringLiteral("Anexar"), filter), two);
        QCOMPARE(FileDialogs::getOpenFileNames(nullptr, QStringLiteral("Anexar de novo"), filter), QStringList());
        QCOMPARE(FileDialogs::getSaveFileName(nullptr, QStringLiteral("Salvar"), filter), QStringLiteral("/tmp/saída.rtf"));
        QVERIFY(!FileDialogs::hasPendingAnswers());

        QTest::ignoreMessage(QtWarningMsg, neverBlockWarning);
        QCOMPARE(FileDialogs::getExistingDirectory(nullptr, QStringLiteral("Pasta da cópia")), QString());
        QCOMPARE(FileDialogs::shownCaptions(),
                 (QStringList{QStringLiteral("Anexar"), QStringLiteral("Anexar de novo"), QStringLiteral("Salvar"),
                              QStringLiteral("Pasta da cópia")}));
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        FileDialogs::setNextPath(QStringLiteral("/tmp/x"));
        FileDialogs::resetForTest();
        QVERIFY(!FileDialogs::hasPendingAnswers());
        QVERIFY(FileDialogs::shownCaptions().isEmpty());
    }

    void saveChooserAppendsTheFilterExtension_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("single") << QStringLiteral("Documentos RTF (*.rtf)") << QStringLiteral("rtf");
        QTest::newRow("first of several filters")
            << QStringLiteral("Texto (*.txt *.text);;Todos os arquivos (*)") << QStringLiteral("txt");
        QTest::newRow("bare pattern") << QStringLiteral("*.csv") << QStringLiteral("csv");
        QTest::newRow("any file") << QStringLiteral("Todos os arquivos (*)") << QString();
        QTest::newRow("wildcard extension") << QStringLiteral("Cópias (*.bak*)") << QString();
        QTest::newRow("empty") << QString() << QString();
    }

    void saveChooserAppendsTheFilterExtension()
    {
        QFETCH(QString, filter);
        QFETCH(QString, suffix);
        QCOMPARE(FileDialogs::defaultSuffixOf(filter), suffix);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
