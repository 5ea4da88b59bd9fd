#include "NetscapeBookmarks.h"

#include "TextFile.h"

#include <QHash>
#include <QStringDecoder>

#include <memory>
#include <optional>
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
    std::vector<std::unique_ptr<Node>> children; // nests at most kMaxDepth deep
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
    Parser(QStringView text, const std::atomic_bool *cancel) : m_text(text), m_cancel(cancel) {}

    QList<Item> run();
    bool sawBookmarkList() const { return m_sawBookmarkList; }
    int foldersFlattened() const { return m_flattened; }

private:
    struct Tag
    {
        QString name; // lower case, "/" first for an end tag
        QString href;
    };
    struct Level
    {
        Node *folder;
        int depth; // the root is 0
    };

    qsizetype parseTag(qsizetype at, Tag &tag) const;
    void handle(const Tag &tag);
    void endCapture();
    Level current() { return m_stack.empty() ? Level{&m_root, 0} : m_stack.back(); }

    QStringView m_text;
    const std::atomic_bool *m_cancel;
    Node m_root{true, {}, {}, {}};
    std::vector<Level> m_stack;       // open <DL> lists; empty before the first
    std::optional<Level> m_pending;   // an <H3> whose <DL> has not opened yet
    Node *m_capture = nullptr;        // the item whose title the text belongs to
    bool m_capturing = false;         // text goes to m_capture (or, without one, nowhere)
    bool m_inDescription = false;     // inside a <DD>: its links are text, not bookmarks
    bool m_afterDt = false;
    bool m_sawBookmarkList = false;
    int m_flattened = 0;
    QString m_buffer;
};

QList<Item> Parser::run()
{
    const qsizetype n = m_text.size();
    qsizetype i = 0;
    for (unsigned step = 0; i < n; ++step) {
        if ((step & 1023) == 0 && m_cancel && m_cancel->load(std::memory_order_relaxed))
            break;
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
    const bool afterDt = std::exchange(m_afterDt, name == u"dt");
    if (name == u"a") {
        endCapture();
        if (m_inDescription)
            return;
        m_pending.reset();
        m_capturing = true;
        const QString &href = tag.href;
        if (href.isEmpty() || href.startsWith(QLatin1String("place:"), Qt::CaseInsensitive))
            return; // its text is read and dropped
        m_sawBookmarkList = m_sawBookmarkList || (afterDt && !m_stack.empty());
        auto link = std::make_unique<Node>();
        link->url = href;
        m_capture = link.get();
        current().folder->children.push_back(std::move(link));
    } else if (name == u"h3") {
        endCapture();
        m_inDescription = false;
        m_sawBookmarkList = m_sawBookmarkList || (afterDt && !m_stack.empty());
        m_capturing = true;
        const Level here = current();
        if (here.depth >= kMaxDepth) { // its items go where it stands; its name is dropped
            ++m_flattened;
            m_pending = here;
            return;
        }
        auto folder = std::make_unique<Node>();
        folder->isFolder = true;
        m_capture = folder.get();
        m_pending = Level{folder.get(), here.depth + 1};
        here.folder->children.push_back(std::move(folder));
    } else if (name == u"dl") {
        endCapture();
        m_inDescription = false;
        // The first list is the root's, unless a heading came first: then the root's list
        // was left out, and this one is the heading's.
        if (m_stack.empty()) {
            m_stack.push_back(Level{&m_root, 0});
            if (m_pending)
                m_stack.push_back(*m_pending);
        } else {
            m_stack.push_back(m_pending ? *m_pending : m_stack.back());
        }
        m_pending.reset();
    } else if (name == u"/dl") {
        endCapture();
        m_inDescription = false;
        m_pending.reset();
        if (m_stack.size() > 1)
            m_stack.pop_back();
    } else if (name == u"dd") {
        endCapture();
        m_inDescription = true;
    } else if (name == u"dt" || name == u"/dd" || name == u"hr") {
        endCapture();
        m_inDescription = false;
    } else if (name == u"/a" || name == u"/h3" || name == u"/dt" || name == u"p" || name == u"h1"
               || name == u"/h1" || name == u"title" || name == u"/title" || name == u"meta") {
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
        // Only a short way: searching to the end for every "&" made a title of a million of
        // them take minutes.
        const qsizetype found = text.sliced(i + 1, qMin<qsizetype>(12, n - i - 1)).indexOf(u';');
        const qsizetype semi = found < 0 ? -1 : i + 1 + found;
        if (semi < 0) {
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
        return TextFile::decodeUtf16(QByteArrayView(bytes).sliced(2), false);
    if (bytes.startsWith("\xFE\xFF"))
        return TextFile::decodeUtf16(QByteArrayView(bytes).sliced(2), true);

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

namespace {
// The end of the <!DOCTYPE NETSCAPE-Bookmark-file-1> line, or -1.
qsizetype doctypeEnd(QStringView text)
{
    const auto skipBlanks = [&text](qsizetype i) {
        while (i < text.size() && text[i].isSpace())
            ++i;
        return i;
    };
    for (qsizetype at = text.indexOf(u"<!doctype", 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(u"<!doctype", at + 1, Qt::CaseInsensitive)) {
        qsizetype i = skipBlanks(at + 9);
        if (i == at + 9 || !text.sliced(i).startsWith(u"netscape-bookmark-file-1", Qt::CaseInsensitive))
            continue;
        i = skipBlanks(i + 24);
        if (i < text.size() && text[i] == u'>')
            return i + 1;
    }
    return -1;
}

qsizetype firstList(QStringView text)
{
    for (qsizetype at = text.indexOf(u"<dl", 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(u"<dl", at + 1, Qt::CaseInsensitive)) {
        if (at + 3 < text.size() && (text[at + 3] == u'>' || text[at + 3].isSpace()))
            return at;
    }
    return -1;
}
} // namespace

Parsed parseText(const QString &text, const std::atomic_bool *cancel)
{
    Parsed parsed;
    const qsizetype start = doctypeEnd(text);
    // Only a header may stand before the doctype, not a bookmark list.
    if (start >= 0) {
        const qsizetype list = firstList(text);
        if (list >= 0 && list < start)
            return parsed;
    }
    Parser parser(QStringView(text).sliced(qMax<qsizetype>(start, 0)), cancel);
    parsed.items = parser.run();
    // Without the doctype line only a bookmark list makes it a bookmark file.
    parsed.isBookmarkFile = start >= 0 || parser.sawBookmarkList();
    if (!parsed.isBookmarkFile)
        parsed.items.clear();
    parsed.foldersFlattened = parser.foldersFlattened();
    return parsed;
}

Parsed parse(const QByteArray &bytes, const std::atomic_bool *cancel)
{
    return parseText(decode(bytes), cancel);
}

} // namespace NetscapeBookmarks
