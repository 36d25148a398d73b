#include "apptest.h"

#include "news/kivrss.h"

#include <QElapsedTimer>
#include <QTest>

#include <functional>
#include <stdexcept>

namespace {

// The fields of a feed that are not empty, in a form a table row can spell out.
QString describe(const KivRSSFeed& feed)
{
    QStringList parts{QStringLiteral("type=%1").arg(feed.FeedType)};
    auto add = [](QStringList& list, const char* name, const QString& value) {
        if (!value.isEmpty())
            list << QStringLiteral("%1=%2").arg(QLatin1StringView(name), value);
    };
    add(parts, "title", feed.Title);
    add(parts, "link", feed.Link);
    add(parts, "description", feed.Description);
    add(parts, "pubdate", feed.PubDate);
    add(parts, "generator", feed.Generator);
    add(parts, "language", feed.Language);
    for (const KivRSSEntry& e : feed.Entry) {
        QStringList fields;
        add(fields, "title", e.Title);
        add(fields, "link", e.Link);
        add(fields, "comments", e.Comments);
        add(fields, "pubdate", e.PubDate);
        add(fields, "creator", e.Creator);
        add(fields, "category", e.Category);
        add(fields, "guid", e.GUID);
        add(fields, "description", e.Description);
        add(fields, "content", e.ContentEncoded);
        parts << QStringLiteral("entry{%1}").arg(fields.join(QLatin1Char(',')));
    }
    return parts.join(QLatin1Char(' '));
}

// What one reader raised, in order: "feed", "error", "nonxml".
struct Recorder {
    explicit Recorder(KivRSSSocket& reader)
    {
        QObject::connect(&reader, &KivRSSSocket::RSSFeedReceived, [this](const KivRSSFeed& feed) {
            events << QStringLiteral("feed");
            feeds << feed;
            if (onFeed)
                onFeed();
        });
        QObject::connect(&reader, &KivRSSSocket::ErrorInRSSFeed, [this](const QString& text) {
            events << QStringLiteral("error");
            texts << text;
            if (onError)
                onError();
        });
        QObject::connect(&reader, &KivRSSSocket::ReceivedNonXMLPage, [this](const QString& text) {
            events << QStringLiteral("nonxml");
            texts << text;
            if (onNonXml)
                onNonXml();
        });
    }
    QStringList events;
    QList<KivRSSFeed> feeds;
    QStringList texts;
    std::function<void()> onFeed, onError, onNonXml;
};

// Document text from the table (a function, not a macro, so multi-line raw strings are fine).
QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const QString kAtomNs = QStringLiteral("http://www.w3.org/2005/Atom");

// Entities nested ten deep, ten references each: a billion characters once expanded.
QString billionLaughs()
{
    QString doc =
        QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE rss [\n<!ENTITY lol0 \"lol\">\n");
    for (int i = 1; i <= 9; ++i)
        doc += QStringLiteral("<!ENTITY lol%1 \"%2\">\n")
                   .arg(i)
                   .arg(QStringLiteral("&lol%1;").arg(i - 1).repeated(10));
    return doc + QStringLiteral("]>\n<rss><channel><title>&lol9;</title></channel></rss>");
}

// One entity just under the parser's own limit, referenced often: gigabytes from 3 MB.
QString quadraticBlowup()
{
    return QStringLiteral("<!DOCTYPE rss [<!ENTITY a \"%1\">]><rss><channel><title>")
               .arg(QString(4000, QLatin1Char('x'))) +
           QStringLiteral("&a;").repeated(1000000) + QStringLiteral("</title></channel></rss>");
}

} // namespace

class TestFeedReader : public QObject {
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void loadXmlTwice();
    void handlerFailures_data();
    void handlerFailures();
    void urlRewrite_data();
    void urlRewrite();
    void bodyDecoding_data();
    void bodyDecoding();
};

