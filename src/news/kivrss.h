#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QSet>
#include <QString>

class QDomDocument;
class QNetworkAccessManager;
class QNetworkReply;

// One item of an RSS channel or one entry of an Atom feed. Values are kept exactly as the
// document gives them: no trimming, no date conversion.
struct KivRSSEntry {
    QString Title;
    QString Link;
    QString Comments;
    QString PubDate;
    QString Creator;
    QString Category;
    QString GUID;
    QString Description;
    QString ContentEncoded;
};

// One feed read from a document. EntryCount always equals Entry's size.
struct KivRSSFeed {
    QString Title;
    QString Link;
    QString Description;
    QString PubDate;
    QString Generator;
    QString Language;
    qint32 EntryCount = 0;
    QList<KivRSSEntry> Entry;
    qint32 FeedType = 0; // 0 = RSS, 1 = Atom

    static constexpr qint32 kRSS = 0;
    static constexpr qint32 kAtom = 1;
};

Q_DECLARE_METATYPE(KivRSSFeed)

// Downloads a feed over HTTP, or takes feed text already in memory, and reports what it read
// through its three signals. Reading happens inside the download's completion or inside
// LoadXML, so the owner's handlers run before that call returns.
class KivRSSSocket : public QObject {
    Q_OBJECT

public:
    explicit KivRSSSocket(QObject* parent = nullptr);
    ~KivRSSSocket() override;

    // Rewrites the address of the photo-feed host to its web-page host and starts the
    // download; returns at once. A download that fails, grows beyond maxBodyBytes() or
    // receives nothing for transferTimeout() milliseconds ends with no signal.
    void GetRSSFeed(const QString& url);
    // Reads feed text already in memory; the signals are raised before it returns.
    void LoadXML(const QString& xml);
    // The last text downloaded or passed to LoadXML, whether or not it could be read.
    QString GetLastFeedXML() const;
    // Tells an HTML page from RSS and Atom and reads the text accordingly.
    void CrunchXMLToFeed(const QString& xml);
    // Reads the text as an Atom feed; any failure raises ErrorInRSSFeed(xml).
    void TryATOMToFeed(const QString& xml);

    // The address GetRSSFeed actually fetches for url.
    static QString rewrittenUrl(const QString& url);
    static const QString kPhotoFeedPrefix; // 24 characters
    static const QString kWebPagePrefix;   // 18 characters

    // Limits of one download (defaults: 4 MiB, 30 s without data).
    static constexpr qint64 kDefaultMaxBodyBytes = 4 * 1024 * 1024;
    static constexpr int kDefaultTransferTimeout = 30000;
    qint64 maxBodyBytes() const { return m_maxBodyBytes; }
    void setMaxBodyBytes(qint64 bytes) { m_maxBodyBytes = bytes; }
    int transferTimeout() const { return m_transferTimeout; }
    void setTransferTimeout(int milliseconds) { m_transferTimeout = milliseconds; }
    // Downloads started and not yet finished.
    int downloadsInFlight() const { return int(m_inFlight.size()); }

    // The body of a downloaded page as text: a byte order mark, else the encoding the XML
    // declaration names, else UTF-8 when valid, else Windows-1252.
    static QString decodeBody(const QByteArray& body);

    QString lastXML;

signals:
    void RSSFeedReceived(const KivRSSFeed& feed);
    void ErrorInRSSFeed(const QString& text);
    void ReceivedNonXMLPage(const QString& text);
    // A download is over, after its page (if any) was read. Not one of the reader's events:
    // it lets an owner or a test know that a request which raised nothing has ended.
    void downloadEnded();

private:
    void crunch(const QString& xml);
    // Reads the text as Atom; parsed, when given, is the text already parsed.
    void tryAtom(const QString& xml, const QDomDocument* parsed = nullptr);
    void pageReceived(QNetworkReply* reply);
    void watchSize(QNetworkReply* reply, qint64 bytesReceived, qint64 bytesTotal);

    QNetworkAccessManager* m_network = nullptr;
    QSet<QNetworkReply*> m_inFlight;
    qint64 m_maxBodyBytes = kDefaultMaxBodyBytes;
    int m_transferTimeout = kDefaultTransferTimeout;
};
