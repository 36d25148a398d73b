// The link control under real mouse events: opening the link, the press colours, dragging the
// URL out, the press-and-hold menu, copying, fitting to the caption and hit-testing.

#include "apptest.h"
#include "scripteddesktop.h"

#include "news/urlbutton.h"

#include <QAction>
#include <QClipboard>
#include <QFontDatabase>
#include <QSignalSpy>

namespace {

// A menu that counts how often it was shown instead of popping up.
class WatchedMenu : public URLButtonCM {
public:
    int shows = 0;

    // Chooses a row the way a user would, through its action.
    void choose(const QString& rowText)
    {
        for (QAction* row : actions())
            if (row->text() == rowText)
                row->trigger();
    }

protected:
    void showAtPointer() override { ++shows; }
};

// A link whose drags are recorded instead of run.
class WatchedButton : public URLButton {
public:
    using URLButton::URLButton;
    QStringList drags;
    bool grantDrags = true;

protected:
    bool startDrag(const QString& text) override
    {
        if (grantDrags)
            drags << text;
        return grantDrags;
    }
};

const QString kDealUrl = QStringLiteral("https://deals.example.com/offer?id=7");
const QString kAddress = QStringLiteral("sales@example.com");

QFont arial11()
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    f.setUnderline(true);
    return f;
}

} // namespace

class TestURLButton : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opening_data();
    void opening();
    void clickOpensOnce_data();
    void clickOpensOnce();
    void pressOutAndBackIn();
    void edgesOfTheControl_data();
    void edgesOfTheControl();
    void holdShowsMenu();
    void shortPressShowsNoMenu();
    void noMenuAfterDrag();
    void refusedDrag();
    void contextualClick();
    void withoutMenuOrTimer();
    void menuRows();
    void setCaptionKeepsAlignedEdge_data();
    void setCaptionKeepsAlignedEdge();
    void setJustificationAlone();
    void pointInButton_data();
    void pointInButton();

private:
    // Starts a press in the middle of the link.
    void press(Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(m_link, button, {}, m_link->rect().center());
    }
    void moveTo(QPoint at) { QTest::mouseMove(m_link, at); }
    void release(QPoint at) { QTest::mouseRelease(m_link, Qt::LeftButton, {}, at); }

    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<QWidget> m_host;
    WatchedButton* m_link = nullptr;
    WatchedMenu* m_menu = nullptr;
};

void TestURLButton::init()
{
    m_desktop = std::make_unique<ScriptedDesktop>();
    m_host = std::make_unique<QWidget>();
    m_host->resize(500, 120);
    m_link = new WatchedButton(QStringLiteral("Half price this week"), m_host.get());
    m_link->setGeometry(50, 40, 300, 20);
    m_link->setFont(arial11());
    m_link->UseMyTextStyles = true;
    m_link->SetURL(kDealUrl, false);
    m_link->Opening();
    m_menu = new WatchedMenu;
    m_link->SetContextualMenu(m_menu);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
}

void TestURLButton::cleanup()
{
    m_host.reset();
    m_desktop.reset();
}

void TestURLButton::opening_data()
{
    QTest::addColumn<bool>("useMyTextStyles");
    QTest::newRow("own style") << true;
    QTest::newRow("link style") << false;
}

void TestURLButton::opening()
{
    QFETCH(bool, useMyTextStyles);
    QWidget host;
    URLButton link(QStringLiteral("A headline"), &host);
    link.setGeometry(10, 10, 640, 20);
    QFont layoutFont(QStringLiteral("Courier New"));
    layoutFont.setPixelSize(17);
    layoutFont.setUnderline(false);
    link.setFont(layoutFont);
    link.UseMyTextStyles = useMyTextStyles;
    QSignalSpy opened(&link, &URLButton::Open);

    link.Opening();

    QCOMPARE(opened.count(), 1);
    QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(link.TextColour(), QColor(0, 0, 255));
    QVERIFY(link.pCM);
    QVERIFY(link.pClickTimer);
    QVERIFY(!link.pInControl);
    QVERIFY(!link.pDragStarted);
    if (useMyTextStyles) {
        QCOMPARE(link.font().family(), layoutFont.family());
        QCOMPARE(link.font().pixelSize(), 17);
        QVERIFY(!link.font().underline());
    } else {
        const QFont small = QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
        QCOMPARE(link.font().family(), small.family());
        if (small.pixelSize() > 0)
            QCOMPARE(link.font().pixelSize(), small.pixelSize());
        else
            QCOMPARE(link.font().pointSizeF(), small.pointSizeF());
        QVERIFY(link.font().underline());
    }
    // Fitted to its caption, measured in its own font.
    QFont measuring(link.font().family());
    if (link.font().pixelSize() > 0)
        measuring.setPixelSize(link.font().pixelSize());
    else
        measuring.setPointSizeF(link.font().pointSizeF());
    measuring.setUnderline(link.font().underline());
    const QFontMetrics metrics(measuring);
    QCOMPARE(link.geometry(),
             QRect(10, 10, metrics.horizontalAdvance(link.text()) + 4, metrics.height()));

    link.Closing();
    QVERIFY(!link.pCM);
    QVERIFY(!link.pClickTimer);
}

