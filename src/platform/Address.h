#pragma once

#include <QString>
#include <QUrl>

// How a browser pane takes a typed or built address: a full URL as it is, a local file path
// as a file, anything else as a host (and path) reached over http.
QUrl addressToUrl(const QString &address);
