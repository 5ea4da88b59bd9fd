#pragma once

#include "Destinations.h"

#include <QString>

class QWidget;
class Shell;

// The program's ways out to its help page, web pages and e-mail: what the Help menu, the link
// labels and the About box hand to the desktop.
class HelpLinks
{
public:
    HelpLinks(Destinations destinations, Shell &shell, QString programFilesDir);

    // The fixed version the help e-mails have always carried.
    static QString helpMailVersion() { return QStringLiteral("1.2.0"); }

    QString helpFilePath() const;       // <program files>/help/Bidbench_help.htm
    QString talvexHomePage() const;     // "http://" Talvex web host "?bidbench"
    QString talvexOnline() const;       // "http://" service host
    QString feedbackMail() const;       // help address, subject " Talvex Bidbench 1.2.0"
    QString joinListMail() const;       // info address, "Subscribe List REF: ..."
    QString makerHomePage() const;      // "http://" maker's web host "?bidbench"
    QString talvexWebSite() const;      // "http://" Talvex web host

    // Help menu items, in menu order, and the main window's link label.
    void Contents() const { open(helpFilePath()); }
    void MardellHomePage() const { open(talvexHomePage()); }
    void TalvexOnline() const { open(talvexOnline()); }
    void Feedback() const { open(feedbackMail()); }
    void JoinList() const { open(joinListMail()); }
    void MakerLabel() const { open(makerHomePage()); }
    // Help > About: a new About box, modal.
    void About(QWidget *parent) const;

    const Destinations &destinations() const { return m_destinations; }
    Shell &shell() const { return m_shell; }

private:
    void open(const QString &target) const;

    Destinations m_destinations;
    Shell &m_shell;
    QString m_programFilesDir;
};
