#include "NetscapeBookmarks.h"

#include "TextFile.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <memory>
#include <vector>

namespace NetscapeBookmarks {

namespace {

const QHash<QString, char16_t> &namedEntities()
{
    static const QHash<QString, char16_t> table{
        {"amp", u'&'},      {"lt", u'<'},       {"gt", u'>'},       {"quot", u'"'},
        {"apos", u'\''},    {"nbsp", 0x00A0},   {"copy", 0x00A9},   {"reg", 0x00AE},
        {"trade", 0x2122},  {"hellip", 0x2026}, {"mdash", 0x2014},  {"ndash", 0x2013},
        {"laquo", 0x00AB},  {"raquo", 0x00BB},  {"lsquo", 0x2018},  {"rsquo", 0x2019},
        {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"bull", 0x2022},   {"middot", 0x00B7},
        {"euro", 0x20AC},   {"pound", 0x00A3},  {"yen", 0x00A5},    {"cent", 0x00A2},
        {"sect", 0x00A7},   {"deg", 0x00B0},    {"times", 0x00D7},  {"divide", 0x00F7},
        {"iexcl", 0x00A1},  {"iquest", 0x00BF}, {"szlig", 0x00DF},  {"auml", 0x00E4},
        {"ouml", 0x00F6},   {"uuml", 0x00FC},   {"Auml", 0x00C4},   {"Ouml", 0x00D6},
        {"Uuml", 0x00DC},   {"aacute", 0x00E1}, {"eacute", 0x00E9}, {"iacute", 0x00ED},
        {"oacute", 0x00F3}, {"uacute", 0x00FA}, {"agrave", 0x00E0}, {"egrave", 0x00E8},
        {"acirc", 0x00E2},  {"ecirc", 0x00EA},  {"ccedil", 0x00E7}, {"ntilde", 0x00F1},
        {"Eacute", 0x00C9}, {"aring", 0x00E5},  {"oslash", 0x00F8}, {"aelig", 0x00E6},
    };
    return table;
}

// Appends a numeric reference's character; nothing for one that is not a character.
void appendCodePoint(QString &out, char32_t cp)
{
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (QChar::requiresSurrogates(cp)) {
        out.append(QChar(QChar::highSurrogate(cp)));
        out.append(QChar(QChar::lowSurrogate(cp)));
    } else {
        out.append(QChar(char16_t(cp)));
    }
}

QString collapsedTitle(QStringView raw)
{
    return decodeEntities(raw).simplified();
}

QString charsetFromMeta(const QByteArray &bytes)
{
    // The META tag sits in the head; the bookmarks start at the first <DL>.
    const QByteArray head = bytes.left(8192).toLower();
    qsizetype end = head.indexOf("<dl");
    const QByteArray scope = end < 0 ? head : head.left(end);
    const qsizetype at = scope.indexOf("charset=");
    if (at < 0)
        return QString();
    qsizetype i = at + 8;
    while (i < scope.size() && (scope.at(i) == '"' || scope.at(i) == '\'' || scope.at(i) == ' '))
        ++i;
    qsizetype j = i;
    while (j < scope.size() && (QChar::isLetterOrNumber(uchar(scope.at(j))) || scope.at(j) == '-'
                                || scope.at(j) == '_' || scope.at(j) == '.' || scope.at(j) == ':'))
        ++j;
    return QString::fromLatin1(scope.mid(i, j - i));
}

bool isNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
           || c == u'-' || c == u'_' || c == u':';
}

struct Node
{
    bool isFolder = false;
    QString title;
    QString url;
    std::vector<std::unique_ptr<Node>> children;
};

Item toItem(const Node &node)
{
    Item item{node.isFolder, node.title, node.url, {}};
    item.children.reserve(qsizetype(node.children.size()));
    for (const auto &child : node.children)
        item.children.append(toItem(*child));
    return item;
}

class Parser
{
public:
    explicit Parser(QStringView text) : m_text(text) {}

    QList<Item> run();

private:
    struct Tag
    {
        QString name; // lower case, "/" first for an end tag
        QString href;
    };

    qsizetype parseTag(qsizetype at, Tag &tag) const;
    void handle(const Tag &tag);
    void endCapture();
    Node *current() { return m_stack.empty() ? &m_root : m_stack.back(); }