void TestFeedReader::reading_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("event"); // "feed", "error", "nonxml" or "" for none
    QTest::addColumn<QString>("feed");  // describe() of the feed when one is raised

    QTest::newRow("RSS 2.0, three items")
        << text("<?xml version='1.0'?>\n"
                "<rss version='2.0' xmlns:dc='http://purl.org/dc/elements/1.1/'\n"
                "xmlns:content='http://purl.org/rss/1.0/modules/content/'>\n"
                "<channel>\n"
                "<title>Deals</title><link>http://a.test/</link><description>3000|Weekly "
                "deals</description>\n"
                "<pubDate>Mon, 06 Sep 2010 16:45:00 +0000</pubDate><generator>Gen 1</generator>\n"
                "<language>en-us</language>\n"
                "<item><title>One</title><link>http://a.test/1</link><comments>http://a.test/c</"
                "comments>\n"
                "<dc:creator>Ann</dc:creator><category>Tools</category><guid>g1</guid>\n"
                "<description>First &amp; best</description><pubDate>Tue</pubDate>\n"
                "<content:encoded><![CDATA[<p>Body</p>]]></content:encoded></item>\n"
                "<item><title>Two</title><link>http://a.test/2</link></item>\n"
                "<item><title>Three</title><link>http://a.test/3</link></item>\n"
                "</channel>\n"
                "</rss>")
        << "feed"
        << "type=0 title=Deals link=http://a.test/ description=3000|Weekly deals "
           "pubdate=Mon, 06 Sep 2010 16:45:00 +0000 generator=Gen 1 language=en-us "
           "entry{title=One,link=http://a.test/1,comments=http://a.test/c,pubdate=Tue,creator=Ann,"
           "category=Tools,guid=g1,description=First & best,content=<p>Body</p>} "
           "entry{title=Two,link=http://a.test/2} entry{title=Three,link=http://a.test/3}";

    QTest::newRow("prefixed Atom namespace is still RSS")
        << text("<rss version='2.0' xmlns:atom='http://www.w3.org/2005/Atom'><channel>\n"
                "<atom:link href='http://a.test/self' rel='self'/><title>T</title>\n"
                "<item><title>A</title></item></channel></rss>")
        << "feed"
        << "type=0 title=T entry{title=A}";

    QTest::newRow("Atom namespace in other capitals")
        << text("<feed xmlns='http://purl.org/AtOm/ns#'><title>F</title>\n"
                "<entry><link href='http://a.test/1' title='Deal 1'/></entry></feed>")
        << "feed"
        << "type=1 title=F entry{title=Deal 1,link=http://a.test/1}";

    QTest::newRow("last of a repeated element wins")
        << text("<rss><channel><title>Old</title><title>New</title>\n"
                "<item><category>a</category><category>b</category></item></channel></rss>")
        << "feed"
        << "type=0 title=New entry{category=b}";

    QTest::newRow("empty elements are skipped")
        << text("<rss><channel><title>Kept</title><title/><link></link>\n"
                "<item><title>Item</title><title></title><link/></item></channel></rss>")
        << "feed"
        << "type=0 title=Kept entry{title=Item}";

    QTest::newRow("names in other capitals, prefixes as written")
        << text("<rss xmlns:DC='urn:dc' xmlns:x='urn:x'><channel><pubdate>Chan</pubdate>\n"
                "<TITLE>Caps</TITLE>\n"
                "<item><PubDate>P1</PubDate><DC:Creator>Bob</DC:Creator><x:creator>No</x:creator></"
                "item>\n"
                "<item><pubDate>P2</pubDate><GUID>g</GUID></item></channel></rss>")
        << "feed"
        << "type=0 title=Caps pubdate=Chan entry{pubdate=P1,creator=Bob} entry{pubdate=P2,guid=g}";

    QTest::newRow("empty item adds an empty entry")
        << QStringLiteral("<rss><channel><title>T</title><item/><item></item></channel></rss>")
        << "feed"
        << "type=0 title=T entry{} entry{}";

    QTest::newRow("RSS 1.0: items beside the channel")
        << text("<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'\n"
                "xmlns='http://purl.org/rss/1.0/'><channel><title>Old style</title>\n"
                "<link>http://a.test/</link></channel>\n"
                "<item><title>Not read</title></item></rdf:RDF>")
        << "feed"
        << "type=0 title=Old style link=http://a.test/";

    QTest::newRow("comment before the channel")
        << QStringLiteral("<rss><!-- deals --><channel><title>T</title><item><title>A</title>"
                          "</item></channel></rss>")
        << "feed"
        << "type=0";

    QTest::newRow("processing instruction before the channel")
        << QStringLiteral("<rss><?render fast?><channel><item/></channel></rss>") << "feed"
        << "type=0";

    QTest::newRow("root without children") << QStringLiteral("<rss version=\"2.0\"/>") << ""
                                           << "";

    QTest::newRow("Atom feed and entries")
        << text("<feed xmlns='%1'><title>Atom deals</title><link href='http://a.test/'/>\n"
                "<modified>2024-01-02</modified><generator>G</generator><language>de</language>\n"
                "<description>D</description>\n"
                "<entry><title>Ignored title</title><link href='http://a.test/1' title='Linked'/>\n"
                "<id>urn:1</id><summary>S</summary><content>C</content><created>2024</created>\n"
                "<category>K</category><author>Writer</author></entry>\n"
                "<entry><link href='http://a.test/2' title='Second'/></entry></feed>")
               .arg(kAtomNs)
        << "feed"
        << "type=1 title=Atom deals link=http://a.test/ description=D pubdate=2024-01-02 "
           "generator=G language=de entry{title=Linked,link=http://a.test/1,pubdate=2024,"
           "creator=Writer,category=K,guid=urn:1,description=S,content=C} "
           "entry{title=Second,link=http://a.test/2}";

    QTest::newRow("Atom author with a name element takes the element's empty value")
        << text("<feed xmlns='%1'><entry><author><name>N</name></author>\n"
                "<link href='h' title='t'/></entry></feed>")
               .arg(kAtomNs)
        << "feed"
        << "type=1 entry{title=t,link=h}";

    QTest::newRow("Atom several links: the last href")
        << text("<feed xmlns='%1'><link href='http://a.test/one'/>\n"
                "<link rel='alternate' href='http://a.test/two'/></feed>")
               .arg(kAtomNs)
        << "feed"
        << "type=1 link=http://a.test/two";

    QTest::newRow("Atom entry link without a title")
        << text("<feed xmlns='%1'><entry><link href='http://a.test/1'/></entry></feed>")
               .arg(kAtomNs)
        << "error"
        << "";

    QTest::newRow("Atom feed link without href")
        << text("<feed xmlns='%1'><link rel='self'/></feed>").arg(kAtomNs) << "error"
        << "";

    QTest::newRow("Atom empty generator")
        << text("<feed xmlns='%1'><title>T</title><generator/></feed>").arg(kAtomNs) << "error"
        << "";

    QTest::newRow("HTML doctype inside a feed's description")
        << QStringLiteral("<rss><channel><description><![CDATA[<!DOCTYPE HTML PUBLIC \"-//W3C\">]]>"
                          "</description><item/></channel></rss>")
        << "nonxml"
        << "";

    QTest::newRow("HTML page, doctype in small letters")
        << QStringLiteral("<!doctype html public \"-//W3C//DTD HTML 4.01//EN\">\n<html><body>Hi"
                          "</body></html>")
        << "nonxml"
        << "";

    QTest::newRow("HTML5 page") << QStringLiteral("<!DOCTYPE html><html><body><br></body></html>")
                                << "error"
                                << "";
    QTest::newRow("text that is not XML")
        << QStringLiteral("Service temporarily unavailable") << "error"
        << "";
    QTest::newRow("empty text") << QString() << "error"
                                << "";
    QTest::newRow("billion laughs") << billionLaughs() << "error"
                                    << "";
    QTest::newRow("one entity referenced a million times") << quadraticBlowup() << "error"
                                                           << "";

    QTest::newRow("entities used modestly are expanded")
        << text("<!DOCTYPE rss [<!ENTITY shop 'Tandeo Shop'>]>\n"
                "<rss><channel><title>&shop; "
                "deals</title><item><title>&shop;</title></item></channel></rss>")
        << "feed"
        << "type=0 title=Tandeo Shop deals entry{title=Tandeo Shop}";
}

