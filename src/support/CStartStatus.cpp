#include "CStartStatus.h"

#include "CError.h"
#include "FUpdateVersion.h"
#include "FWebBrowse.h"
#include "MdWebCon.h"
#include "ProgramEnd.h"
#include "ProgramInfo.h"
#include "RaisedError.h"

#include <QMessageBox>

namespace {
const QString kObjectName = QStringLiteral("oStartStatus");

// Error 5 is what taking a substring of negative length raises.
RaisedError invalidCall()
{
    return RaisedError(5, QStringLiteral("Invalid procedure call or argument"));
}

// The text between the first opening tag and the first closing tag, both searched from the
// start of the text. Empty and *found false when the opening tag is missing; raises error 5
// when the closing tag is missing or stands before the end of the opening tag.
QString taggedValue(const QString &text, const QString &open, const QString &close, bool *found)
{
    const qsizetype openAt = text.indexOf(open);
    *found = openAt >= 0;
    if (!*found)
        return QString();
    const qsizetype start = openAt + open.size();
    const qsizetype closeAt = text.indexOf(close);
    if (closeAt < start)
        throw invalidCall(); // also when closeAt is -1 (missing)
    return text.mid(start, closeAt - start);
}

// A status text this short cannot hold an item worth reading.
constexpr qsizetype kMinStatusLength = 21;
} // namespace

CStartStatus::CStartStatus(CError &errors, Shell &shell, Destinations destinations, QObject *parent)
    : QObject(parent)
    , m_errors(errors)
    , m_shell(shell)
    , m_destinations(std::move(destinations))
    , m_makeConnection([](QObject *owner) { return new MdWebCon(owner); })
    , m_endProgram([] { ProgramEnd::instance().endNow(); })
{
}

CStartStatus::~CStartStatus()
{
    ReleaseWebConnection();
}

void CStartStatus::Initialize(long appClass, float cutoffVersion)
{
    lAppClass = appClass;
    sngCutoffVersion = cutoffVersion;
    m_sngVersion = float(ProgramInfo::versionMajor()) + float(ProgramInfo::versionMinor()) / 10.0f;
}

QString CStartStatus::Version() const { return ProgramInfo::versionText(); }
QString CStartStatus::VersionMajor() const { return QString::number(ProgramInfo::versionMajor()); }
QString CStartStatus::VersionMinor() const { return QString::number(ProgramInfo::versionMinor()); }
QString CStartStatus::VersionRevision() const { return QString::number(ProgramInfo::versionRevision()); }

QString CStartStatus::versionCheckURL() const
{
    return QStringLiteral("http://") + m_destinations.makerWebHost
           + QStringLiteral("/version/versioncheck.asp") + QStringLiteral("?app=")
           + ProgramInfo::appTitle() + QStringLiteral("&version=") + Version()
           + QStringLiteral("&appclass=") + QString::number(lAppClass) + QStringLiteral("&language=");
}

void CStartStatus::CheckVersion()
{
    try {
        MdWebCon *connection = m_makeConnection(this);
        if (!connection)
            throw RaisedError(429, QStringLiteral("Can't create object"));
        ReleaseWebConnection();
        m_oWebConnection = connection;
        connect(m_oWebConnection, &MdWebCon::AsynchResponse, this,
                &CStartStatus::m_oWebConnection_AsynchResponse);
        m_oWebConnection->AsynchRequest(versionCheckURL());
    } catch (const RaisedError &error) {
        throw RaisedError::wrap(kObjectName + QStringLiteral(".Check"), error);
    } catch (const std::exception &error) {
        throw RaisedError::wrap(kObjectName + QStringLiteral(".Check"), 51,
                                QString::fromLocal8Bit(error.what()));
    }
}

void CStartStatus::m_oWebConnection_AsynchResponse(int Response, const QString &HTML)
{
    OnVersionCheckAsynchResponse(Response, HTML);
}

