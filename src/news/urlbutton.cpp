#include "news/urlbutton.h"

#include "platform/desktop.h"

#include <QAction>
#include <QClipboard>
#include <QDrag>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <optional>

// ---------------------------------------------------------------------------------------------
// URLButtonCM

const QString URLButtonCM::kOpenRow = QStringLiteral("Open this URL");
const QString URLButtonCM::kCopyRow = QStringLiteral("Copy URL to clipboard");

URLButtonCM::URLButtonCM(QWidget* parent) : QMenu(parent)
{
    addAction(kOpenRow);
    addAction(kCopyRow);
    connect(this, &QMenu::triggered, this, [this](QAction* row) { Action(row->text()); });
}

URLButtonCM::~URLButtonCM()
{
    clear();
}

void URLButtonCM::DoCMMClick(URLButton* button)
{
    buttonClicked = button;
    showAtPointer();
}

void URLButtonCM::showAtPointer()
{
    popup(QCursor::pos());
}

void URLButtonCM::Action(const QString& rowText)
{
    if (!buttonClicked)
        return;
    if (rowText.compare(kOpenRow, Qt::CaseInsensitive) == 0)
        buttonClicked->OpenURL();
    else if (rowText.compare(kCopyRow, Qt::CaseInsensitive) == 0)
        buttonClicked->CopyURL();
}

// ---------------------------------------------------------------------------------------------
// URLButtonTimer

URLButtonTimer::URLButtonTimer(QObject* parent) : QTimer(parent)
{
    setSingleShot(true);
    setInterval(kHoldMilliseconds);
    connect(this, &QTimer::timeout, this, &URLButtonTimer::Action);
}

void URLButtonTimer::SetButton(URLButton* button)
{
    btn = button;
}

void URLButtonTimer::Start()
{
    if (btn)
        start(kHoldMilliseconds);
}

void URLButtonTimer::Stop()
{
    stop();
}

void URLButtonTimer::Action()
{
    // A press that became a drag keeps the drag; the menu would only get in its way.
    if (btn && !btn->DragWasStarted())
        btn->ShowContextualMenu();
}

// ---------------------------------------------------------------------------------------------
// URLButton

const QColor URLButton::kLinkColour(0, 0, 255);
const QColor URLButton::kPressedColour(255, 0, 0);
const QString URLButton::kSystemFont = QStringLiteral("System");
const QString URLButton::kSmallSystemFont = QStringLiteral("SmallSystem");

QCursor FingerCursor()
{
    return QCursor(Qt::PointingHandCursor);
}

namespace {

// The platform's own font behind one of its font names, or none for an ordinary family.
std::optional<QFont> platformFont(const QString& name)
{
    if (name.compare(URLButton::kSmallSystemFont, Qt::CaseInsensitive) == 0)
        return QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
    if (name.compare(URLButton::kSystemFont, Qt::CaseInsensitive) == 0)
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    return std::nullopt;
}

void copySize(const QFont& from, QFont& to)
{
    if (from.pixelSize() > 0)
        to.setPixelSize(from.pixelSize());
    else
        to.setPointSizeF(from.pointSizeF());
}

} // namespace

URLButton::URLButton(QWidget* parent) : URLButton(QString(), parent)
{
}

URLButton::URLButton(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    // Captions come from feeds and users: show them as they are, never as markup.
    setTextFormat(Qt::PlainText);
    // The control offers its own menu on the secondary button.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

URLButton::~URLButton()
{
    Closing();
}

void URLButton::Opening()
{
    pInControl = false;
    setCursor(FingerCursor());
    if (!UseMyTextStyles) {
        QFont style = font();
        style.setUnderline(true);
        setFont(style);
        applyFont(kSmallSystemFont, 0);
    }
    setTextColour(kLinkColour);
    SetContextualMenu(new URLButtonCM);
    delete pClickTimer;
    pClickTimer = new URLButtonTimer(this);
    Resize();
    emit Open();
}

void URLButton::Closing()
{
    if (pClickTimer)
        pClickTimer->Stop();
    delete pClickTimer;
    pClickTimer = nullptr;
    delete pCM;
    pCM = nullptr;
}

void URLButton::SetURL(const QString& url, bool isMailto)
{
    URL = url;
    IsMailto = isMailto;
}

void URLButton::SetCaption(const QString& caption)
{
    setText(caption);
    Resize();
}

void URLButton::SetTextFont(const QString& fontName)
{
    QFont current = font();
    applyFont(fontName, current.pixelSize() > 0 ? current.pixelSize() : -1);
    Resize();
}

void URLButton::SetTextSize(int size)
{
    applyFont(m_fontName.isEmpty() ? font().family() : m_fontName, size);
    Resize();
}

void URLButton::applyFont(const QString& fontName, int size)
{
    // size: pixels; 0 for the font's default size; -1 keeps the current point size.
    QFont f = font();
    const std::optional<QFont> own = platformFont(fontName);
    f.setFamily(own ? own->family() : fontName);
    if (size > 0)
        f.setPixelSize(size);
    else if (size == 0)
        copySize(own ? *own : QGuiApplication::font(), f);
    setFont(f);
    m_fontName = fontName;
}

void URLButton::SetJustification(int alignment)
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment == 1)
        horizontal = Qt::AlignHCenter;
    else if (alignment == 2)
        horizontal = Qt::AlignRight;
    setAlignment(horizontal | (this->alignment() & Qt::AlignVertical_Mask));
}

