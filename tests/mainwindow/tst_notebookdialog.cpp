// The real notebook name dialog, driven from inside its own event loop.
#include "mainwindow/uNovoCaderno.h"
#include "storage/dataset.h"
#include "tests/support/guitestmain.h"
#include "tests/support/testdatabase.h"

#include <QLineEdit>
#include <QPushButton>

// One notebook "Casa" in a fresh database, its row open for editing.
struct NotebookBeingEdited
{
    TestDatabase db;
    DataSet notebooks{db.connection()};

    NotebookBeingEdited()
    {
        db.addNotebook(1, QStringLiteral("Casa"));
        notebooks.setSelectSql(QStringLiteral("SELECT ID, NAME FROM CADERNO"));
        notebooks.setTable(QStringLiteral("CADERNO"));
        notebooks.open();
        notebooks.edit();
    }
};

class TestNotebookDialog : public QObject
{
    Q_OBJECT
private slots:
    void typingEditsTheRowAndEnterAccepts();
    void cancelRejectsAndNameIsLimited();
};

void TestNotebookDialog::typingEditsTheRowAndEnterAccepts()
{
    NotebookBeingEdited f;
    TestDatabase &db = f.db;
    DataSet &notebooks = f.notebooks;

    TfrmNovoCaderno dialog(&notebooks);
    QCOMPARE(dialog.size(), QSize(319, 115));
    QCOMPARE(dialog.edtNome->text(), QStringLiteral("Casa"));
    QTimer::singleShot(0, &dialog, [&] {
        dialog.edtNome->selectAll();
        QTest::keyClicks(dialog.edtNome, QStringLiteral("Escritorio"));
        QTest::keyClick(dialog.edtNome, Qt::Key_Return); // OK is the default button
        if (dialog.isVisible())
            dialog.done(-1);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(notebooks.value(QStringLiteral("NAME")).toString(), QStringLiteral("Escritorio"));
    notebooks.post();
    QCOMPARE(db.scalar(QStringLiteral("SELECT NAME FROM CADERNO")).toString(), QStringLiteral("Escritorio"));
}

void TestNotebookDialog::cancelRejectsAndNameIsLimited()
{
    NotebookBeingEdited f;
    TestDatabase &db = f.db;
    DataSet &notebooks = f.notebooks;

    TfrmNovoCaderno dialog(&notebooks);
    QTimer::singleShot(0, &dialog, [&] {
        dialog.edtNome->clear();
        QTest::keyClicks(dialog.edtNome, QString(60, QLatin1Char('x')));
        dialog.findChild<QPushButton *>(QStringLiteral("btCancelar"))->click();
        if (dialog.isVisible())
            dialog.done(-1);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(dialog.edtNome->text().size(), 50);
    notebooks.cancel();
    QCOMPARE(notebooks.value(QStringLiteral("NAME")).toString(), QStringLiteral("Casa"));
    QCOMPARE(db.scalar(QStringLiteral("SELECT NAME FROM CADERNO")).toString(), QStringLiteral("Casa"));
}

ORBILANE_GUI_TEST_MAIN(TestNotebookDialog)
#include "tst_notebookdialog.moc"