void CStartStatus::OnVersionCheckAsynchResponse(int Response, const QString &HTML)
{
    try {
        if (Response == MdWebCon::ResponseComplete)
            CheckVersionPage(HTML);
    } catch (const RaisedError &error) {
        m_errors.Alert(kObjectName + QStringLiteral(".OnVersionCheckAsynchResponse") +
                       QStringLiteral("\r\n") + error.description());
    }
}

void CStartStatus::CheckVersionPage(const QString &sAnswer)
{
    try {
        // Versions below the cutoff used an older answer format that this one never reads.
        if (m_sngVersion >= sngCutoffVersion)
            ReadTaggedAnswer(sAnswer, m_answer);
        ShowVersionCheckResult();
    } catch (const RaisedError &error) {
        throw RaisedError::wrap(kObjectName + QStringLiteral(".CheckVersionPage"), error);
    } catch (const std::exception &error) {
        throw RaisedError::wrap(kObjectName + QStringLiteral(".CheckVersionPage"), 51,
                                QString::fromLocal8Bit(error.what()));
    }
    if (!m_bShutDown)
        emit DoneChecking();
}

void CStartStatus::ReadTaggedAnswer(const QString &sAnswer, VersionAnswer &into)
{
    bool found = false;
    const QString status = taggedValue(sAnswer, QStringLiteral("<status>"),
                                       QStringLiteral("</status>"), &found);
    if (!found || status.size() < kMinStatusLength)
        return;

    const QString flag = taggedValue(status, QStringLiteral("<newversion>"),
                                     QStringLiteral("</newversion>"), &found);
    if (found)
        ParseFlag(flag, into.bIsNewVersion);
    const QString url = taggedValue(status, QStringLiteral("<updateurl>"),
                                    QStringLiteral("</updateurl>"), &found);
    if (found)
        into.sUpdateURL = url;
    const QString message = taggedValue(status, QStringLiteral("<message>"),
                                        QStringLiteral("</message>"), &found);
    if (found)
        into.sMessage = message;
}

void CStartStatus::ParseFlag(const QString &sText, bool &bFlag)
{
    if (sText == QLatin1String("1"))
        bFlag = true;
}

void CStartStatus::ShowVersionCheckResult()
{
    if (m_answer.bIsNewVersion) {
        bool isUpdate = false;
        {
            FUpdateVersion offer;
            offer.Initialize(QStringLiteral("New Version Available."), m_answer.sMessage);
            offer.exec();
            isUpdate = offer.IsUpdate();
        }
        if (!isUpdate)
            return;
        if (!FWebBrowse::isWebAddress(m_answer.sUpdateURL)) {
            // Nothing would be fetched: ending now would leave the user with no program at all.
            QMessageBox refused(QMessageBox::Warning, QStringLiteral("Download update"),
                                QStringLiteral("The address of the setup file could not be used:\n%1\n\n"
                                               "Please fetch the new version from %2.")
                                    .arg(m_answer.sUpdateURL, m_destinations.makerWebHost),
                                QMessageBox::Ok);
            refused.setTextFormat(Qt::PlainText);
            refused.exec();
            return;
        }

        QMessageBox download(QMessageBox::NoIcon, QStringLiteral("Download update"),
                             QStringLiteral("A setup file will now be retrieved from the internet.\r\n"
                                            "Please choose 'Open' when you are prompted."),
                             QMessageBox::Ok);
        download.setTextFormat(Qt::PlainText);
        download.exec();

        FWebBrowse(m_shell).OpenBrower(m_answer.sUpdateURL);
        m_bShutDown = true;
        m_endProgram();
        return;
    }

    if (!m_answer.sMessage.isEmpty()) {
        QMessageBox message(QMessageBox::NoIcon, QStringLiteral("Mardell Message"),
                            m_answer.sMessage, QMessageBox::Ok);
        message.setTextFormat(Qt::PlainText);
        message.exec();
    }
}

void CStartStatus::ReleaseWebConnection()
{
    if (!m_oWebConnection)
        return;
    m_oWebConnection->disconnect(this);
    m_oWebConnection->CloseConnection();
    delete m_oWebConnection;
    m_oWebConnection = nullptr;
}
