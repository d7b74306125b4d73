#include "mainwindow/ribbonimages.h"

#include <QHash>
#include <QStringList>

namespace {

// Several candidate theme names per picture: the first one the theme has wins.
QIcon fromCandidates(const QStringList &names)
{
    for (const QString &name : names) {
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    return {};
}

} // namespace

namespace images {

QIcon ribbon(int index)
{
    static const QHash<int, QStringList> names = {
        {0, {"document-new"}},                                   // a document with a plus
        {1, {"document-edit", "edit-entry"}},                    // a document with a pencil
        {2, {"dialog-cancel", "edit-delete"}},                   // a cancel symbol
        {3, {"media-playback-start"}},                           // play
        {4, {"media-playback-pause"}},                           // pause
        {5, {"dialog-ok-apply", "dialog-ok"}},                   // an OK mark
        {6, {"folder-documents", "folder-open", "archive-insert"}}, // an open folder with a document
        {7, {"flag", "flag-red"}},                               // a flag
        {8, {"flag-blue"}},                                      // a blue flag
        {10, {"flag-green"}},                                    // a green flag
        {36, {"view-readermode", "document-preview", "help-contents"}}, // an open book
        {39, {"arrow-down", "go-down"}},                         // low priority
        {40, {"flag-yellow", "emblem-important"}},               // medium priority
        {41, {"emblem-important", "dialog-warning"}},            // high priority
        {42, {"go-home", "help-contents"}},                      // the "Início" menu
        {43, {"help-contents", "system-help"}},                  // support
        {47, {"application-pdf", "x-office-document"}},          // the manual
        {48, {"help-about", "dialog-information"}},              // about
    };
    static QHash<int, QIcon> cache;
    auto it = cache.find(index);
    if (it == cache.end())
        it = cache.insert(index, fromCandidates(names.value(index)));
    return it.value();
}

QIcon notebook(int index)
{
    static QHash<int, QIcon> cache;
    auto it = cache.find(index);
    if (it != cache.end())
        return it.value();
    QStringList names;
    if (index == 14)
        names = {"go-home", "user-home"};
    else if (index == 15)
        names = {"x-office-address-book", "address-book-new", "contact-new"};
    else
        names = {"folder"};
    return cache.insert(index, fromCandidates(names)).value();
}

int notebookCount()
{
    return 16;
}

} // namespace images