void TestFeedReader::reading()
{
    QFETCH(QString, xml);
    QFETCH(QString, event);
    QFETCH(QString, feed);

    KivRSSSocket reader;
    Recorder seen(reader);
    QElapsedTimer clock;
    clock.start();
    reader.LoadXML(xml);
    // Hostile documents are refused quickly rather than expanded.
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));

    QCOMPARE(seen.events, event.isEmpty() ? QStringList() : QStringList{event});
    QCOMPARE(reader.GetLastFeedXML(), xml);
    QCOMPARE(reader.lastXML, xml);
    if (event == QLatin1String("feed")) {
        const KivRSSFeed& got = seen.feeds.first();
        QCOMPARE(got.EntryCount, got.Entry.size());
        QCOMPARE(describe(got), feed);
    } else if (!event.isEmpty()) {
        // The whole text, not a message.
        QCOMPARE(seen.texts.first(), xml);
    }
}

void TestFeedReader::loadXmlTwice()
{
    const QString xml =
        QStringLiteral("<rss><channel><item><title>A</title></item></channel></rss>");
    KivRSSSocket reader;
    Recorder seen(reader);
    reader.LoadXML(xml);
    reader.LoadXML(xml);
    QCOMPARE(seen.events, QStringList({"feed", "feed"}));
    // Two records: each read starts from an empty feed, nothing accumulates.
    QCOMPARE(seen.feeds.at(0).EntryCount, 1);
    QCOMPARE(seen.feeds.at(1).EntryCount, 1);
    QCOMPARE(describe(seen.feeds.at(1)), QStringLiteral("type=0 entry{title=A}"));
}

