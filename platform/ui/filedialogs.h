#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every file chooser of the program goes through here, so that tests can answer
// them in advance. An empty answer means the user cancelled.
class FileDialogs {
public:
    // filter uses the Qt syntax, e.g. "Documentos RTF (*.rtf);;Todos os arquivos (*)".
    static QStringList getOpenFileNames(QWidget *parent, const QString &caption, const QString &filter);
    // The first pattern of the filter (e.g. "rtf") is appended when the user types a name
    // without an extension. suggestedName preselects a file name or path.
    static QString getSaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                   const QString &suggestedName = QString());
    static QString getExistingDirectory(QWidget *parent, const QString &caption);

    // Test hooks: queue answers (first in, first out) returned without any window.
    static void setNextPaths(const QStringList &paths);
    static void setNextPath(const QString &path);
    static bool hasPendingAnswers();
    // Captions of every chooser asked for, really or answered, since the last reset.
    static QStringList shownCaptions();
    // Clears the queued answers and the log (never-block stays as set).
    static void resetForTest();
    // When on and no answer is queued, a chooser prints a warning and answers
    // "cancelled" instead of waiting for a user who is not there.
    static void setNeverBlock(bool on);

    // "rtf" for "Documentos RTF (*.rtf *.doc);;...", empty when the first pattern has
    // no plain extension.
    static QString defaultSuffixOf(const QString &filter);
};
