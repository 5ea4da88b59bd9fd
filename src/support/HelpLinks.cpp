#include "HelpLinks.h"

#include "FAbout.h"
#include "ProgramIdentity.h"
#include "Shell.h"

HelpLinks::HelpLinks(Destinations destinations, Shell &shell, QString programFilesDir)
    : m_destinations(std::move(destinations))
    , m_shell(shell)
    , m_programFilesDir(std::move(programFilesDir))
{
}

QString HelpLinks::helpFilePath() const
{
    return m_programFilesDir + QStringLiteral("/help/Bidbench_help.htm");
}

QString HelpLinks::talvexHomePage() const
{
    return QStringLiteral("http://") + m_destinations.talvexWebHost + QStringLiteral("?bidbench");
}

QString HelpLinks::talvexOnline() const
{
    return QStringLiteral("http://") + m_destinations.serviceHost;
}

QString HelpLinks::feedbackMail() const
{
    return QStringLiteral("mailto:") + m_destinations.serviceHelpEmail + QStringLiteral("?subject= ")
           + ProgramIdentity::title() + QLatin1Char(' ') + helpMailVersion();
}

QString HelpLinks::joinListMail() const
{
    return QStringLiteral("mailto:") + m_destinations.infoEmail
           + QStringLiteral("?subject=Subscribe List REF: ") + ProgramIdentity::title()
           + QLatin1Char(' ') + helpMailVersion();
}

QString HelpLinks::makerHomePage() const
{
    return QStringLiteral("http://") + m_destinations.makerWebHost + QStringLiteral("?bidbench");
}

QString HelpLinks::talvexWebSite() const
{
    return QStringLiteral("http://") + m_destinations.talvexWebHost;
}

void HelpLinks::About(QWidget *parent) const
{
    FAbout about(*this, parent);
    about.exec();
}

void HelpLinks::open(const QString &target) const
{
    m_shell.open(target);
}