// The owner's handlers run inside the reading; what escapes them ends where the reader says.
void TestFeedReader::handlerFailures_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("throwingHandler");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<bool>("reachesCaller");

    const QString rss = QStringLiteral("<rss><channel><item/></channel></rss>");
    const QString atom = QStringLiteral("<feed xmlns=\"%1\"><entry/></feed>").arg(kAtomNs);
    const QString html = QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\"><html></html>");
    const QString junk = QStringLiteral("not xml");

    QTest::newRow("RSS feed handler: swallowed") << rss << "feed" << QStringList{"feed"} << false;
    QTest::newRow("Atom feed handler: becomes an error event")
        << atom << "feed" << QStringList{"feed", "error"} << false;
    QTest::newRow("page handler: swallowed") << html << "nonxml" << QStringList{"nonxml"} << false;
    QTest::newRow("error handler, text not XML: passed on")
        << junk << "error" << QStringList{"error"} << true;
    QTest::newRow("error handler, broken Atom: passed on")
        << QStringLiteral("<feed xmlns=\"%1\"><generator/></feed>").arg(kAtomNs) << "error"
        << QStringList{"error"} << true;
}

void TestFeedReader::handlerFailures()
{
    QFETCH(QString, xml);
    QFETCH(QString, throwingHandler);
    QFETCH(QStringList, events);
    QFETCH(bool, reachesCaller);

    KivRSSSocket reader;
    Recorder seen(reader);
    auto fail = [] { throw std::out_of_range("handler failed"); };
    if (throwingHandler == QLatin1String("feed"))
        seen.onFeed = fail;
    else if (throwingHandler == QLatin1String("error"))
        seen.onError = fail;
    else
        seen.onNonXml = fail;

    bool caught = false;
    try {
        reader.LoadXML(xml);
    } catch (const std::out_of_range&) {
        caught = true; // the owner's own failure, unchanged
    }
    QCOMPARE(caught, reachesCaller);
    QCOMPARE(seen.events, events);
    QCOMPARE(reader.GetLastFeedXML(), xml);
}

void TestFeedReader::urlRewrite_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("fetched");

    QCOMPARE(KivRSSSocket::kPhotoFeedPrefix.size(), 24);
    QCOMPARE(KivRSSSocket::kWebPagePrefix.size(), 18);
    const QString photo = KivRSSSocket::kPhotoFeedPrefix;
    const QString page = KivRSSSocket::kWebPagePrefix;

    QTest::newRow("photo feed") << photo + "/shop/rss.xml" << page + "/shop/rss.xml";
    QTest::newRow("prefix in other capitals")
        << photo.toUpper() + "/Shop/RSS.xml" << page + "/Shop/RSS.xml";
    QTest::newRow("the prefix alone") << photo << page;
    QTest::newRow("shorter than the prefix") << photo.left(23) << photo.left(23);
    QTest::newRow("other host") << "http://www.example.com/tandeo/specialdeals.xml"
                                << "http://www.example.com/tandeo/specialdeals.xml";
    QTest::newRow("prefix later in the address")
        << "http://a.test/?u=" + photo << "http://a.test/?u=" + photo;
}

void TestFeedReader::urlRewrite()
{
    QFETCH(QString, url);
    QFETCH(QString, fetched);
    QCOMPARE(KivRSSSocket::rewrittenUrl(url), fetched);
}

void TestFeedReader::bodyDecoding_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");

    const QString cafe = QStringLiteral("<t>caf\u00e9 \u201cdeal\u201d</t>");
    QTest::newRow("UTF-8") << cafe.toUtf8() << cafe;
    QTest::newRow("UTF-8 with byte order mark")
        << QByteArray("\xEF\xBB\xBF") + cafe.toUtf8() << cafe;
    QByteArray utf16("\xFF\xFE");
    for (QChar c : cafe)
        utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
    QTest::newRow("UTF-16 with byte order mark") << utf16 << cafe;
    QTest::newRow("Windows-1252 without declaration") << QByteArray("<t>caf\xE9 \x93"
                                                                    "deal\x94</t>")
                                                      << cafe;
    QTest::newRow("declared ISO-8859-1")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><t>caf\xE9</t>")
        << QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><t>caf\u00e9</t>");
}

void TestFeedReader::bodyDecoding()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    QCOMPARE(KivRSSSocket::decodeBody(body), text);
}

TANDEO_TEST_MAIN(TestFeedReader)
#include "tst_feedreader.moc"
