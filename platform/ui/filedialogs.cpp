#include "platform/ui/filedialogs.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {

struct State {
    QList<QStringList> answers;
    QStringList shown;
    bool neverBlock = false;
};

State &state()
{
    static State s;
    return s;
}

// Returns true with the queued answer in `answer` when the chooser must not be shown.
bool answeredWithoutWindow(const QString &caption, QStringList &answer)
{
    State &s = state();
    s.shown.append(caption);
    if (!s.answers.isEmpty()) {
        answer = s.answers.takeFirst();
        return true;
    }
    if (s.neverBlock) {
        qWarning("FileDialogs: no answer queued for \"%s\"; answering cancelled without showing it",
                 qUtf8Printable(caption));
        answer.clear();
        return true;
    }
    return false;
}

} // namespace

QStringList FileDialogs::getOpenFileNames(QWidget *parent, const QString &caption, const QString &filter)
{
    QStringList answer;
    if (answeredWithoutWindow(caption, answer))
        return answer;
    return QFileDialog::getOpenFileNames(parent, caption, QString(), filter);
}

QString FileDialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                     const QString &suggestedName)
{
    QStringList answer;
    if (answeredWithoutWindow(caption, answer))
        return answer.value(0);

    QFileDialog dialog(parent, caption, suggestedName, filter);
    dialog.setObjectName(QStringLiteral("saveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffixOf(filter));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString FileDialogs::getExistingDirectory(QWidget *parent, const QString &caption)
{
    QStringList answer;
    if (answeredWithoutWindow(caption, answer))
        return answer.value(0);
    return QFileDialog::getExistingDirectory(parent, caption);
}

QString FileDialogs::defaultSuffixOf(const QString &filter)
{
    QString patterns = filter.section(QStringLiteral(";;"), 0, 0);
    const qsizetype open = patterns.indexOf(QLatin1Char('('));
    if (open >= 0)
        patterns = patterns.mid(open + 1).section(QLatin1Char(')'), 0, 0);
    const QString first = patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0);
    static const QRegularExpression plainExtension(QStringLiteral(R"(^\*\.([A-Za-z0-9_]+)$)"));
    return plainExtension.match(first).captured(1);
}

void FileDialogs::setNextPaths(const QStringList &paths)
{
    state().answers.append(paths);
}

void FileDialogs::setNextPath(const QString &path)
{
    state().answers.append(path.isEmpty() ? QStringList() : QStringList{path});
}

bool FileDialogs::hasPendingAnswers()
{
    return !state().answers.isEmpty();
}

QStringList FileDialogs::shownCaptions()
{
    return state().shown;
}

void FileDialogs::resetForTest()
{
    state().answers.clear();
    state().shown.clear();
}

void FileDialogs::setNeverBlock(bool on)
{
    state().neverBlock = on;
}
