#include "platform/ui/appstyle.h"
#include "platform/ui/ribbon.h"
#include "platform/ui/searchbox.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

struct ActionRow {
    const char *name;
    const char *text;
    const char *icon;
    const char *toolTip;
    bool checkable;
};

const ActionRow mainBarActions[] = {
    {"actionNewTask", "Nova", "document-new", "Nova tarefa (Ctrl+N)", false},
    {"actionEditTask", "Editar", "document-edit", "Editar a tarefa selecionada", false},
    // the sub-group separator goes here
    {"actionShowDone", "Concluídas", "task-complete", "Mostrar as tarefas concluídas", true},
    {"actionPreview", "Visualizar", "document-preview", "Painel de visualização", true},
};
constexpr int separatorAfter = 2;

QAction *makeAction(const ActionRow &row, QObject *parent)
{
    auto *action = new QAction(QIcon::fromTheme(QLatin1String(row.icon)), QString::fromUtf8(row.text), parent);
    action->setObjectName(QLatin1String(row.name));
    action->setToolTip(QString::fromUtf8(row.toolTip));
    action->setCheckable(row.checkable);
    return action;
}

int xIn(QWidget *w, QWidget *window)
{
    return w->mapTo(window, QPoint(0, 0)).x();
}

bool isInside(QWidget *w, QWidget *ancestor)
{
    for (; w; w = w->parentWidget()) {
        if (w == ancestor)
            return true;
    }
    return false;
}

// A main window with a ribbon like the program's: one tab, one group.
struct RibbonWindow {
    QMainWindow window;
    Ribbon *ribbon = new Ribbon;
    RibbonGroup *group = nullptr;
    QList<QAction *> actions;

    RibbonWindow()
    {
        window.setMenuWidget(ribbon);
        window.setCentralWidget(new QTextEdit);
        group = ribbon->addTab(QStringLiteral("Página Inicial"))->addGroup(QStringLiteral("Barra Principal"));
        for (int i = 0; i < int(std::size(mainBarActions)); ++i) {
            if (i == separatorAfter)
                group->addSeparator();
            actions.append(makeAction(mainBarActions[i], &window));
            group->addLargeButton(actions.last());
        }
        window.resize(900, 600);
    }
    QToolButton *button(const char *name) const { return window.findChild<QToolButton *>(QLatin1String(name)); }
};

} // namespace

