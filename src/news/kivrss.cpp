#include "news/kivrss.h"

#include <QDomDocument>
#include <QDomElement>
#include <QHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>
#include <QXmlStreamReader>

#include <algorithm>
#include <exception>
#include <functional>
#include <stdexcept>

const QString KivRSSSocket::kPhotoFeedPrefix = QStringLiteral("http://photo.example.net");
const QString KivRSSSocket::kWebPagePrefix = QStringLiteral("http://example.net");

namespace {

// The text is not well-formed XML.
struct XmlParseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An Atom element lacks the child or attribute its field is read from.
struct FeedShapeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A failure that escaped the owner's ErrorInRSSFeed handler. It travels past every guard of
// the reader and is handed back, unwrapped, to whoever called the reader.
struct PassedOn {
    std::exception_ptr original;
};

// Redirects followed by one download before it counts as failed.
constexpr int kMaxRedirects = 10;

bool sameName(const QDomNode& node, QLatin1StringView name)
{
    return node.nodeName().compare(name, Qt::CaseInsensitive) == 0;
}

// Characters that entity references in one document may add when expanded. The parser
// limits what a single entity expands to, but not how often it is referenced: a document of
// a few kilobytes could otherwise expand to gigabytes.
constexpr qint64 kMaxEntityExpansion = 8 * 1024 * 1024;

// The number of characters the references to the document's own entities expand to, or
// more than kMaxEntityExpansion when that is exceeded. Linear in the text.
qint64 entityExpansion(const QString& xml)
{
    if (!xml.contains(QLatin1StringView("<!ENTITY")))
        return 0;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::StartElement)
            break;
    }
    if (reader.tokenType() != QXmlStreamReader::DTD)
        return 0;
    QHash<QString, QString> values;
    for (const QXmlStreamEntityDeclaration& declaration : reader.entityDeclarations())
        if (!values.contains(declaration.name().toString()))
            values.insert(declaration.name().toString(), declaration.value().toString());
    const qsizetype bodyStart = reader.characterOffset();

    static const QRegularExpression reference(QStringLiteral(R"(&([A-Za-z_:][A-Za-z0-9._:-]*);)"));
    QHash<QString, qint64> expanded;
    // The expanded length of one entity; nesting deeper than any sane document counts as
    // too much.
    std::function<qint64(const QString&, int)> lengthOf = [&](const QString& name,
                                                              int depth) -> qint64 {
        if (const auto known = expanded.constFind(name); known != expanded.cend())
            return *known;
        if (depth > 32)
            return kMaxEntityExpansion + 1;
        const QString value = values.value(name);
        qint64 length = value.size();
        for (auto it = reference.globalMatch(value);
             it.hasNext() && length <= kMaxEntityExpansion;) {
            const QRegularExpressionMatch match = it.next();
            if (values.contains(match.captured(1)))
                length += lengthOf(match.captured(1), depth + 1) - match.capturedLength();
        }
        length = std::min(length, kMaxEntityExpansion + 1);
        expanded.insert(name, length);
        return length;
    };

    qint64 total = 0;
    for (auto it = reference.globalMatch(xml, bodyStart);
         it.hasNext() && total <= kMaxEntityExpansion;) {
        const QRegularExpressionMatch match = it.next();
        if (values.contains(match.captured(1)))
            total += lengthOf(match.captured(1), 0);
    }
    return total;
}

// Parses with whitespace-only text nodes dropped and namespaces left unprocessed, so that
// names keep their prefixes as written ("dc:creator") and "xmlns" is an ordinary attribute.
QDomDocument parse(const QString& xml)
{
    if (entityExpansion(xml) > kMaxEntityExpansion)
        throw XmlParseError("entities expand too far");
    QDomDocument document;
    QString message;
    if (!document.setContent(xml, false, &message))
        throw XmlParseError(message.toStdString());
    return document;
}

// The value of the node's first child, which must exist.
QString firstChildValue(const QDomNode& node)
{
    const QDomNode child = node.firstChild();
    if (child.isNull())
        throw FeedShapeError("element without content");
    return child.nodeValue();
}

// The value of an attribute, which must exist.
QString requiredAttribute(const QDomNode& node, const QString& name)
{
    const QDomElement element = node.toElement();
    if (element.isNull() || !element.hasAttribute(name))
        throw FeedShapeError("missing attribute");
    return element.attribute(name);
}

// The RSS item children and the entry field each fills, in the order they are looked up.
struct ItemField {
    QLatin1StringView name;
    QString KivRSSEntry::*field;
};
const ItemField kItemFields[] = {
    {QLatin1StringView("title"), &KivRSSEntry::Title},
    {QLatin1StringView("link"), &KivRSSEntry::Link},
    {QLatin1StringView("comments"), &KivRSSEntry::Comments},
    {QLatin1StringView("dc:creator"), &KivRSSEntry::Creator},
    {QLatin1StringView("category"), &KivRSSEntry::Category},
    {QLatin1StringView("guid"), &KivRSSEntry::GUID},
    {QLatin1StringView("description"), &KivRSSEntry::Description},
    {QLatin1StringView("pubdate"), &KivRSSEntry::PubDate},
    {QLatin1StringView("content:encoded"), &KivRSSEntry::ContentEncoded},
};

