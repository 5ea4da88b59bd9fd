#include "CStartStatus.h"

#include "CError.h"
#include "FUpdateVersion.h"
#include "FWebBrowse.h"
#include "MdWebCon.h"
#include "ProgramEnd.h"
#include "ProgramIdentity.h"

#include <QMessageBox>

#include <exception>

namespace {
const QString kObjectName = QStringLiteral("oStartStatus");

// Error 5 is what taking a substring of negative length raises.
RaisedError invalidCall()
{
    return RaisedError(5, QStringLiteral("Invalid procedure call or argument"));
}

// The text between the first opening tag and the first closing tag, both searched from the
// start of the text. Unreadable when the closing tag is missing or stands before the end of
// the opening tag, where the value's length would be negative.
struct Tagged
{
    enum State { Missing, Found, Unreadable } state;
    QString value;
};

Tagged taggedValue(const QString &text, QLatin1String open, QLatin1String close)
{
    const qsizetype openAt = text.indexOf(open);
    if (openAt < 0)
        return {Tagged::Missing, {}};
    const qsizetype start = openAt + open.size();
    const qsizetype closeAt = text.indexOf(close);
    if (closeAt < start)
        return {Tagged::Unreadable, {}};
    return {Tagged::Found, text.mid(start, closeAt - start)};
}

// A status text this short cannot hold an item worth reading.
constexpr qsizetype kMinStatusLength = 21;

// An unexpected failure (out of memory, say) passed on as a trapped error of that procedure.
RaisedError unexpectedFailure(const QString &procedure, const std::exception &error)
{
    return RaisedError::wrap(kObjectName + procedure, RaisedError(51, QString::fromLocal8Bit(error.what())));
}
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
    m_sngVersion = float(ProgramIdentity::kVersionMajor) + float(ProgramIdentity::kVersionMinor) / 10.0f;
}

QString CStartStatus::Version() const { return ProgramIdentity::versionText(); }

QString CStartStatus::versionCheckURL() const
{
    return QStringLiteral("http://") + m_destinations.makerWebHost
           + QStringLiteral("/version/versioncheck.asp") + QStringLiteral("?app=")
           + ProgramIdentity::title() + QStringLiteral("&version=") + Version()
           + QStringLiteral("&appclass=") + QString::number(lAppClass) + QStringLiteral("&language=");
}

std::optional<RaisedError> CStartStatus::CheckVersion()
{
    try {
        MdWebCon *connection = m_makeConnection(this); // throws when it cannot be made
        ReleaseWebConnection();
        m_oWebConnection = connection;
        connect(m_oWebConnection, &MdWebCon::AsynchResponse, this,
                &CStartStatus::m_oWebConnection_AsynchResponse);
        m_oWebConnection->AsynchRequest(versionCheckURL());
    } catch (const std::exception &error) {
        return unexpectedFailure(QStringLiteral(".Check"), error);
    }
    return std::nullopt;
}

void CStartStatus::m_oWebConnection_AsynchResponse(int Response, const QString &HTML)
{
    OnVersionCheckAsynchResponse(Response, HTML);
}

void CStartStatus::OnVersionCheckAsynchResponse(int Response, const QString &HTML)
{
    if (Response != MdWebCon::ResponseComplete)
        return;
    if (const std::optional<RaisedError> error = CheckVersionPage(HTML))
        m_errors.Alert(kObjectName + QStringLiteral(".OnVersionCheckAsynchResponse\r\n")
                       + error->description());
}

std::optional<RaisedError> CStartStatus::CheckVersionPage(const QString &sAnswer)
{
    try {
        // Versions below the cutoff used an older answer format that this one never reads.
        if (m_sngVersion >= sngCutoffVersion) {
            if (const std::optional<RaisedError> error = ReadTaggedAnswer(sAnswer, m_answer))
                return RaisedError::wrap(kObjectName + QStringLiteral(".CheckVersionPage"), *error);
        }
        ShowVersionCheckResult();
    } catch (const std::exception &error) {
        return unexpectedFailure(QStringLiteral(".CheckVersionPage"), error);
    }
    if (!m_bShutDown)
        emit DoneChecking();
    return std::nullopt;
}

std::optional<RaisedError> CStartStatus::ReadTaggedAnswer(const QString &sAnswer, VersionAnswer &into)
{
    const Tagged status = taggedValue(sAnswer, QLatin1String("<status>"), QLatin1String("</status>"));
    if (status.state == Tagged::Unreadable)
        return invalidCall();
    if (status.state == Tagged::Missing || status.value.size() < kMinStatusLength)
        return std::nullopt;

    // In this order; the first unreadable item ends the reading.
    const auto read = [&status](QLatin1String open, QLatin1String close, auto store) {
        const Tagged item = taggedValue(status.value, open, close);
        if (item.state == Tagged::Found)
            store(item.value);
        return item.state != Tagged::Unreadable;
    };
    const bool readable =
        read(QLatin1String("<newversion>"), QLatin1String("</newversion>"),
             [&into](const QString &flag) { ParseFlag(flag, into.bIsNewVersion); })
        && read(QLatin1String("<updateurl>"), QLatin1String("</updateurl>"),
                [&into](const QString &url) { into.sUpdateURL = url; })
        && read(QLatin1String("<message>"), QLatin1String("</message>"),
                [&into](const QString &message) { into.sMessage = message; });
    if (!readable)
        return invalidCall();
    return std::nullopt;
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
