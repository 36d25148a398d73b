#pragma once

#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QTimer>

class URLButton;

// The link's contextual menu: "Open this URL" and "Copy URL to clipboard".
class URLButtonCM : public QMenu {
    Q_OBJECT

public:
    explicit URLButtonCM(QWidget* parent = nullptr);
    ~URLButtonCM() override;

    static const QString kOpenRow;
    static const QString kCopyRow;

    // The control that opened the menu; not owned.
    QPointer<URLButton> buttonClicked;

    // Remembers the control, then shows the menu at the pointer.
    void DoCMMClick(URLButton* button);

public slots:
    // The chosen row, by its text (compared without regard to case).
    void Action(const QString& rowText);

protected:
    // Pops the menu up at the pointer without waiting for the choice, which arrives
    // through Action. A subclass may show it some other way.
    virtual void showAtPointer();
};

// The press-and-hold timer: one second after a press it offers the link's menu, unless the
// press has turned into a drag.
class URLButtonTimer : public QTimer {
    Q_OBJECT

public:
    explicit URLButtonTimer(QObject* parent = nullptr);

    static constexpr int kHoldMilliseconds = 1000;

    // The control the timer serves; not owned.
    QPointer<URLButton> btn;

    void SetButton(URLButton* button);
    // Runs once, a second from now; only when a control is set.
    void Start();
    void Stop();

public slots:
    void Action();
};

// A one-line hyperlink: opens its URL when clicked, lets the URL be dragged out, and offers
// a small menu on a contextual click or a one-second hold.
class URLButton : public QLabel {
    Q_OBJECT

public:
    explicit URLButton(QWidget* parent = nullptr);
    explicit URLButton(const QString& caption, QWidget* parent = nullptr);
    ~URLButton() override;

    static const QColor kLinkColour;    // idle
    static const QColor kPressedColour; // while a press is inside

    // The press-and-hold timer and the contextual menu, made when the control opens. Owned;
    // a control without a menu treats contextual clicks as ordinary presses.
    URLButtonTimer* pClickTimer = nullptr;
    URLButtonCM* pCM = nullptr;
    bool pDragStarted = false;    // the current press started a drag of the URL
    bool pInControl = false;      // the current press is inside and opens the link on release
    bool UseMyTextStyles = false; // keep the font set on the instance instead of the link style
    QString URL;                  // the target; for a mail link the bare address
    bool IsMailto = false;

    // The control's own opening: cursor, link style and colour, menu and timer, size. The
    // owner calls it once the instance's settings are in place; it ends by raising Open.
    void Opening();
    // The control's closing: releases the menu and the timer.
    void Closing();

    void SetURL(const QString& url, bool isMailto);
    void SetCaption(const QString& caption);
    void SetTextFont(const QString& fontName);
    // In the layout's units (pixels); 0 for the font's default size.
    void SetTextSize(int size);
    // 0 left, 1 centre, 2 right. Moves nothing until the next resize.
    void SetJustification(int alignment);
    int Justification() const;
    // Replaces the contextual menu (taking ownership); nullptr leaves the control without one.
    void SetContextualMenu(URLButtonCM* menu);
    // Fits the control to its caption, keeping the left edge, centre or right edge as aligned.
    void Resize();
    void OpenURL();
    void CopyURL();
    void ShowContextualMenu();
    bool DragWasStarted() const;
    // Strictly inside the control's rectangle, in the parent's coordinates (the window's
    // for a control placed directly in it).
    bool PointInButton(int x, int y) const;

    // The address that opening or dragging hands on: "mailto:" in front for mail links.
    QString LinkAddress() const;
    QColor TextColour() const;

    // The font names that stand for the platform's own fonts.
    static const QString kSystemFont;
    static const QString kSmallSystemFont;

signals:
    // Raised at the end of the control's opening.
    void Open();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // Drags the given text out of the control; returns once the drag is over. Returns false
    // when no drag could begin. A subclass may start it some other way.
    virtual bool startDrag(const QString& text);

private:
    void setTextColour(const QColor& colour);
    void applyFont(const QString& fontName, int size);
    // Ends the current press without opening anything.
    void endPress();

    QString m_fontName;      // as set, so that the platform's font names keep their meaning
    bool m_pressing = false; // a press claimed by the control is going on
    QPoint m_pressPosition;
};

// The pointing-hand cursor shown over links.
QCursor FingerCursor();