// The RSS channel children and the feed field each fills.
struct ChannelField {
    QLatin1StringView name;
    QString KivRSSFeed::*field;
};
const ChannelField kChannelFields[] = {
    {QLatin1StringView("title"), &KivRSSFeed::Title},
    {QLatin1StringView("link"), &KivRSSFeed::Link},
    {QLatin1StringView("description"), &KivRSSFeed::Description},
    {QLatin1StringView("pubDate"), &KivRSSFeed::PubDate},
    {QLatin1StringView("generator"), &KivRSSFeed::Generator},
    {QLatin1StringView("language"), &KivRSSFeed::Language},
};

KivRSSEntry readRSSItem(const QDomNode& item)
{
    KivRSSEntry entry;
    for (QDomNode k = item.firstChild(); !k.isNull(); k = k.nextSibling()) {
        const QDomNode value = k.firstChild();
        if (value.isNull())
            continue;
        for (const ItemField& f : kItemFields)
            if (sameName(k, f.name)) {
                entry.*f.field = value.nodeValue();
                break;
            }
    }
    return entry;
}

KivRSSFeed readRSSChannel(const QDomNode& channel)
{
    KivRSSFeed feed;
    feed.FeedType = KivRSSFeed::kRSS;
    for (QDomNode c = channel.firstChild(); !c.isNull(); c = c.nextSibling()) {
        const QDomNode value = c.firstChild();
        if (!value.isNull())
            for (const ChannelField& f : kChannelFields)
                if (sameName(c, f.name))
                    feed.*f.field = value.nodeValue();
        if (sameName(c, QLatin1StringView("item"))) {
            feed.Entry.append(readRSSItem(c));
            ++feed.EntryCount;
        }
    }
    return feed;
}

KivRSSEntry readAtomEntry(const QDomNode& node)
{
    KivRSSEntry entry;
    for (QDomNode k = node.firstChild(); !k.isNull(); k = k.nextSibling()) {
        if (sameName(k, QLatin1StringView("author"))) {
            entry.Creator = firstChildValue(k);
        } else if (sameName(k, QLatin1StringView("link"))) {
            entry.Link = requiredAttribute(k, QStringLiteral("href"));
            entry.Title = requiredAttribute(k, QStringLiteral("title"));
        } else if (sameName(k, QLatin1StringView("created"))) {
            entry.PubDate = firstChildValue(k);
        } else if (sameName(k, QLatin1StringView("id"))) {
            entry.GUID = firstChildValue(k);
        } else if (sameName(k, QLatin1StringView("content"))) {
            entry.ContentEncoded = firstChildValue(k);
        } else if (sameName(k, QLatin1StringView("summary"))) {
            entry.Description = firstChildValue(k);
        } else if (sameName(k, QLatin1StringView("category"))) {
            entry.Category = firstChildValue(k);
        }
    }
    return entry;
}

KivRSSFeed readAtomFeed(const QDomElement& root)
{
    KivRSSFeed feed;
    feed.FeedType = KivRSSFeed::kAtom;
    for (QDomNode c = root.firstChild(); !c.isNull(); c = c.nextSibling()) {
        if (sameName(c, QLatin1StringView("title")))
            feed.Title = firstChildValue(c);
        if (sameName(c, QLatin1StringView("link")))
            feed.Link = requiredAttribute(c, QStringLiteral("href"));
        if (sameName(c, QLatin1StringView("description")))
            feed.Description = firstChildValue(c);
        if (sameName(c, QLatin1StringView("modified")))
            feed.PubDate = firstChildValue(c);
        if (sameName(c, QLatin1StringView("generator")))
            feed.Generator = firstChildValue(c);
        if (sameName(c, QLatin1StringView("language")))
            feed.Language = firstChildValue(c);
        if (sameName(c, QLatin1StringView("entry"))) {
            feed.Entry.append(readAtomEntry(c));
            ++feed.EntryCount;
        }
    }
    return feed;
}

// Network failures end a download with nothing to read; a page the server sent with an
// HTTP error status is read like any other.
bool carriesPage(const QNetworkReply& reply)
{
    const int error = reply.error();
    if (error == QNetworkReply::NoError)
        return true;
    const bool contentError =
        error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError;
    const bool serverError =
        error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError;
    return (contentError || serverError) &&
           reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
}

} // namespace

KivRSSSocket::KivRSSSocket(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
}

KivRSSSocket::~KivRSSSocket()
{
    // A download still running must not hold up the program's end or report to an owner
    // that is going away.
    const QSet<QNetworkReply*> running = std::exchange(m_inFlight, {});
    for (QNetworkReply* reply : running) {
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
        delete reply;
    }
}

