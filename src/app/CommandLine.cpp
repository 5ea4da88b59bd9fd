#include "CommandLine.h"

#include "ItemNumber.h"
#include "ProgramIdentity.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QUrl>

namespace CommandLine {

namespace {
bool isWebAddress(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
           && !url.host().isEmpty();
}

Parsed refused(const QString &reason)
{
    return {Parsed::Refuse, QString(), QString(), reason};
}
} // namespace

Parsed parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(ProgramIdentity::title()
                                     + QStringLiteral(": eBay auctions, sniped through the Talvex service."));
    // Our own help option: Qt's would offer Qt's options, which are not read here.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption snipe(QStringLiteral("snipe"),
                                   QStringLiteral("Snipe the eBay item with this number, as the floating toolbar does."),
                                   QStringLiteral("ITEM"));
    parser.addOptions({help, version, snipe});
    parser.addPositionalArgument(QStringLiteral("URL"), QStringLiteral("An http or https address to open in the auction browser."),
                                 QStringLiteral("[URL]"));
    if (!parser.parse(arguments))
        return refused(parser.errorText());
    if (parser.isSet(help)) {
        // The parser names the program only once an application object exists, which it does not yet.
        const QString text = parser.helpText();
        return {Parsed::Print, QString(), QString(),
                QStringLiteral("Usage: %1 [options] [URL]").arg(QFileInfo(arguments.value(0)).fileName())
                    + text.mid(text.indexOf(QLatin1Char('\n')))};
    }
    if (parser.isSet(version))
        return {Parsed::Print, QString(), QString(), ProgramIdentity::title() + QLatin1Char(' ') + ProgramIdentity::versionText() + QLatin1Char('\n')};

    const QStringList addresses = parser.positionalArguments();
    if (addresses.size() > 1)
        return refused(QStringLiteral("Give one address at most."));
    if (parser.isSet(snipe)) {
        const QString item = parser.value(snipe);
        if (!addresses.isEmpty())
            return refused(QStringLiteral("Give an address or --snipe, not both."));
        if (item.isEmpty() || !IsAllDigits(item))
            return refused(QStringLiteral("An item number has digits only: '%1'.").arg(item));
        return {Parsed::Run, QString(), item, QString()};
    }
    if (!addresses.isEmpty() && !isWebAddress(addresses.first()))
        return refused(QStringLiteral("Only http and https addresses can be opened: '%1'.").arg(addresses.first()));
    return {Parsed::Run, addresses.value(0), QString(), QString()};
}

} // namespace CommandLine
