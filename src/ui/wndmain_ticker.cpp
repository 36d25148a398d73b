// The deals ticker below the wizard: the deals feed is downloaded when the window opens and
// its headlines rotate on RSSTimer, with the local deals file standing in for a page that is
// not a feed.

#include "ui/wndmain.h"

#include "news/urlbutton.h"
#include "platform/paths.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QTimer>
#include <QUrl>

#include <limits>

const QString wndMain::kDealsFeedUrl =
    QStringLiteral("https://www.example.com/tandeo/specialdeals.xml");

namespace {

QString& configuredDealsFeedUrl()
{
    static QString url = wndMain::kDealsFeedUrl;
    return url;
}

// The number a text starts with, after any leading blanks ("2500 ms" gives 2500, "Deals"
// gives 0), in whole units.
qint64 leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    qint64 value = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i)
        value = std::min<qint64>(value * 10 + (text.at(i).unicode() - u'0'),
                                 std::numeric_limits<int>::max());
    return negative ? -value : value;
}

// Headline links come from the network: only web pages are opened or dragged, never a file,
// a script or another program's address.
bool isWebLink(const QString& link)
{
    const QUrl url(link.trimmed());
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

} // namespace

QString wndMain::dealsFeedUrl()
{
    return configuredDealsFeedUrl();
}

void wndMain::setDealsFeedUrl(const QString& url)
{
    configuredDealsFeedUrl() = url;
}

void wndMain::buildTicker()
{
    KivRSSSocket1 = new KivRSSSocket(this);
    KivRSSSocket1->setObjectName(QStringLiteral("KivRSSSocket1"));
}

void wndMain::connectTicker()
{
    connect(KivRSSSocket1, &KivRSSSocket::RSSFeedReceived, this,
            &wndMain::KivRSSSocket1_RSSFeedReceived);
    connect(KivRSSSocket1, &KivRSSSocket::ErrorInRSSFeed, this,
            &wndMain::KivRSSSocket1_ErrorInRSSFeed);
    connect(KivRSSSocket1, &KivRSSSocket::ReceivedNonXMLPage, this,
            &wndMain::KivRSSSocket1_ReceivedNonXMLPage);
    connect(RSSTimer, &QTimer::timeout, this, &wndMain::RSSTimer_Action);
}

void wndMain::startDeals()
{
    m_altDealsRead = false;
    const QString url = dealsFeedUrl();
    if (!url.isEmpty())
        KivRSSSocket1->GetRSSFeed(url);
}

void wndMain::KivRSSSocket1_RSSFeedReceived(const KivRSSFeed& feed)
{
    // A feed without headlines changes nothing: the ticker keeps what it had.
    if (feed.EntryCount <= 0)
        return;
    CurrFeed = feed;
    CurrItem = 0;

    // "3000|Weekly deals" rotates every three seconds. A description without a number in
    // front keeps the period the timer had, so the ticker never spins.
    const QStringList parts = feed.Description.split(QLatin1Char('|'));
    if (parts.size() >= 2) {
        const qint64 period = leadingNumber(parts.first());
        if (period > 0)
            RSSTimer->setInterval(int(period));
    }
    RSSTimer->setSingleShot(false);
    RSSTimer->start();

    Deal.clear();
    DealLink.clear();
    const qsizetype count = std::min<qsizetype>(feed.EntryCount, feed.Entry.size());
    for (qsizetype i = 0; i < count; ++i) {
        Deal << feed.Entry.at(i).Title;
        DealLink << feed.Entry.at(i).Link;
    }
}

void wndMain::KivRSSSocket1_ErrorInRSSFeed(const QString& /*text*/)
{
    LoadAltDeals();
}

void wndMain::KivRSSSocket1_ReceivedNonXMLPage(const QString& /*text*/)
{
    LoadAltDeals();
}

void wndMain::RSSTimer_Action()
{
    if (Deal.isEmpty())
        return;
    if (CurrItem < 0 || CurrItem >= Deal.size())
        CurrItem = 0;
    // The caption is set directly: the link keeps the size of its placeholder and clips
    // what does not fit.
    URLButton1->setText(Deal.at(CurrItem));
    const QString& link = DealLink.at(CurrItem);
    URLButton1->SetURL(isWebLink(link) ? link : QString(), false);
    ++CurrItem;
    if (CurrItem > Deal.size() - 1)
        CurrItem = 0;
    if (lblHeadlines->isHidden()) {
        lblHeadlines->show();
        URLButton1->show();
    }
}

void wndMain::LoadAltDeals()
{
    // Once per download: a local file that is no feed either would otherwise be read again
    // from inside its own reading, without end.
    if (m_altDealsRead)
        return;
    m_altDealsRead = true;

    QFile file(QDir(platform::resourceFolder()).filePath(QStringLiteral("specialdeals.xml")));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QDomDocument document;
    if (!document.setContent(KivRSSSocket::decodeBody(file.readAll()), false))
        return; // not XML: nothing to show, and nothing the user must hear about
    KivRSSSocket1->LoadXML(document.toString());
}