    QStringView m_text;
    Node m_root{true, {}, {}, {}};
    std::vector<Node *> m_stack; // open <DL> lists; empty before the first
    Node *m_pendingFolder = nullptr; // an <H3> whose <DL> has not opened yet
    Node *m_capture = nullptr;       // the item whose title the text belongs to
    bool m_capturing = false;        // text goes to m_capture (or, without one, nowhere)
    QString m_buffer;
};

QList<Item> Parser::run()
{
    const qsizetype n = m_text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype lt = m_text.indexOf(u'<', i);
        const qsizetype textEnd = lt < 0 ? n : lt;
        if (m_capturing && textEnd > i)
            m_buffer.append(m_text.sliced(i, textEnd - i));
        if (lt < 0)
            break;
        i = lt;
        if (m_text.sliced(i).startsWith(u"<!--")) {
            const qsizetype close = m_text.indexOf(u"-->", i + 4);
            i = close < 0 ? n : close + 3;
            continue;
        }
        if (i + 1 < n && (m_text[i + 1] == u'!' || m_text[i + 1] == u'?')) {
            const qsizetype close = m_text.indexOf(u'>', i);
            i = close < 0 ? n : close + 1;
            continue;
        }
        Tag tag;
        const qsizetype after = parseTag(i, tag);
        if (after < 0) { // a lone "<" in the text
            if (m_capturing)
                m_buffer.append(u'<');
            ++i;
            continue;
        }
        handle(tag);
        i = after;
    }
    endCapture();
    QList<Item> items;
    for (const auto &child : m_root.children)
        items.append(toItem(*child));
    return items;
}

// Reads the tag at `at` ('<'); returns the index after its '>', or -1 when it is no tag.
qsizetype Parser::parseTag(qsizetype at, Tag &tag) const
{
    const qsizetype n = m_text.size();
    qsizetype i = at + 1;
    const bool isEnd = i < n && m_text[i] == u'/';
    if (isEnd)
        ++i;
    const qsizetype nameStart = i;
    while (i < n && isNameChar(m_text[i]))
        ++i;
    if (i == nameStart || !(m_text[nameStart].isLetter()))
        return -1;
    tag.name = (isEnd ? QStringLiteral("/") : QString()) + m_text.sliced(nameStart, i - nameStart).toString().toLower();
    const bool wantHref = tag.name == u"a";

    // Attributes up to the closing '>', which may not stand inside a quoted value.
    while (i < n) {
        while (i < n && (m_text[i].isSpace() || m_text[i] == u'/'))
            ++i;
        if (i >= n)
            break;
        if (m_text[i] == u'>')
            return i + 1;
        const qsizetype attrStart = i;
        while (i < n && !m_text[i].isSpace() && m_text[i] != u'=' && m_text[i] != u'>')
            ++i;
        const QStringView attrName = m_text.sliced(attrStart, i - attrStart);
        while (i < n && m_text[i].isSpace())
            ++i;
        if (i >= n || m_text[i] != u'=')
            continue; // an attribute without a value
        ++i;
        while (i < n && m_text[i].isSpace())
            ++i;
        qsizetype valueStart = i;
        qsizetype valueEnd = i;
        if (i < n && (m_text[i] == u'"' || m_text[i] == u'\'')) {
            const QChar quote = m_text[i];
            valueStart = i + 1;
            const qsizetype close = m_text.indexOf(quote, valueStart);
            valueEnd = close < 0 ? n : close;
            i = close < 0 ? n : close + 1;
        } else {
            while (i < n && !m_text[i].isSpace() && m_text[i] != u'>')
                ++i;
            valueEnd = i;
        }
        if (wantHref && tag.href.isNull() && attrName.compare(u"href", Qt::CaseInsensitive) == 0)
            tag.href = decodeEntities(m_text.sliced(valueStart, valueEnd - valueStart)).trimmed();
    }
    return n; // the file ended inside the tag
}

void Parser::endCapture()
{
    if (m_capture)
        m_capture->title = collapsedTitle(m_buffer);
    m_capture = nullptr;
    m_capturing = false;
    m_buffer.clear();
}