void TestURLButton::clickOpensOnce_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("isMailto");
    QTest::addColumn<QString>("opened");
    QTest::newRow("web") << kDealUrl << false << kDealUrl;
    QTest::newRow("mail") << kAddress << true << QStringLiteral("mailto:") + kAddress;
    QTest::newRow("empty") << QString() << false << QString();
}

void TestURLButton::clickOpensOnce()
{
    QFETCH(QString, url);
    QFETCH(bool, isMailto);
    QFETCH(QString, opened);
    m_link->SetURL(url, isMailto);

    press();
    QCOMPARE(m_link->TextColour(), QColor(255, 0, 0));
    QVERIFY(m_link->pInControl);
    release(m_link->rect().center());

    QCOMPARE(m_desktop->openedUrls, QStringList{opened});
    QCOMPARE(m_link->TextColour(), QColor(0, 0, 255));
    QVERIFY(!m_link->pInControl);
    QVERIFY(m_link->drags.isEmpty());
}

void TestURLButton::pressOutAndBackIn()
{
    const QPoint inside = m_link->rect().center();
    press();
    moveTo({m_link->width() + 20, inside.y()});
    QCOMPARE(m_link->TextColour(), QColor(0, 0, 255));
    QVERIFY(!m_link->pInControl);
    QVERIFY(m_link->DragWasStarted());
    QCOMPARE(m_link->drags, QStringList{kDealUrl});

    moveTo(inside);
    QCOMPARE(m_link->TextColour(), QColor(255, 0, 0));
    QVERIFY(m_link->pInControl);
    QCOMPARE(m_link->drags.count(), 1); // moves inside drag nothing

    release(inside);
    QCOMPARE(m_desktop->openedUrls, QStringList{kDealUrl});
    QVERIFY(!m_link->DragWasStarted());
    QCOMPARE(m_link->TextColour(), QColor(0, 0, 255));

    // Released outside, nothing opens.
    m_desktop->openedUrls.clear();
    press();
    moveTo({inside.x(), -3});
    release({inside.x(), -3});
    QVERIFY(m_desktop->openedUrls.isEmpty());
}

void TestURLButton::edgesOfTheControl_data()
{
    QTest::addColumn<QPoint>("offset"); // from the bottom-right corner (Width, Height)
    QTest::addColumn<QPoint>("fromTopLeft");
    QTest::addColumn<bool>("inside");
    // Exactly on the right or bottom edge still counts as inside.
    QTest::newRow("x = Width") << QPoint(0, -5) << QPoint() << true;
    QTest::newRow("x = Width + 1") << QPoint(1, -5) << QPoint() << false;
    QTest::newRow("y = Height") << QPoint(-5, 0) << QPoint() << true;
    QTest::newRow("y = Height + 1") << QPoint(-5, 1) << QPoint() << false;
    QTest::newRow("x = 0") << QPoint() << QPoint(0, 5) << true;
    QTest::newRow("x = -1") << QPoint() << QPoint(-1, 5) << false;
    QTest::newRow("y = -1") << QPoint() << QPoint(5, -1) << false;
}

void TestURLButton::edgesOfTheControl()
{
    QFETCH(QPoint, offset);
    QFETCH(QPoint, fromTopLeft);
    QFETCH(bool, inside);
    const QPoint at =
        fromTopLeft.isNull() ? QPoint(m_link->width(), m_link->height()) + offset : fromTopLeft;
    m_link->SetURL(kAddress, true);

    press();
    moveTo(at);
    QCOMPARE(m_link->pInControl, inside);
    QCOMPARE(m_link->TextColour(), inside ? QColor(255, 0, 0) : QColor(0, 0, 255));
    QCOMPARE(m_link->drags,
             inside ? QStringList() : QStringList{QStringLiteral("mailto:") + kAddress});
    release(at);
    QCOMPARE(m_desktop->openedUrls.count(), inside ? 1 : 0);
}