int URLButton::Justification() const
{
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        return 1;
    if (horizontal & Qt::AlignRight)
        return 2;
    return 0;
}

void URLButton::SetContextualMenu(URLButtonCM* menu)
{
    if (menu == pCM)
        return;
    delete pCM;
    pCM = menu;
    if (pCM)
        pCM->setParent(this, pCM->windowFlags()); // owned; stays a pop-up
}

void URLButton::Resize()
{
    // Measured with the name, size and underline of the font only, as the caption's
    // line would be set without emphasis.
    QFont measuring(font().family());
    copySize(font(), measuring);
    measuring.setUnderline(font().underline());
    const QFontMetrics metrics(measuring);

    const int oldWidth = width();
    const int newWidth = metrics.horizontalAdvance(text()) + 4;
    int left = x();
    switch (Justification()) {
    case 1:
        left += (oldWidth - newWidth) / 2; // truncates toward zero
        break;
    case 2:
        left += oldWidth - newWidth;
        break;
    default:
        break;
    }
    setGeometry(left, y(), newWidth, metrics.height());
}

QString URLButton::LinkAddress() const
{
    return IsMailto ? QStringLiteral("mailto:") + URL : URL;
}

void URLButton::OpenURL()
{
    platform::desktop().openUrl(LinkAddress());
}

void URLButton::CopyURL()
{
    QGuiApplication::clipboard()->setText(URL);
}

void URLButton::ShowContextualMenu()
{
    if (!pCM)
        return;
    // The menu ends the press: its release opens nothing, and the caption is idle again.
    pInControl = false;
    m_pressing = false;
    setTextColour(kLinkColour);
    pCM->DoCMMClick(this);
}

bool URLButton::DragWasStarted() const
{
    return pDragStarted;
}

bool URLButton::PointInButton(int x, int y) const
{
    return this->x() < x && x < this->x() + width() && this->y() < y && y < this->y() + height();
}

QColor URLButton::TextColour() const
{
    return palette().color(QPalette::WindowText);
}

void URLButton::setTextColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void URLButton::mousePressEvent(QMouseEvent* event)
{
    event->accept(); // the press is the control's: moves and the release follow here
    m_pressPosition = event->position().toPoint();
    if (pCM && event->button() == Qt::RightButton) {
        m_pressing = true;
        ShowContextualMenu();
        return;
    }
    m_pressing = true;
    pInControl = true;
    setTextColour(kPressedColour);
    if (pClickTimer) {
        pClickTimer->SetButton(this);
        pClickTimer->Start();
    }
}

void URLButton::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_pressing)
        return;
    const QPoint at = event->position().toPoint();
    const bool wasInControl = pInControl;
    // The right and bottom edges still count as inside.
    pInControl = !(at.x() < 0 || at.x() > width() || at.y() < 0 || at.y() > height());
    if (pInControl != wasInControl)
        setTextColour(pInControl ? kPressedColour : kLinkColour);
    if (!pInControl) {
        const bool dragWasStarted = pDragStarted;
        pDragStarted = true; // before the drag runs, so the hold timer leaves it alone
        if (!startDrag(LinkAddress()))
            pDragStarted = dragWasStarted;
    }
}

void URLButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (pClickTimer)
        pClickTimer->Stop();
    const bool open = pInControl;
    endPress();
    if (open)
        OpenURL();
}

void URLButton::endPress()
{
    m_pressing = false;
    pInControl = false;
    setTextColour(kLinkColour);
    pDragStarted = false;
}

bool URLButton::startDrag(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    const QUrl url(text, QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty())
        data->setUrls({url});

    QPointer<URLButton> alive(this);
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(grab());
    drag->setHotSpot(m_pressPosition);
    drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    // The drop took the release that ends the press, so the control never sees it.
    if (alive) {
        if (pClickTimer)
            pClickTimer->Stop();
        endPress();
    }
    return true;
}
