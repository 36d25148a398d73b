// Reading a feed through LoadXML, against parsing the same text with QDomDocument alone, for
// RSS and Atom feeds of 10,000 and 40,000 entries; and how reading grows with the entries.

#include "harness.h"
#include "news/kivrss.h"

#include <QCoreApplication>
#include <QDomDocument>

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

struct Reading {
    double subject = 0;
    double baseline = 0;
};

Reading measure(KivRSSSocket& socket, const QString& xml, int entries, int repetitions)
{
    qint32 read = -1;
    const auto connection =
        QObject::connect(&socket, &KivRSSSocket::RSSFeedReceived,
                         [&](const KivRSSFeed& feed) { read = feed.EntryCount; });
    const auto [subject, baseline] = bench::medianPair(
        [&] {
            read = -1;
            socket.LoadXML(xml);
            if (read != entries)
                qFatal("the feed was not read whole: %d of %d entries", read, entries);
        },
        [&] {
            QDomDocument document;
            if (!document.setContent(xml, false))
                qFatal("the feed is not XML");
        },
        repetitions);
    QObject::disconnect(connection);
    return {subject, baseline};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    KivRSSSocket socket;
    bool met = true;
    const int repetitions = 7;
    for (const auto& [kind, make] : {std::pair{"RSS", &rssFeed}, std::pair{"Atom", &atomFeed}}) {
        const Reading small = measure(socket, make(10000), 10000, repetitions);
        const Reading large = measure(socket, make(40000), 40000, repetitions);
        met &= bench::report(QStringLiteral("%1 feed, 10,000 entries: LoadXML vs QDomDocument")
                                 .arg(QLatin1StringView(kind)),
                             small.subject, small.baseline, 1.5);
        met &= bench::report(QStringLiteral("%1 feed, 40,000 entries: LoadXML vs QDomDocument")
                                 .arg(QLatin1StringView(kind)),
                             large.subject, large.baseline, 1.5);
        met &= bench::report(QStringLiteral("%1 feed: LoadXML, 40,000 vs 10,000 entries")
                                 .arg(QLatin1StringView(kind)),
                             large.subject, small.subject, 4.4);
        // What the parser alone does with four times the entries, for comparison.
        bench::note(QStringLiteral("%1 feed: QDomDocument alone, 40,000 vs 10,000 entries")
                        .arg(QLatin1StringView(kind)),
                    large.baseline, small.baseline);
    }
    return met ? 0 : 1;
}