class TestRibbon : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        applyAppStyle(*static_cast<QApplication *>(QCoreApplication::instance()));
    }

    void appStyleProvidesBreezeIconsPaletteAndFonts()
    {
        // Applying twice must leave the theme working.
        QVERIFY(registerBreezeIcons());
        QCOMPARE(QIcon::themeName(), QStringLiteral("breeze"));
        for (const char *name : {"document-new", "edit-find", "go-previous", "application-exit"}) {
            const QIcon icon = QIcon::fromTheme(QLatin1String(name));
            QVERIFY2(!icon.isNull(), name);
            const QImage image = icon.pixmap(QSize(32, 32)).toImage();
            QVERIFY2(!image.isNull() && image.width() > 0, name);
            bool inked = false;
            for (int y = 0; y < image.height() && !inked; ++y) {
                for (int x = 0; x < image.width() && !inked; ++x)
                    inked = qAlpha(image.pixel(x, y)) > 128;
            }
            QVERIFY2(inked, name);
        }

        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        const QPalette palette = QApplication::palette();
        QCOMPARE(palette.color(QPalette::Active, QPalette::Highlight), QColor(0, 114, 198));
        QCOMPARE(palette.color(QPalette::Inactive, QPalette::Highlight), QColor(204, 228, 247));
        QVERIFY(palette.color(QPalette::Window).lightness() > 200);
        QVERIFY(palette.color(QPalette::Text).lightness() < 60);

        const QString family = uiFontFamily();
        if (QFontDatabase::families().contains(QStringLiteral("Segoe UI")))
            QCOMPARE(family, QStringLiteral("Segoe UI"));
        else
            QVERIFY2(family == QLatin1String("Noto Sans") || family == QLatin1String("DejaVu Sans"), qPrintable(family));
        const QFontInfo appFont(QApplication::font());
        QCOMPARE(appFont.family(), family); // really installed, not substituted
        QCOMPARE(appFont.pointSize(), 9);

        for (bool bold : {false, true}) {
            const QFont arial = arialFont(12, bold);
            const QFontInfo info(arial);
            QVERIFY2(info.family() == QLatin1String("Arial") || info.family() == QLatin1String("Liberation Sans"),
                     qPrintable(info.family()));
            QCOMPARE(info.bold(), bold);
            QCOMPARE(info.pointSize(), 12);
        }
    }

    void largeButtonsShowTheirActionsInOrder()
    {
        RibbonWindow w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));

        QCOMPARE(w.ribbon->tabBar()->count(), 1);
        QCOMPARE(w.ribbon->tabBar()->tabText(0), QStringLiteral("Página Inicial"));

        int previousX = -1;
        QToolButton *first = nullptr;
        for (int i = 0; i < int(std::size(mainBarActions)); ++i) {
            const ActionRow &row = mainBarActions[i];
            QToolButton *button = w.button(row.name);
            QVERIFY2(button, row.name);
            QVERIFY(button->isVisible());
            QCOMPARE(button->text(), QString::fromUtf8(row.text));
            QCOMPARE(button->toolTip(), QString::fromUtf8(row.toolTip));
            QVERIFY(!button->icon().isNull());
            QCOMPARE(button->iconSize(), QSize(32, 32));
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            QCOMPARE(button->isCheckable(), row.checkable);
            QVERIFY2(xIn(button, &w.window) > previousX, row.name);
            previousX = xIn(button, &w.window);
            if (!first)
                first = button;
        }

        auto *separator = w.window.findChild<QFrame *>(QStringLiteral("ribbonSubGroupSeparator"));
        QVERIFY(separator && separator->isVisible());
        QVERIFY(xIn(separator, &w.window) > xIn(w.button(mainBarActions[separatorAfter - 1].name), &w.window));
        QVERIFY(xIn(separator, &w.window) < xIn(w.button(mainBarActions[separatorAfter].name), &w.window));

        auto *title = w.group->findChild<QLabel *>(QStringLiteral("ribbonGroupTitle"));
        QVERIFY(title && title->isVisible());
        QCOMPARE(title->text(), QStringLiteral("Barra Principal"));
        QVERIFY(title->mapTo(&w.window, QPoint(0, 0)).y() >= first->mapTo(&w.window, QPoint(0, first->height())).y());

        QSignalSpy triggered(w.actions.first(), &QAction::triggered);
        QTest::mouseClick(first, Qt::LeftButton);
        QCOMPARE(triggered.count(), 1);
    }

    void toggleButtonsAndActionsStayInStep()
    {
        RibbonWindow w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QAction *action = w.actions[separatorAfter];
        QToolButton *button = w.button(mainBarActions[separatorAfter].name);

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(action->isChecked());
        QVERIFY(button->isChecked());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!action->isChecked());
        QVERIFY(!button->isChecked());

        action->setChecked(true);
        QVERIFY(button->isChecked());
        action->setEnabled(false);
        QVERIFY(!button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(action->isChecked());
        action->setVisible(false);
        QVERIFY(button->isHidden());
        action->setVisible(true);
        QVERIFY(!button->isHidden());
    }

    void menuButtonsDropTheirMenuInsteadOfTriggering()
    {
        RibbonWindow w;
        QMenu menu;
        menu.addAction(QStringLiteral("Por data"));
        QAction sortWithCaption(QIcon::fromTheme(QStringLiteral("view-sort-ascending")), QStringLiteral("Ordenar"));
        sortWithCaption.setObjectName(QStringLiteral("actionSort"));
        QAction sortIconOnly(QIcon::fromTheme(QStringLiteral("view-filter")), QStringLiteral("Filtrar"));
        sortIconOnly.setObjectName(QStringLiteral("actionFilter"));
        QToolButton *withCaption = w.group->addMenuButton(&sortWithCaption, &menu, false);
        QToolButton *iconOnly = w.group->addMenuButton(&sortIconOnly, &menu, true);
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));

        QCOMPARE(withCaption->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(iconOnly->toolButtonStyle(), Qt::ToolButtonIconOnly);
        for (QToolButton *button : {withCaption, iconOnly}) {
            QCOMPARE(button->menu(), &menu);
            QCOMPARE(button->iconSize(), QSize(32, 32));
            QSignalSpy triggered(button->defaultAction(), &QAction::triggered);
            bool menuShown = false;
            QTimer::singleShot(0, &menu, [&] {
                menuShown = menu.isVisible();
                menu.close();
            });
            QTest::mouseClick(button, Qt::LeftButton);
            QTRY_VERIFY(!menu.isVisible());
            QVERIFY2(menuShown, qPrintable(button->objectName()));
            QCOMPARE(triggered.count(), 0);
        }
        QCOMPARE(w.button("actionSort"), withCaption);
    }

    void appMenuCoversTheWholeWindowAndCloses()
    {
        RibbonWindow w;
        RibbonAppMenu *menu = w.ribbon->appMenu();
        auto *usersPage = new QLabel(QStringLiteral("Usuários cadastrados"));
        usersPage->setObjectName(QStringLiteral("usersPage"));
        auto *aboutPage = new QLabel(QStringLiteral("Sobre o programa"));
        menu->addPage(QStringLiteral("Usuários"), usersPage);
        menu->addPage(QStringLiteral("Sobre"), aboutPage);
        QAction exitAction(QStringLiteral("Sair"));
        exitAction.setObjectName(QStringLiteral("actionExit"));
        QPushButton *exitButton = menu->addCommand(&exitAction);
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QVERIFY(!menu->isOpen());

        QSignalSpy opened(menu, &RibbonAppMenu::opened);
        QSignalSpy closed(menu, &RibbonAppMenu::closed);
        auto *appButton = w.window.findChild<QToolButton *>(QStringLiteral("ribbonAppButton"));
        QVERIFY(appButton);
        QCOMPARE(appButton->text(), QStringLiteral("Arquivo"));

        const auto openAndCheckCover = [&] {
            QTest::mouseClick(appButton, Qt::LeftButton);
            QVERIFY(menu->isOpen());
            QVERIFY(menu->isVisible());
            QCOMPARE(menu->parentWidget(), &w.window);
            QCOMPARE(menu->geometry(), w.window.rect());
            // In front of both the ribbon and the content.
            for (QWidget *below : {static_cast<QWidget *>(appButton), w.window.centralWidget()}) {
                const QPoint centre = below->mapTo(&w.window, below->rect().center());
                QVERIFY(isInside(w.window.childAt(centre), menu));
            }
            // The first page is the one showing each time the menu opens.
            QVERIFY(usersPage->isVisible());
            QVERIFY(!aboutPage->isVisible());
        };

        openAndCheckCover();
        QCOMPARE(opened.count(), 1);
        auto *aboutButton = menu->findChild<QPushButton *>(QStringLiteral("ribbonAppMenuPage1"));
        QVERIFY(aboutButton);
        QCOMPARE(aboutButton->text(), QStringLiteral("Sobre"));
        QVERIFY(menu->findChild<QPushButton *>(QStringLiteral("usersPagePageButton")));
        QTest::mouseClick(aboutButton, Qt::LeftButton);
        QVERIFY(aboutPage->isVisible());
        QVERIFY(!usersPage->isVisible());

        w.window.resize(1000, 700);
        QTRY_COMPARE(menu->geometry(), w.window.rect());

        auto *back = menu->findChild<QToolButton *>(QStringLiteral("ribbonAppMenuBack"));
        QVERIFY(back);
        QTest::mouseClick(back, Qt::LeftButton);
        QVERIFY(!menu->isOpen());
        QVERIFY(!menu->isVisible());
        QCOMPARE(closed.count(), 1);
        QVERIFY(!isInside(w.window.childAt(w.window.centralWidget()->mapTo(&w.window, QPoint(5, 5))), menu));

        // Esc closes it and the focus goes back where it was, not to the next in the chain.
        auto *otherEditor = new QLineEdit(w.window.centralWidget());
        otherEditor->show();
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.window.centralWidget()->setFocus();
        QCOMPARE(QApplication::focusWidget(), w.window.centralWidget());
        openAndCheckCover();
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(isInside(focused, menu));
        QTest::keyClick(focused, Qt::Key_Escape);
        QVERIFY(!menu->isOpen());
        QCOMPARE(closed.count(), 2);
        QCOMPARE(QApplication::focusWidget(), w.window.centralWidget());

        // A command closes the menu before its action runs.
        openAndCheckCover();
        QCOMPARE(exitButton->objectName(), QStringLiteral("actionExit"));
        QCOMPARE(exitButton->text(), QStringLiteral("Sair"));
        bool openWhenTriggered = true;
        connect(&exitAction, &QAction::triggered, menu, [&] { openWhenTriggered = menu->isOpen(); });
        QTest::mouseClick(exitButton, Qt::LeftButton);
        QVERIFY(!openWhenTriggered);
        QVERIFY(!menu->isOpen());
        exitAction.setEnabled(false);
        QVERIFY(!exitButton->isEnabled());
    }

    void searchBoxHasANamedSearchButtonAndLeavesKeysToItsOwner()
    {
        QWidget host;
        auto *box = new SearchBox(&host);
        box->setObjectName(QStringLiteral("taskSearch"));
        box->setFixedWidth(353);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));

        auto *action = box->findChild<QAction *>(QStringLiteral("taskSearchButton"));
        QVERIFY(action);
        QCOMPARE(action, box->searchAction());
        QVERIFY(!action->icon().isNull());
        QCOMPARE(box->width(), 353);

        // The trailing button really sits at the right end and clicking it reports.
        QToolButton *shownButton = nullptr;
        const auto toolButtons = box->findChildren<QToolButton *>();
        for (QToolButton *b : toolButtons) {
            if (b->defaultAction() == action)
                shownButton = b;
        }
        QVERIFY(shownButton && shownButton->isVisible());
        QVERIFY(shownButton->geometry().center().x() > box->width() / 2);
        QSignalSpy clicked(box, &SearchBox::buttonClicked);
        QTest::mouseClick(shownButton, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);

        bool ownerHandlesEnter = true;
        int enterSeen = 0;
        connect(box, &SearchBox::keyPressed, box, [&](QKeyEvent *event, bool &handled) {
            if (event->key() == Qt::Key_Return) {
                ++enterSeen;
                handled = ownerHandlesEnter;
            }
        });
        QSignalSpy returnPressed(box, &QLineEdit::returnPressed);
        QTest::keyClicks(box, QStringLiteral("reuniao"));
        QCOMPARE(box->text(), QStringLiteral("reuniao"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(enterSeen, 1);
        QCOMPARE(returnPressed.count(), 0);
        ownerHandlesEnter = false;
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(enterSeen, 2);
        QCOMPARE(returnPressed.count(), 1);
        QCOMPARE(box->text(), QStringLiteral("reuniao"));
    }
};

QTEST_MAIN(TestRibbon)
#include "tst_ribbon.moc"
