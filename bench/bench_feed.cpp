// Reading a feed through LoadXML, against parsing the same text with QDomDocument alone, for
// RSS and Atom feeds of 10,000 and 40,000 entries; and how reading grows with the entries.

#include "benchdesktop.h"
#include "harness.h"
#include "news/kivrss.h"

#include <QCoreApplication>
#include <QDomDocument>

#include <functional>

namespace {

QString rssFeed(int entries)
{
    QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<rss version=\"2.0\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
                       "xmlns:content=\"http://purl.org/rss/1.0/modules/content/\">\n<channel>\n"
                       "<title>Weekly deals</title>\n<link>http://deals.example.com/</link>\n"
                       "<description>3000|Weekly deals</description>\n"
                       "<pubDate>Mon, 06 Jan 2003 10:00:00 GMT</pubDate>\n"
                       "<generator>Deals 1.0</generator>\n<language>en-us</language>\n");
    for (int i = 0; i < entries; ++i)
        xml += QStringLiteral(
                   "<item>\n<title>Deal number %1: half price on the opt-in page kit</title>\n"
                   "<link>http://deals.example.com/deal/%1</link>\n"
                   "<comments>http://deals.example.com/deal/%1#comments</comments>\n"
                   "<dc:creator>Sales desk</dc:creator>\n<category>Offers</category>\n"
                   "<guid>http://deals.example.com/deal/%1</guid>\n"
                   "<description>Only this week: the kit for %1 subscribers &amp; more."
                   "</description>\n<pubDate>Mon, 06 Jan 2003 10:00:00 GMT</pubDate>\n"
                   "<content:encoded><![CDATA[<p>Deal <b>%1</b> in full.</p>]]>"
                   "</content:encoded>\n</item>\n")
                   .arg(i);
    return xml + QStringLiteral("</channel>\n</rss>\n");
}

QString atomFeed(int entries)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<feed version=\"0.3\" xmlns=\"http://purl.org/atom/ns#\">\n"
        "<title>Weekly deals</title>\n<link rel=\"alternate\" "
        "href=\"http://deals.example.com/\"/>\n"
        "<modified>2003-01-06T10:00:00Z</modified>\n<generator>Deals 1.0</generator>\n");
    for (int i = 0; i < entries; ++i)
        xml += QStringLiteral(
                   "<entry>\n<author>Sales desk</author>\n"
                   "<link rel=\"alternate\" href=\"http://deals.example.com/deal/%1\" "
                   "title=\"Deal number %1: half price on the opt-in page kit\"/>\n"
                   "<created>2003-01-06T10:00:00Z</created>\n"
                   "<id>tag:deals.example.com,2003:%1</id>\n"
                   "<summary>Only this week: the kit for %1 subscribers &amp; more.</summary>\n"
                   "<content>Deal %1 in full.</content>\n<category>Offers</category>\n"
                   "</entry>\n")
                   .arg(i);
    return xml + QStringLiteral("</feed>\n");
}

// LoadXML on the feed text, checked to have read every entry.
std::function<void()> loadXML(KivRSSSocket& socket, const QString& xml, int entries)
{
    return [&socket, &xml, entries] {
        qint32 read = -1;
        const auto connection =
            QObject::connect(&socket, &KivRSSSocket::RSSFeedReceived,
                             [&](const KivRSSFeed& feed) { read = feed.EntryCount; });
        socket.LoadXML(xml);
        QObject::disconnect(connection);
        bench::require(read == entries, "the feed was read whole");
    };
}

// The least work on the same text: parsing it, as the reader does, and nothing more.
std::function<void()> parseOnly(const QString& xml)
{
    return [&xml] {
        QDomDocument document;
        bench::require(document.setContent(xml, false), "the feed is XML");
    };
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    KivRSSSocket socket;
    bool met = true;
    for (const auto& [kind, make] : {std::pair{"RSS", &rssFeed}, std::pair{"Atom", &atomFeed}}) {
        const QString small = make(10000);
        const QString large = make(40000);
        // Each size with its baseline, one size after the other: run in turn with the large
        // one, the small feed's reading would pay for freeing the large one's memory.
        const auto [small0, small1] =
            bench::medianPair(loadXML(socket, small, 10000), parseOnly(small), 7);
        const auto [large0, large1] =
            bench::medianPair(loadXML(socket, large, 40000), parseOnly(large), 7);
        const double m[] = {small0, small1, large0, large1};
        const QLatin1StringView name(kind);
        met &= bench::report(
            QStringLiteral("%1 feed, 10,000 entries: LoadXML vs QDomDocument").arg(name), m[0],
            m[1], 1.5);
        met &= bench::report(
            QStringLiteral("%1 feed, 40,000 entries: LoadXML vs QDomDocument").arg(name), m[2],
            m[3], 1.5);
        met &= bench::report(QStringLiteral("%1 feed: LoadXML, 40,000 vs 10,000 entries").arg(name),
                             m[2], m[0], 4.4);
        // What the parser alone does with four times the entries, for comparison.
        bench::note(
            QStringLiteral("%1 feed: QDomDocument alone, 40,000 vs 10,000 entries").arg(name), m[3],
            m[1]);
    }
    return met ? 0 : 1;
}
