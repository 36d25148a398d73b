// The feed reader on arbitrary bytes, decoded as a downloaded page is: whatever the text, the
// reader raises exactly the events it promises, with the text it was given, and every feed it
// delivers holds as many entries as it counts.

#include "fuzzinput.h"
#include "news/kivrss.h"

#include <QDomDocument>

using fuzzing::check;

namespace {

struct Events {
    QList<KivRSSFeed> feeds;
    QStringList errors;
    QStringList pages;
    int total() const { return int(feeds.size() + errors.size() + pages.size()); }
};

void checkFeed(const KivRSSFeed& feed)
{
    check(feed.EntryCount == feed.Entry.size(), "EntryCount equals the number of entries");
    check(feed.FeedType == KivRSSFeed::kRSS || feed.FeedType == KivRSSFeed::kAtom,
          "FeedType is RSS or Atom");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "feed_fuzzer";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static KivRSSSocket reader;
    static Events events;
    static const bool connected = [] {
        QObject::connect(&reader, &KivRSSSocket::RSSFeedReceived,
                         [](const KivRSSFeed& feed) { events.feeds << feed; });
        QObject::connect(&reader, &KivRSSSocket::ErrorInRSSFeed,
                         [](const QString& text) { events.errors << text; });
        QObject::connect(&reader, &KivRSSSocket::ReceivedNonXMLPage,
                         [](const QString& text) { events.pages << text; });
        return true;
    }();
    (void)connected;

    const QString xml = KivRSSSocket::decodeBody(fuzzing::bytes(data, size));

    events = {};
    reader.LoadXML(xml);
    check(reader.GetLastFeedXML() == xml, "lastXML keeps the text");
    if (xml.contains(QLatin1StringView("<!DOCTYPE HTML PUBLIC"), Qt::CaseInsensitive)) {
        check(events.total() == 1 && events.pages.size() == 1 && events.pages[0] == xml,
              "an HTML page raises ReceivedNonXMLPage with the text, and nothing else");
    } else if (events.total() == 0) {
        // Only an RSS root without any child node ends the reading silently.
        QDomDocument document;
        check(bool(document.setContent(xml, false)), "a silent reading had well-formed XML");
        check(!document.documentElement().hasChildNodes(), "a silent reading had an empty root");
    } else {
        check(events.total() == 1, "one event per text read");
        for (const QString& text : events.errors)
            check(text == xml, "ErrorInRSSFeed carries the whole text");
        for (const KivRSSFeed& feed : events.feeds)
            checkFeed(feed);
    }

    // Read as Atom, the text gives either an Atom feed or the error, once.
    events = {};
    reader.TryATOMToFeed(xml);
    check(events.total() == 1 && events.pages.isEmpty(), "Atom reading raises one event");
    for (const QString& text : events.errors)
        check(text == xml, "ErrorInRSSFeed carries the whole text");
    for (const KivRSSFeed& feed : events.feeds) {
        checkFeed(feed);
        check(feed.FeedType == KivRSSFeed::kAtom, "Atom reading gives an Atom feed");
    }
    return 0;
}
