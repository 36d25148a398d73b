#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for tests: each path answers with a fixed page, or
// not at all. Unknown paths get a plain-text 404. Every connection is closed after one answer.
class HttpFixture : public QObject {
    Q_OBJECT

public:
    explicit HttpFixture(QObject* parent = nullptr);
    ~HttpFixture() override;

    // Listens on a free loopback port; false when that is impossible.
    bool start();
    // The full address of a path on this server, such as "/specialdeals.xml".
    QString url(const QString& path) const;

    // Answers GET path with this status and body.
    void serve(const QString& path, int status, const QByteArray& body,
               const QByteArray& contentType = "application/xml");
    // As serve, but without a Content-Length: the body ends when the connection closes.
    void serveUnsized(const QString& path, const QByteArray& body,
                      const QByteArray& contentType = "application/xml");
    // Reads the request and never answers.
    void serveSilence(const QString& path);

    // Paths requested so far, in order.
    QStringList requests;
    // Connections the client closed before they were answered.
    int abandoned = 0;

    // A loopback address on which nothing listens, so a connection is refused.
    static QString refusedUrl(const QString& path = QStringLiteral("/specialdeals.xml"));

signals:
    void requestReceived(const QString& path);

private:
    struct Answer {
        enum class Kind { Page, Unsized, Silence } kind = Kind::Page;
        int status = 200;
        QByteArray body;
        QByteArray contentType;
    };
    void accept();
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QString& path);

    QTcpServer* m_server = nullptr;
    QHash<QString, Answer> m_answers;
};
