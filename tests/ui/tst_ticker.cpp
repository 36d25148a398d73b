// The deals ticker of the main window, fed over HTTP on 127.0.0.1.

#include "apptest.h"
#include "httpfixture.h"
#include "scripteddesktop.h"
#include "testapp.h"

#include "news/urlbutton.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using Headline = std::pair<QString, QString>; // title, link

QByteArray rssFeed(const QString& description, const QList<Headline>& headlines)
{
    QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\">"
                       "<channel><title>Special deals</title><description>%1</description>\n")
            .arg(description.toHtmlEscaped());
    for (const auto& [title, link] : headlines)
        xml += QStringLiteral("<item><title>%1</title><link>%2</link></item>\n")
                   .arg(title.toHtmlEscaped(), link.toHtmlEscaped());
    return (xml + QStringLiteral("</channel></rss>\n")).toUtf8();
}

const QList<Headline> kThree = {{"Widgets half price", "http://deals.test/widgets"},
                                {"Gadgets for less", "https://deals.test/gadgets"},
                                {"Free shipping", "http://deals.test/shipping"}};
const QByteArray kHtmlPage =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><body>Parked</body></html>";
const QByteArray kNotXml = "Service unavailable";

} // namespace

class TestTicker : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rotation_data();
    void rotation();
    void period_data();
    void period();
    void clickOpensTheShownHeadline();
    void onlyWebLinksOpen();
    void feedWithoutEntries();
    void localFallback_data();
    void localFallback();
    void laterFeedReplacesTheHeadlines();
    void quitWhileTheDownloadHangs();
    void picture();

private:
    // Starts the program with the deals feed at this path of the fixture.
    void startWithFeedAt(const QString& path);
    void startWithFeedUrl(const QString& url);
    // Waits until the window's download is over (read or failed).
    bool waitForDownload();
    void writeLocalDeals(const QByteArray& contents);
    // The captions of the next n ticks.
    QStringList nextCaptions(int n);

    wndMain& window() { return m_started->window(); }

    std::unique_ptr<HttpFixture> m_server;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<QTemporaryDir> m_resources;
    std::unique_ptr<QSignalSpy> m_downloadEnded;
    std::unique_ptr<StartedApp> m_started;
};

void TestTicker::init()
{
    m_server = std::make_unique<HttpFixture>();
    QVERIFY(m_server->start());
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_resources = std::make_unique<QTemporaryDir>();
    QVERIFY(m_resources->isValid());
    QVERIFY(QFile::copy(shippedResourceFolder() + QStringLiteral("/templates.xml"),
                        m_resources->filePath(QStringLiteral("templates.xml"))));
}

void TestTicker::cleanup()
{
    // The ticker never shows a message, whatever happened.
    if (m_desktop)
        QCOMPARE(m_desktop->messages(), QStringList());
    m_downloadEnded.reset();
    m_started.reset();
    m_desktop.reset();
    m_resources.reset();
    m_server.reset();
    wndMain::setDealsFeedUrl(QString());
}

void TestTicker::startWithFeedAt(const QString& path)
{
    startWithFeedUrl(m_server->url(path));
}

void TestTicker::startWithFeedUrl(const QString& url)
{
    wndMain::setDealsFeedUrl(url);
    m_started = std::make_unique<StartedApp>(m_resources->path());
    m_downloadEnded =
        std::make_unique<QSignalSpy>(window().KivRSSSocket1, &KivRSSSocket::downloadEnded);
}

bool TestTicker::waitForDownload()
{
    return !m_downloadEnded->isEmpty() || m_downloadEnded->wait(15000);
}

