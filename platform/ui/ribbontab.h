#pragma once

#include <QList>
#include <QWidget>

class QHBoxLayout;
class RibbonGroup;

// The content of one ribbon tab: its groups from left to right.
class RibbonTab : public QWidget {
    Q_OBJECT
public:
    explicit RibbonTab(const QString &title, QWidget *parent = nullptr);

    QString title() const { return m_title; }
    RibbonGroup *addGroup(const QString &title);
    QList<RibbonGroup *> groups() const { return m_groups; }

private:
    QString m_title;
    QHBoxLayout *m_layout;
    QList<RibbonGroup *> m_groups;
};
