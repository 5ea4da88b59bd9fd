#pragma once

#include "Destinations.h"
#include "RaisedError.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class CError;
class MdWebCon;
class Shell;

// The start-status object: asks the maker's server once per run whether a newer version
// exists, offers the update, shows the server's message, and reports its failures.
class CStartStatus : public QObject
{
    Q_OBJECT

public:
    // What an answer says; members keep their values where the answer says nothing.
    struct VersionAnswer
    {
        bool bIsNewVersion = false;
        QString sUpdateURL;
        QString sMessage;
    };

    using ConnectionFactory = std::function<MdWebCon *(QObject *parent)>;

    CStartStatus(CError &errors, Shell &shell, Destinations destinations, QObject *parent = nullptr);
    ~CStartStatus() override;

    void Initialize(long lAppClass, float sngCutoffVersion);

    // Sends the request and returns at once; the error (".Check") when it could not start.
    [[nodiscard]] std::optional<RaisedError> CheckVersion();

    QString Version() const;
    bool ShutDown() const { return m_bShutDown; }

    // The version-check address, built by plain concatenation.
    QString versionCheckURL() const;

    // Reads the answer into the members and shows the result; the error (".CheckVersionPage")
    // when the answer cannot be read, and then nothing is shown.
    [[nodiscard]] std::optional<RaisedError> CheckVersionPage(const QString &sAnswer);

    // The tagged answer format read from version 1.2 on. Error 5 when a value's closing tag is
    // missing or stands before its opening tag; `into` may then be partly filled.
    [[nodiscard]] static std::optional<RaisedError> ReadTaggedAnswer(const QString &sAnswer,
                                                                     VersionAnswer &into);
    static void ParseFlag(const QString &sText, bool &bFlag);

    // Tests replace the connection; production uses MdWebCon.
    void setConnectionFactory(ConnectionFactory factory) { m_makeConnection = std::move(factory); }
    // How the program ends for an accepted update; by default ProgramEnd::endNow.
    void setEndProgram(std::function<void()> endProgram) { m_endProgram = std::move(endProgram); }

    MdWebCon *connection() const { return m_oWebConnection; }

signals:
    void DoneChecking();

private:
    void m_oWebConnection_AsynchResponse(int Response, const QString &HTML);
    void OnVersionCheckAsynchResponse(int Response, const QString &HTML);
    void ShowVersionCheckResult();
    void ReleaseWebConnection();

    CError &m_errors;
    Shell &m_shell;
    Destinations m_destinations;
    ConnectionFactory m_makeConnection;
    std::function<void()> m_endProgram;

    MdWebCon *m_oWebConnection = nullptr;
    long lAppClass = 0;
    float sngCutoffVersion = 0.0f;
    float m_sngVersion = 0.0f;
    VersionAnswer m_answer; // m_bIsNewVersion, m_sUpdateURL, m_sMessage
    bool m_bShutDown = false;
};