void TestURLButton::holdShowsMenu()
{
    press();
    QCOMPARE(m_link->pClickTimer->interval(), 1000);
    QVERIFY(m_link->pClickTimer->isSingleShot());
    // The hold timer may fire late on a busy machine, never early.
    QTRY_COMPARE_WITH_TIMEOUT(m_menu->shows, 1, 5000);
    QCOMPARE(m_menu->buttonClicked, m_link);
    QVERIFY(!m_link->pInControl);
    QCOMPARE(m_link->TextColour(), QColor(0, 0, 255));

    // The menu ended the press: moving and releasing inside neither drags nor opens.
    moveTo({m_link->width() + 5, 2});
    moveTo(m_link->rect().center());
    release(m_link->rect().center());
    QVERIFY(m_desktop->openedUrls.isEmpty());
    QVERIFY(m_link->drags.isEmpty());
    QTest::qWait(50);
    QCOMPARE(m_menu->shows, 1); // once per press
}

void TestURLButton::shortPressShowsNoMenu()
{
    press();
    QTest::qWait(300);
    release(m_link->rect().center());
    QVERIFY(!m_link->pClickTimer->isActive());
    QTest::qWait(900);
    QCOMPARE(m_menu->shows, 0);
    QCOMPARE(m_desktop->openedUrls.count(), 1);
}

void TestURLButton::noMenuAfterDrag()
{
    press();
    moveTo({-10, 5});
    moveTo(m_link->rect().center()); // back in: the drag started in this press all the same
    QTest::qWait(1100);
    QCOMPARE(m_menu->shows, 0);
    QCOMPARE(m_link->TextColour(), QColor(255, 0, 0));
    release(m_link->rect().center());
    QCOMPARE(m_desktop->openedUrls.count(), 1);

    // The next press starts afresh and may show the menu again.
    press();
    // The hold timer may fire late on a busy machine, never early.
    QTRY_COMPARE_WITH_TIMEOUT(m_menu->shows, 1, 5000);
    release(m_link->rect().center());
}

void TestURLButton::refusedDrag()
{
    m_link->grantDrags = false;
    press();
    moveTo({m_link->width() + 3, 3});
    QVERIFY(!m_link->DragWasStarted());
    // The hold timer may fire late on a busy machine, never early.
    QTRY_COMPARE_WITH_TIMEOUT(m_menu->shows, 1, 5000); // no drag began, so the hold still offers the menu
    release({m_link->width() + 3, 3});
}

void TestURLButton::contextualClick()
{
    press(Qt::RightButton);
    QCOMPARE(m_menu->shows, 1);
    QVERIFY(!m_link->pInControl);
    QTest::mouseRelease(m_link, Qt::RightButton, {}, m_link->rect().center());
    QVERIFY(m_desktop->openedUrls.isEmpty());
}

void TestURLButton::withoutMenuOrTimer()
{
    // Without a menu a contextual click is an ordinary press.
    m_link->SetContextualMenu(nullptr);
    QVERIFY(!m_link->pCM);
    press(Qt::RightButton);
    QCOMPARE(m_link->TextColour(), QColor(255, 0, 0));
    QTest::mouseRelease(m_link, Qt::RightButton, {}, m_link->rect().center());
    QCOMPARE(m_desktop->openedUrls, QStringList{kDealUrl});

    // After closing, presses still open the link; a hold shows nothing and nothing breaks.
    m_link->Closing();
    press();
    QTest::qWait(1100);
    release(m_link->rect().center());
    QCOMPARE(m_desktop->openedUrls.count(), 2);
}

