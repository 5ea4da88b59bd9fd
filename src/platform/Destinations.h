#pragma once

#include <QString>
#include <QStringList>

// Every web destination the program talks to. Production code receives the build's values
// (fromBuild); tests construct their own pointing at loopback servers.
struct Destinations
{
    QString serviceHost;       // sniping service: login, sign-up, news, snipe
    QString talvexWebHost;     // Talvex web site: Help home page, About link
    QString makerWebHost;      // maker: link label, welcome link, version check
    QString supportEmail;      // maker's support address (error report)
    QString infoEmail;         // maker's information address (mailing list)
    QString serviceHelpEmail;  // sniping service's help address
    QStringList redirectBases; // affiliate redirect bases of start-up sites 1-4

    QString ebayHostUS, ebayHostCA, ebayHostUK, ebayHostAU, ebayHostDE, ebayHostAT,
        ebayHostCH, ebayHostFR, ebayHostES, ebayHostIT, ebayHostTW;
    QString ebayPagesHost;   // eBay's general pages (Ireland, New Zealand, Motors)
    QString listedItemsHost; // US CGI host listing a user's items
    QString bidItemsHost;    // US CGI host listing a user's bids
    QStringList searchDomains; // the thirteen search sites, in table order

    // The redirect base of start-up site i (1-4); empty outside that range.
    QString redirectBase(int i) const;

    static Destinations fromBuild();
};
