#include "httpfixture.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

QByteArray reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

HttpFixture::HttpFixture(QObject* parent) : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &HttpFixture::accept);
}

HttpFixture::~HttpFixture() = default;

bool HttpFixture::start()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

QString HttpFixture::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server->serverPort()).arg(path);
}

void HttpFixture::serve(const QString& path, int status, const QByteArray& body,
                        const QByteArray& contentType)
{
    m_answers.insert(path, {Answer::Kind::Page, status, body, contentType});
}

void HttpFixture::serveUnsized(const QString& path, const QByteArray& body,
                               const QByteArray& contentType)
{
    m_answers.insert(path, {Answer::Kind::Unsized, 200, body, contentType});
}

void HttpFixture::serveSilence(const QString& path)
{
    m_answers.insert(path, {Answer::Kind::Silence, 0, {}, {}});
}

QString HttpFixture::refusedUrl(const QString& path)
{
    // A port that was free a moment ago and is closed again.
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return QStringLiteral("http://127.0.0.1:9%1").arg(path);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path);
}

void HttpFixture::accept()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            if (!socket->property("answered").toBool())
                ++abandoned;
            socket->deleteLater();
        });
    }
}

void HttpFixture::readRequest(QTcpSocket* socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n") || socket->property("seen").toBool())
        return;
    socket->setProperty("seen", true);
    // "GET /path HTTP/1.1"
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = words.size() >= 2 ? QString::fromLatin1(words.at(1)) : QString();
    requests << path;
    emit requestReceived(path);
    answer(socket, path);
}

void HttpFixture::answer(QTcpSocket* socket, const QString& path)
{
    Answer a = m_answers.value(path, {Answer::Kind::Page, 404, "not found", "text/plain"});
    if (a.kind == Answer::Kind::Silence)
        return;
    socket->setProperty("answered", true);
    QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) + ' ' + reason(a.status) + "\r\n";
    head += "Content-Type: " + a.contentType + "\r\n";
    if (a.kind == Answer::Kind::Page)
        head += "Content-Length: " + QByteArray::number(a.body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head);
    socket->write(a.body);
    socket->disconnectFromHost();
}