void TestURLButton::menuRows()
{
    QStringList rows;
    for (QAction* row : m_menu->actions())
        rows << row->text();
    QCOMPARE(rows, (QStringList{QStringLiteral("Open this URL"),
                                QStringLiteral("Copy URL to clipboard")}));

    m_link->SetURL(kAddress, true);
    press(Qt::RightButton);
    QTest::mouseRelease(m_link, Qt::RightButton, {}, m_link->rect().center());

    QGuiApplication::clipboard()->clear();
    m_menu->choose(QStringLiteral("Copy URL to clipboard"));
    QCOMPARE(QGuiApplication::clipboard()->text(), kAddress); // the bare address
    m_menu->choose(QStringLiteral("Open this URL"));
    QCOMPARE(m_desktop->openedUrls, QStringList{QStringLiteral("mailto:") + kAddress});

    // Rows are recognised whatever their case; other texts do nothing.
    m_menu->Action(QStringLiteral("OPEN THIS URL"));
    m_menu->Action(QStringLiteral("Open"));
    QCOMPARE(m_desktop->openedUrls.count(), 2);

    // A menu that no control opened does nothing.
    WatchedMenu stray;
    stray.choose(QStringLiteral("Open this URL"));
    QCOMPARE(m_desktop->openedUrls.count(), 2);
}

void TestURLButton::setCaptionKeepsAlignedEdge_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("caption");
    const QString longer = QStringLiteral("A much longer headline about this week's best deal");
    const QString shorter = QStringLiteral("Short");
    QTest::newRow("left, longer") << 0 << longer;
    QTest::newRow("centre, longer") << 1 << longer;
    QTest::newRow("right, longer") << 2 << longer;
    QTest::newRow("centre, shorter") << 1 << shorter;
    QTest::newRow("right, shorter") << 2 << shorter;
}

void TestURLButton::setCaptionKeepsAlignedEdge()
{
    QFETCH(int, alignment);
    QFETCH(QString, caption);
    m_link->SetJustification(alignment);
    const QRect before = m_link->geometry();

    m_link->SetCaption(caption);

    const QRect after = m_link->geometry();
    QCOMPARE(m_link->text(), caption);
    QCOMPARE(after.width(), QFontMetrics(arial11()).horizontalAdvance(caption) + 4);
    QCOMPARE(after.y(), before.y());
    switch (alignment) {
    case 0:
        QCOMPARE(after.x(), before.x());
        break;
    case 1:
        QVERIFY2(qAbs((after.x() * 2 + after.width()) - (before.x() * 2 + before.width())) <= 1,
                 qPrintable(QStringLiteral("centre moved from %1 to %2")
                                .arg(before.center().x())
                                .arg(after.center().x())));
        break;
    case 2:
        QCOMPARE(after.x() + after.width(), before.x() + before.width());
        break;
    }
}

void TestURLButton::setJustificationAlone()
{
    const QRect before = m_link->geometry();
    m_link->SetJustification(2);
    QCOMPARE(m_link->Justification(), 2);
    QCOMPARE(m_link->geometry(), before);
    QVERIFY(m_link->alignment() & Qt::AlignRight);

    // Setting the caption directly on the label leaves its size alone too.
    m_link->setText(QStringLiteral("A caption set straight on the label, much longer than before"));
    QCOMPARE(m_link->geometry(), before);

    // The next font change fits it, keeping the right edge.
    m_link->SetTextSize(14);
    QCOMPARE(m_link->font().pixelSize(), 14);
    QVERIFY(m_link->width() > before.width());
    QCOMPARE(m_link->x() + m_link->width(), before.x() + before.width());
}

void TestURLButton::pointInButton_data()
{
    // The link sits at 50, 40 in its window; its size comes from its caption.
    QTest::addColumn<QPoint>("fromTopLeft"); // -1 in a coordinate stands for Width or Height
    QTest::addColumn<bool>("inside");
    QTest::newRow("on the left edge") << QPoint(0, 5) << false;
    QTest::newRow("just right of the left edge") << QPoint(1, 5) << true;
    QTest::newRow("on the top edge") << QPoint(5, 0) << false;
    QTest::newRow("just below the top edge") << QPoint(5, 1) << true;
    QTest::newRow("on the right edge") << QPoint(-1, 5) << false;
    QTest::newRow("on the bottom edge") << QPoint(5, -1) << false;
    QTest::newRow("middle") << QPoint(20, 6) << true;
}

void TestURLButton::pointInButton()
{
    QFETCH(QPoint, fromTopLeft);
    QFETCH(bool, inside);
    const QRect r = m_link->geometry();
    QCOMPARE(r.topLeft(), QPoint(50, 40));
    const int x = fromTopLeft.x() < 0 ? r.width() : fromTopLeft.x();
    const int y = fromTopLeft.y() < 0 ? r.height() : fromTopLeft.y();
    QCOMPARE(m_link->PointInButton(r.x() + x, r.y() + y), inside);
}

TANDEO_TEST_MAIN(TestURLButton)
#include "tst_urlbutton.moc"
