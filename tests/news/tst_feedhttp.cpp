#include "apptest.h"
#include "httpfixture.h"
#include "scripteddesktop.h"

#include "news/kivrss.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <stdexcept>

namespace {

const QByteArray kFeed = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>Deals</title>"
                         "<item><title>One</title><link>http://a.test/1</link></item>"
                         "<item><title>Two</title><link>http://a.test/2</link></item>"
                         "</channel></rss>";
const QByteArray kHtmlPage =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><body>Moved</body></html>";
const QByteArray kNotFoundXml = "<?xml version=\"1.0\"?><rss><channel><title>Missing</title>"
                                "<item><title>Try later</title></item></channel></rss>";
const QByteArray kNotXml = "Internal error, please try again";

// A body larger than the reader accepts, as a feed that never ends would be.
QByteArray oversized()
{
    QByteArray body = "<rss><channel>";
    const QByteArray item = "<item><title>Filler</title></item>";
    while (body.size() <= KivRSSSocket::kDefaultMaxBodyBytes + 1024)
        body += item;
    return body + "</channel></rss>";
}

} // namespace

class TestFeedHttp : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void download_data();
    void download();
    void handlerFailureReachesTheApplication();
    void silentServerTimesOut();
    void destroyedWhileWaiting();

private:
    std::unique_ptr<HttpFixture> m_server;
    std::unique_ptr<KivRSSSocket> m_reader;
    QStringList m_events;
    QList<KivRSSFeed> m_feeds;
};

void TestFeedHttp::init()
{
    m_server = std::make_unique<HttpFixture>();
    QVERIFY(m_server->start());
    m_server->serve(QStringLiteral("/feed.xml"), 200, kFeed);
    m_server->serve(QStringLiteral("/page.html"), 200, kHtmlPage, "text/html");
    m_server->serve(QStringLiteral("/gone.xml"), 404, kNotFoundXml);
    m_server->serve(QStringLiteral("/broken"), 500, kNotXml, "text/plain");
    m_server->serve(QStringLiteral("/huge.xml"), 200, oversized());
    m_server->serveUnsized(QStringLiteral("/endless.xml"), oversized());
    m_server->serveUnsized(QStringLiteral("/unsized.xml"), kFeed);
    m_server->serveSilence(QStringLiteral("/silent.xml"));

    m_reader = std::make_unique<KivRSSSocket>();
    m_events.clear();
    m_feeds.clear();
    connect(m_reader.get(), &KivRSSSocket::RSSFeedReceived, this, [this](const KivRSSFeed& feed) {
        m_events << QStringLiteral("feed");
        m_feeds << feed;
    });
    connect(m_reader.get(), &KivRSSSocket::ErrorInRSSFeed, this,
            [this](const QString&) { m_events << QStringLiteral("error"); });
    connect(m_reader.get(), &KivRSSSocket::ReceivedNonXMLPage, this,
            [this](const QString&) { m_events << QStringLiteral("nonxml"); });
}

void TestFeedHttp::cleanup()
{
    m_reader.reset();
    m_server.reset();
}

void TestFeedHttp::download_data()
{
    QTest::addColumn<QString>("path"); // on the fixture; empty for a refused connection
    QTest::addColumn<QString>("event");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QByteArray>("lastXML"); // what the reader keeps

    QTest::newRow("feed") << "/feed.xml"
                          << "feed" << 2 << kFeed;
    QTest::newRow("feed without a length") << "/unsized.xml"
                                           << "feed" << 2 << kFeed;
    QTest::newRow("HTML page") << "/page.html"
                               << "nonxml" << 0 << kHtmlPage;
    QTest::newRow("404 page that is well-formed XML") << "/gone.xml"
                                                      << "feed" << 1 << kNotFoundXml;
    QTest::newRow("page that is not XML") << "/broken"
                                          << "error" << 0 << kNotXml;
    QTest::newRow("refused connection") << ""
                                        << "" << 0 << QByteArray();
    QTest::newRow("oversized body with its length") << "/huge.xml"
                                                    << "" << 0 << QByteArray();
    QTest::newRow("oversized body without a length") << "/endless.xml"
                                                     << "" << 0 << QByteArray();
}

void TestFeedHttp::download()
{
    QFETCH(QString, path);
    QFETCH(QString, event);
    QFETCH(int, entries);
    QFETCH(QByteArray, lastXML);

    QSignalSpy ended(m_reader.get(), &KivRSSSocket::downloadEnded);
    m_reader->GetRSSFeed(path.isEmpty() ? HttpFixture::refusedUrl() : m_server->url(path));
    // The request only starts here; the page arrives later as an event.
    QVERIFY(m_events.isEmpty());
    QVERIFY(ended.wait(15000));

    QCOMPARE(m_events, event.isEmpty() ? QStringList() : QStringList{event});
    if (event == QLatin1String("feed"))
        QCOMPARE(m_feeds.first().EntryCount, entries);
    QCOMPARE(m_reader->GetLastFeedXML(), QString::fromUtf8(lastXML));
    QCOMPARE(m_reader->downloadsInFlight(), 0);
    if (!path.isEmpty())
        QCOMPARE(m_server->requests, QStringList{path});
}

// What escapes the owner's error handler during a download goes to the application's
// handler, like any failure of an event, and the program runs on.
void TestFeedHttp::handlerFailureReachesTheApplication()
{
    ScriptedDesktop desktop;
    connect(m_reader.get(), &KivRSSSocket::ErrorInRSSFeed, this,
            [](const QString&) { throw std::out_of_range("owner failed"); });
    QSignalSpy ended(m_reader.get(), &KivRSSSocket::downloadEnded);
    m_reader->GetRSSFeed(m_server->url(QStringLiteral("/broken")));
    QVERIFY(ended.wait(15000));
    QCOMPARE(m_events, QStringList{"error"});
    QTRY_COMPARE(desktop.messages(), QStringList{App::kOutOfBoundsMessage});

    // The reader still works afterwards.
    m_reader->GetRSSFeed(m_server->url(QStringLiteral("/feed.xml")));
    QVERIFY(ended.wait(15000));
    QCOMPARE(m_events, QStringList({"error", "feed"}));
}

void TestFeedHttp::silentServerTimesOut()
{
    m_reader->setTransferTimeout(300);
    QSignalSpy ended(m_reader.get(), &KivRSSSocket::downloadEnded);
    QElapsedTimer clock;
    clock.start();
    m_reader->GetRSSFeed(m_server->url(QStringLiteral("/silent.xml")));
    QVERIFY(ended.wait(10000));
    QVERIFY2(clock.elapsed() >= 250, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(m_events.isEmpty());
    QVERIFY(m_reader->GetLastFeedXML().isEmpty());
    QCOMPARE(m_server->requests, QStringList{"/silent.xml"});
    // The reader closed the connection it gave up on.
    QTRY_COMPARE(m_server->abandoned, 1);
}

void TestFeedHttp::destroyedWhileWaiting()
{
    QSignalSpy asked(m_server.get(), &HttpFixture::requestReceived);
    m_reader->GetRSSFeed(m_server->url(QStringLiteral("/silent.xml")));
    QVERIFY(asked.wait(5000));
    QCOMPARE(m_reader->downloadsInFlight(), 1);

    QElapsedTimer clock;
    clock.start();
    m_reader.reset();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QTRY_COMPARE(m_server->abandoned, 1);
    QVERIFY(m_events.isEmpty());
}

TANDEO_TEST_MAIN(TestFeedHttp)
#include "tst_feedhttp.moc"