void TestTicker::writeLocalDeals(const QByteArray& contents)
{
    QFile file(m_resources->filePath(QStringLiteral("specialdeals.xml")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QStringList TestTicker::nextCaptions(int n)
{
    QStringList captions;
    // Connected after the window's own handler, so it sees each tick's result.
    auto seen = connect(window().RSSTimer, &QTimer::timeout, this,
                        [&] { captions << window().URLButton1->text(); });
    QElapsedTimer clock;
    clock.start();
    while (captions.size() < n && clock.elapsed() < 15000)
        QTest::qWait(10);
    disconnect(seen);
    return captions;
}

void TestTicker::rotation_data()
{
    QTest::addColumn<QList<Headline>>("headlines");
    QTest::addColumn<QStringList>("captions");

    QTest::newRow("three headlines, round again")
        << kThree
        << QStringList{"Widgets half price", "Gadgets for less", "Free shipping",
                       "Widgets half price", "Gadgets for less"};
    QTest::newRow("one headline") << QList<Headline>{{"Only deal", "http://deals.test/only"}}
                                  << QStringList{"Only deal", "Only deal", "Only deal"};
}

void TestTicker::rotation()
{
    QFETCH(QList<Headline>, headlines);
    QFETCH(QStringList, captions);

    m_server->serve(QStringLiteral("/specialdeals.xml"), 200, rssFeed("150|Deals", headlines));
    startWithFeedAt(QStringLiteral("/specialdeals.xml"));
    wndMain& w = window();
    const QSize linkSize = w.URLButton1->size();
    QVERIFY(w.lblHeadlines->isHidden());
    QVERIFY(w.URLButton1->isHidden());

    QElapsedTimer clock; // from the feed's arrival, when the window starts the timer
    connect(w.KivRSSSocket1, &KivRSSSocket::RSSFeedReceived, this, [&] { clock.start(); });
    QVERIFY(waitForDownload());
    QCOMPARE(m_server->requests, QStringList{"/specialdeals.xml"});
    QVERIFY(w.RSSTimer->isActive());
    QVERIFY(!w.RSSTimer->isSingleShot());
    QCOMPARE(w.RSSTimer->interval(), 150);
    QCOMPARE(w.Deal.size(), headlines.size());
    QCOMPARE(w.CurrFeed->EntryCount, headlines.size());
    // Nothing shows until the first tick.
    QVERIFY(w.lblHeadlines->isHidden());

    // Each tick as the window's own handler left it.
    qint64 firstTickAfter = -1;
    QStringList shown;
    QList<bool> visible;
    connect(w.RSSTimer, &QTimer::timeout, this, [&] {
        if (firstTickAfter < 0)
            firstTickAfter = clock.elapsed();
        shown << w.URLButton1->text();
        visible << (!w.lblHeadlines->isHidden() && !w.URLButton1->isHidden());
        if (shown.size() == 1)
            QCOMPARE(w.URLButton1->URL, headlines.first().second);
    });
    QTRY_VERIFY_WITH_TIMEOUT(shown.size() >= captions.size(), 15000);
    shown = shown.mid(0, captions.size());
    QCOMPARE(shown, captions);
    // The caption label and the link appear with the first headline, one period after the
    // feed arrived.
    QVERIFY2(firstTickAfter >= 100, qPrintable(QString::number(firstTickAfter)));
    QVERIFY(!visible.contains(false));
    QCOMPARE(w.lblHeadlines->text(), QStringLiteral("Click for more info:"));
    // The caption is set without resizing the link.
    QCOMPARE(w.URLButton1->size(), linkSize);
}

void TestTicker::period_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("interval");

    QTest::newRow("number before the bar") << "2000|Deals of the week" << 2000;
    QTest::newRow("blanks and units") << " 2500 ms|x" << 2500;
    QTest::newRow("no bar keeps the period") << "3000 deals" << 5000;
    QTest::newRow("letters before the bar keep the period") << "Deals|3000" << 5000;
    QTest::newRow("zero keeps the period") << "0|Deals" << 5000;
    QTest::newRow("negative keeps the period") << "-40|Deals" << 5000;
}

void TestTicker::period()
{
    QFETCH(QString, description);
    QFETCH(int, interval);

    m_server->serve(QStringLiteral("/specialdeals.xml"), 200, rssFeed(description, kThree));
    startWithFeedAt(QStringLiteral("/specialdeals.xml"));
    QVERIFY(waitForDownload());
    QCOMPARE(window().RSSTimer->interval(), interval);
    QVERIFY(window().RSSTimer->isActive());
    QVERIFY(!window().RSSTimer->isSingleShot());
}

void TestTicker::clickOpensTheShownHeadline()
{
    m_server->serve(QStringLiteral("/specialdeals.xml"), 200, rssFeed("100|Deals", kThree));
    startWithFeedAt(QStringLiteral("/specialdeals.xml"));
    wndMain& w = window();
    QVERIFY(waitForDownload());
    QTRY_VERIFY_WITH_TIMEOUT(!w.URLButton1->isHidden(), 5000);
    // Hold the rotation on the second headline.
    nextCaptions(1);
    w.RSSTimer->stop();
    QCOMPARE(w.URLButton1->text(), kThree.at(1).first);
    QCOMPARE(w.CurrItem, 2); // already pointing at the next headline

    QTest::mouseClick(w.URLButton1, Qt::LeftButton, {}, w.URLButton1->rect().center());
    QCOMPARE(m_desktop->openedUrls, QStringList{kThree.at(1).second});
}

void TestTicker::onlyWebLinksOpen()
{
    const QList<Headline> headlines = {{"Local file", "file:///etc/passwd"},
                                       {"Script", "javascript:alert(1)"},
                                       {"Other program", "tandeo-update:run"},
                                       {"Upper-case web", "HTTPS://deals.test/ok"}};
    m_server->serve(QStringLiteral("/specialdeals.xml"), 200, rssFeed("100|Deals", headlines));
    startWithFeedAt(QStringLiteral("/specialdeals.xml"));
    wndMain& w = window();
    QVERIFY(waitForDownload());
    QTRY_VERIFY_WITH_TIMEOUT(!w.URLButton1->isHidden(), 5000);
    w.RSSTimer->stop();

    QStringList shown, targets;
    for (int i = 0; i < headlines.size(); ++i) {
        w.CurrItem = i;
        w.RSSTimer_Action();
        shown << w.URLButton1->text();
        targets << w.URLButton1->URL;
        QTest::mouseClick(w.URLButton1, Qt::LeftButton, {}, w.URLButton1->rect().center());
    }
    // Every headline is shown; only the web link has a target.
    QCOMPARE(shown, QStringList({"Local file", "Script", "Other program", "Upper-case web"}));
    QCOMPARE(targets, QStringList({"", "", "", "HTTPS://deals.test/ok"}));
    for (const QString& opened : m_desktop->openedUrls)
        QVERIFY2(opened.isEmpty() || opened == QLatin1String("HTTPS://deals.test/ok"),
                 qPrintable(opened));
    QVERIFY(m_desktop->openedUrls.contains(QStringLiteral("HTTPS://deals.test/ok")));
}

void TestTicker::feedWithoutEntries()
{
    m_server->serve(QStringLiteral("/specialdeals.xml"), 200, rssFeed("100|Deals", {}));
    writeLocalDeals(rssFeed("100|Local", kThree)); // a feed that reads is no reason to fall back
    startWithFeedAt(QStringLiteral("/specialdeals.xml"));
    QVERIFY(waitForDownload());
    wndMain& w = window();
    QVERIFY(!w.RSSTimer->isActive());
    QVERIFY(!w.CurrFeed.has_value());
    QVERIFY(w.Deal.isEmpty());
    QTest::qWait(300);
    QVERIFY(w.lblHeadlines->isHidden());
    QVERIFY(w.URLButton1->isHidden());
}

void TestTicker::localFallback_data()
{
    QTest::addColumn<QString>("served");       // a path on the fixture, or "refused"
    QTest::addColumn<QByteArray>("localFile"); // empty for none
    QTest::addColumn<QString>("firstCaption"); // empty: the ticker stays hidden

    const QByteArray local = rssFeed("100|Local", {{"Local deal", "http://deals.test/local"}});
    QTest::newRow("HTML page, local feed") << "/page.html" << local << "Local deal";
    QTest::newRow("not XML, local feed") << "/broken" << local << "Local deal";
    QTest::newRow("404 that is not XML, local feed") << "/missing" << local << "Local deal";
    QTest::newRow("HTML page, no local file") << "/page.html" << QByteArray() << "";
    QTest::newRow("no connection, local feed") << "refused" << local << "";
    // Well-formed, so it is read, and then itself sends the reader to the local file.
    QTest::newRow("local file is an HTML page too")
        << "/page.html"
        << QByteArray("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
                      "\"http://www.w3.org/TR/html4/strict.dtd\"><html><body>Parked</body></html>")
        << "";
    QTest::newRow("local file is not a feed either")
        << "/broken" << QByteArray("<rss>&bad;</rss>") << "";
    QTest::newRow("local file is broken Atom") << "/broken"
                                               << QByteArray("<feed xmlns=\"http://www.w3.org/2005/"
                                                             "Atom\"><generator/></feed>")
                                               << "";
}

void TestTicker::localFallback()
{
    QFETCH(QString, served);
    QFETCH(QByteArray, localFile);
    QFETCH(QString, firstCaption);

    m_server->serve(QStringLiteral("/page.html"), 200, kHtmlPage, "text/html");
    m_server->serve(QStringLiteral("/broken"), 200, kNotXml, "text/plain");
    if (!localFile.isEmpty())
        writeLocalDeals(localFile);
    if (served == QLatin1String("refused"))
        startWithFeedUrl(HttpFixture::refusedUrl());
    else
        startWithFeedAt(served);
    wndMain& w = window();
    QVERIFY(waitForDownload());

    if (firstCaption.isEmpty()) {
        QVERIFY(!w.RSSTimer->isActive());
        QTest::qWait(300);
        QVERIFY(w.lblHeadlines->isHidden());
        QVERIFY(w.URLButton1->isHidden());
    } else {
        // The local file was read in place of the page.
        QVERIFY(w.KivRSSSocket1->GetLastFeedXML().contains(firstCaption));
        QTRY_VERIFY_WITH_TIMEOUT(!w.URLButton1->isHidden(), 5000);
        QCOMPARE(w.URLButton1->text(), firstCaption);
    }
}

void TestTicker::laterFeedReplacesTheHeadlines()
{
    m_server->serve(QStringLiteral("/specialdeals.xml"), 200, rssFeed("100|Deals", kThree));
    startWithFeedAt(QStringLiteral("/specialdeals.xml"));
    wndMain& w = window();
    QVERIFY(waitForDownload());
    QTRY_VERIFY_WITH_TIMEOUT(!w.URLButton1->isHidden(), 5000);
    nextCaptions(1);

    w.KivRSSSocket1->LoadXML(QString::fromUtf8(rssFeed(
        "120|More", {{"New one", "http://deals.test/n1"}, {"New two", "http://deals.test/n2"}})));
    QCOMPARE(w.CurrItem, 0);
    QCOMPARE(w.RSSTimer->interval(), 120);
    QCOMPARE(nextCaptions(3), QStringList({"New one", "New two", "New one"}));
    QVERIFY(!w.lblHeadlines->isHidden());
}

// Quitting while the server keeps the download waiting ends the program at once.
void TestTicker::quitWhileTheDownloadHangs()
{
    m_server->serveSilence(QStringLiteral("/specialdeals.xml"));
    QSignalSpy asked(m_server.get(), &HttpFixture::requestReceived);
    startWithFeedAt(QStringLiteral("/specialdeals.xml"));
    QVERIFY(asked.wait(5000));

    QElapsedTimer clock;
    clock.start();
    m_started->app.Close();
    m_downloadEnded.reset();
    m_started.reset();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    // The connection was given up, not left hanging.
    QTRY_COMPARE(m_server->abandoned, 1);
}

// The window with a headline showing, left in the test output folder for people to look at.
void TestTicker::picture()
{
    m_server->serve(QStringLiteral("/specialdeals.xml"), 200,
                    rssFeed("100|Deals", {{"Spring sale: every template pack half price this week "
                                           "only, and free updates for a year with each purchase "
                                           "made before the end of the month",
                                           "http://deals.test/spring"}}));
    startWithFeedAt(QStringLiteral("/specialdeals.xml"));
    wndMain& w = window();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(waitForDownload());
    QTRY_VERIFY_WITH_TIMEOUT(!w.URLButton1->isHidden(), 5000);
    const QImage picture = w.grab().toImage();
    QVERIFY(!picture.isNull());
    QVERIFY(picture.save(testOutputFolder() + QStringLiteral("/ticker.png")));
}

TANDEO_TEST_MAIN(TestTicker)
#include "tst_ticker.moc"