void Parser::handle(const Tag &tag)
{
    const QString &name = tag.name;
    if (name == u"a") {
        endCapture();
        m_pendingFolder = nullptr;
        m_capturing = true;
        const QString &href = tag.href;
        if (href.isEmpty() || href.startsWith(QLatin1String("place:"), Qt::CaseInsensitive))
            return; // its text is read and dropped
        auto link = std::make_unique<Node>();
        link->url = href;
        m_capture = link.get();
        current()->children.push_back(std::move(link));
    } else if (name == u"h3") {
        endCapture();
        auto folder = std::make_unique<Node>();
        folder->isFolder = true;
        m_capture = folder.get();
        m_capturing = true;
        m_pendingFolder = folder.get();
        current()->children.push_back(std::move(folder));
    } else if (name == u"dl") {
        endCapture();
        if (m_stack.empty())
            m_stack.push_back(&m_root);
        else
            m_stack.push_back(m_pendingFolder ? m_pendingFolder : current());
        m_pendingFolder = nullptr;
    } else if (name == u"/dl") {
        endCapture();
        m_pendingFolder = nullptr;
        if (m_stack.size() > 1)
            m_stack.pop_back();
    } else if (name == u"/a" || name == u"/h3" || name == u"dt" || name == u"/dt" || name == u"dd"
               || name == u"hr" || name == u"p" || name == u"h1" || name == u"/h1"
               || name == u"title" || name == u"/title" || name == u"meta") {
        endCapture();
    }
    // Anything else (inline markup in a title, unknown tags) is skipped.
}

} // namespace

QString decodeEntities(QStringView text)
{
    const qsizetype firstAmp = text.indexOf(u'&');
    if (firstAmp < 0)
        return text.toString();
    QString out;
    out.reserve(text.size());
    out.append(text.first(firstAmp));
    qsizetype i = firstAmp;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (c != u'&') {
            out.append(c);
            ++i;
            continue;
        }
        const qsizetype semi = text.indexOf(u';', i + 1);
        if (semi < 0 || semi - i > 12) {
            out.append(c);
            ++i;
            continue;
        }
        const QStringView body = text.sliced(i + 1, semi - i - 1);
        bool ok = false;
        if (body.startsWith(u'#')) {
            const bool hex = body.size() > 1 && (body[1] == u'x' || body[1] == u'X');
            const QStringView digits = body.sliced(hex ? 2 : 1);
            const uint cp = digits.isEmpty() ? 0 : digits.toUInt(&ok, hex ? 16 : 10);
            if (ok && !digits.startsWith(u'+') && !digits.startsWith(u'-'))
                appendCodePoint(out, cp);
            else
                ok = false;
        } else {
            const auto it = namedEntities().constFind(body.toString());
            if (it != namedEntities().cend()) {
                out.append(QChar(*it));
                ok = true;
            }
        }
        if (ok) {
            i = semi + 1;
        } else {
            out.append(c);
            ++i;
        }
    }
    return out;
}

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.sliced(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.sliced(2));

    const QString charset = charsetFromMeta(bytes);
    static const QStringList western{"windows-1252", "cp1252", "iso-8859-1", "iso8859-1",
                                     "latin1", "latin-1", "us-ascii", "ascii"};
    if (western.contains(charset))
        return TextFile::decodeWindows1252(bytes);
    if (!charset.isEmpty() && charset != u"utf-8" && charset != u"utf8") {
        QStringDecoder other(charset.toLatin1().constData());
        if (other.isValid())
            return other.decode(bytes);
    }
    return TextFile::decode(bytes);
}

Parsed parseText(const QString &text)
{
    Parsed parsed;
    static const QRegularExpression doctype(
        QStringLiteral("<!DOCTYPE\\s+NETSCAPE-Bookmark-file-1\\s*>"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = doctype.match(text);
    if (!match.hasMatch())
        return parsed;
    // Only a header may stand before the doctype, not a bookmark list.
    static const QRegularExpression listStart(QStringLiteral("<dl[\\s>]"),
                                              QRegularExpression::CaseInsensitiveOption);
    const qsizetype firstList = text.indexOf(listStart);
    if (firstList >= 0 && firstList < match.capturedStart())
        return parsed;
    parsed.isBookmarkFile = true;
    parsed.items = Parser(QStringView(text).sliced(match.capturedEnd())).run();
    return parsed;
}

Parsed parse(const QByteArray &bytes)
{
    return parseText(decode(bytes));
}

} // namespace NetscapeBookmarks
