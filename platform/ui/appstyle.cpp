#include "platform/ui/appstyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QPalette>
#include <QResource>
#include <QStyleFactory>
#include <QToolTip>

namespace {

const char breezeResourceFile[] = "/usr/share/icons/breeze/breeze-icons.rcc";

// The resource file keeps the theme at its root (":/index.theme"); mapping it under
// /icons/breeze makes ":/icons" a theme search path holding a theme named "breeze"
// and keeps it clear of the program's own resources.
const char breezeResourceRoot[] = "/icons/breeze";

bool familyInstalled(const QString &family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

QPalette lightPalette()
{
    const QColor window(243, 243, 243);
    const QColor text(30, 30, 30);
    const QColor disabledText(160, 160, 160);

    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(246, 246, 246));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(253, 253, 253));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Midlight, QColor(234, 234, 234));
    p.setColor(QPalette::Mid, QColor(200, 200, 200));
    p.setColor(QPalette::Dark, QColor(160, 160, 160));
    p.setColor(QPalette::Shadow, QColor(105, 105, 105));
    p.setColor(QPalette::Highlight, accentColor());
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, accentColor());
    p.setColor(QPalette::LinkVisited, QColor(0, 84, 153));
    p.setColor(QPalette::ToolTipBase, Qt::white);
    p.setColor(QPalette::ToolTipText, QColor(87, 87, 87));
    p.setColor(QPalette::PlaceholderText, QColor(118, 118, 118));

    // An unfocused window keeps its selection visible, in the light accent.
    p.setColor(QPalette::Inactive, QPalette::Highlight, lightSelectionColor());
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, text);

    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Disabled, role, disabledText);
    }
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(200, 200, 200));
    p.setColor(QPalette::Disabled, QPalette::HighlightedText, text);
    return p;
}

} // namespace

QColor accentColor()
{
    return QColor(0, 114, 198);
}

QColor lightSelectionColor()
{
    return QColor(204, 228, 247);
}

bool registerBreezeIcons()
{
    static const bool registered =
        QResource::registerResource(QString::fromLatin1(breezeResourceFile), QString::fromLatin1(breezeResourceRoot));
    if (!registered) {
        qWarning("Breeze icons not found at %s; toolbar icons will be missing", breezeResourceFile);
        return false;
    }
    QStringList paths = QIcon::themeSearchPaths();
    const QString ours = QStringLiteral(":/icons");
    paths.removeAll(ours);
    paths.prepend(ours);
    QIcon::setThemeSearchPaths(paths);
    QIcon::setThemeName(QStringLiteral("breeze"));
    return true;
}

QString uiFontFamily()
{
    static const QString family = [] {
        for (const char *candidate : {"Segoe UI", "Noto Sans", "DejaVu Sans"}) {
            if (familyInstalled(QLatin1String(candidate)))
                return QString::fromLatin1(candidate);
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

QFont arialFont(int pointSize, bool bold)
{
    static const QString family = familyInstalled(QStringLiteral("Arial")) || !familyInstalled(QStringLiteral("Liberation Sans"))
                                      ? QStringLiteral("Arial")
                                      : QStringLiteral("Liberation Sans");
    QFont font(family, pointSize);
    font.setBold(bold);
    return font;
}

void applyAppStyle(QApplication &app)
{
    registerBreezeIcons();
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    const QPalette palette = lightPalette();
    app.setPalette(palette);
    QToolTip::setPalette(palette);
    app.setFont(QFont(uiFontFamily(), 9));
}