QString KivRSSSocket::rewrittenUrl(const QString& url)
{
    if (url.size() >= kPhotoFeedPrefix.size() &&
        QStringView(url)
                .left(kPhotoFeedPrefix.size())
                .compare(kPhotoFeedPrefix, Qt::CaseInsensitive) == 0)
        return kWebPagePrefix + url.mid(kPhotoFeedPrefix.size());
    return url;
}

void KivRSSSocket::GetRSSFeed(const QString& url)
{
    QNetworkRequest request{QUrl(rewrittenUrl(url))};
    request.setTransferTimeout(m_transferTimeout);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    QNetworkReply* reply = m_network->get(request);
    m_inFlight.insert(reply);
    connect(reply, &QNetworkReply::downloadProgress, this,
            [this, reply](qint64 received, qint64 total) { watchSize(reply, received, total); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { pageReceived(reply); });
}

void KivRSSSocket::watchSize(QNetworkReply* reply, qint64 bytesReceived, qint64 bytesTotal)
{
    if (bytesReceived > m_maxBodyBytes || bytesTotal > m_maxBodyBytes) {
        reply->setProperty("tooLarge", true);
        reply->abort();
    }
}

void KivRSSSocket::pageReceived(QNetworkReply* reply)
{
    if (!m_inFlight.remove(reply))
        return;
    reply->deleteLater();
    if (carriesPage(*reply) && !reply->property("tooLarge").toBool()) {
        lastXML = decodeBody(reply->readAll());
        try {
            CrunchXMLToFeed(lastXML);
        } catch (...) {
            // A failure that escaped the owner's handler goes to the application's handler,
            // from an event of its own rather than through the network code's stack.
            QMetaObject::invokeMethod(
                this, [failure = std::current_exception()] { std::rethrow_exception(failure); },
                Qt::QueuedConnection);
        }
    }
    emit downloadEnded();
}

void KivRSSSocket::LoadXML(const QString& xml)
{
    lastXML = xml;
    CrunchXMLToFeed(xml);
}

QString KivRSSSocket::GetLastFeedXML() const
{
    return lastXML;
}

void KivRSSSocket::CrunchXMLToFeed(const QString& xml)
{
    try {
        crunch(xml);
    } catch (const PassedOn& passed) {
        std::rethrow_exception(passed.original);
    }
}

void KivRSSSocket::TryATOMToFeed(const QString& xml)
{
    try {
        tryAtom(xml);
    } catch (const PassedOn& passed) {
        std::rethrow_exception(passed.original);
    }
}

void KivRSSSocket::crunch(const QString& xml)
{
    try {
        if (xml.contains(QLatin1StringView("<!DOCTYPE HTML PUBLIC"), Qt::CaseInsensitive)) {
            emit ReceivedNonXMLPage(xml);
            return;
        }
        const QDomDocument document = parse(xml);
        const QDomElement root = document.documentElement();
        if (root.attribute(QStringLiteral("xmlns"))
                .contains(QLatin1StringView("atom"), Qt::CaseInsensitive)) {
            tryAtom(xml, &document);
            return;
        }
        // The channel is the root's first child, whatever kind of node it is.
        const QDomNode channel = root.firstChild();
        if (channel.isNull())
            return;
        const KivRSSFeed feed = readRSSChannel(channel);
        emit RSSFeedReceived(feed);
    } catch (const PassedOn&) {
        throw;
    } catch (const XmlParseError&) {
        // Not XML at all: the Atom reading fails in its turn and reports the text.
        tryAtom(xml);
    } catch (...) {
        // Any other failure, including one from the owner's handlers, ends the reading.
    }
}

void KivRSSSocket::tryAtom(const QString& xml, const QDomDocument* parsed)
{
    try {
        // A document already parsed from this text is read as it is, not parsed again.
        const QDomDocument document = parsed ? *parsed : parse(xml);
        const KivRSSFeed feed = readAtomFeed(document.documentElement());
        emit RSSFeedReceived(feed);
    } catch (...) {
        try {
            emit ErrorInRSSFeed(xml);
        } catch (...) {
            throw PassedOn{std::current_exception()};
        }
    }
}

QString KivRSSSocket::decodeBody(const QByteArray& body)
{
    // A byte order mark decides, and is dropped.
    if (const auto marked = QStringConverter::encodingForData(body)) {
        QStringDecoder decoder(*marked);
        return decoder.decode(body);
    }
    // The XML declaration, when it names an encoding this platform knows.
    if (body.startsWith("<?xml")) {
        static const QRegularExpression declared(
            QStringLiteral(R"(^<\?xml[^>]*\bencoding\s*=\s*["']([A-Za-z0-9._:-]+)["'])"));
        const QRegularExpressionMatch match = declared.match(QString::fromLatin1(body.left(200)));
        if (match.hasMatch()) {
            const QByteArray name = match.captured(1).toLatin1();
            QStringDecoder decoder(name.constData());
            if (decoder.isValid()) {
                QString text = decoder.decode(body);
                if (!decoder.hasError())
                    return text;
            }
        }
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("windows-1252");
    return windows1252.decode(body);
}
