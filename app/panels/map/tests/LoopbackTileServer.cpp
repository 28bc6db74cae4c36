#include "LoopbackTileServer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTcpSocket>

namespace {

QByteArray Tile(const QByteArray& path)
{
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(QColor(236, 232, 220));
    QPainter p(&image);
    p.setPen(QPen(QColor(190, 200, 210), 2));
    for (int i = 0; i <= 256; i += 64) {
        p.drawLine(i, 0, i, 256);
        p.drawLine(0, i, 256, i);
    }
    p.setPen(QPen(QColor(250, 250, 250), 10));
    p.drawLine(0, 128, 256, 100);  // a "road"
    p.setPen(QColor(120, 120, 120));
    p.drawText(QRect(0, 0, 256, 40), Qt::AlignCenter, QString::fromLatin1(path));
    p.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

}  // namespace

LoopbackTileServer::LoopbackTileServer(int lifetimeMs)
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackTileServer::Serve);
    m_lifetime.setSingleShot(true);
    connect(&m_lifetime, &QTimer::timeout, this, [this] { m_server.close(); });
    m_lifetime.start(lifetimeMs);
}

QString LoopbackTileServer::TileUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(Port());
}

void LoopbackTileServer::Serve()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            const QByteArray request = socket->readAll();
            const QList<QByteArray> words = request.split(' ');
            if (words.size() < 2 || words[0] != "GET") {
                socket->disconnectFromHost();
                return;
            }
            const QByteArray body = Tile(words[1]);
            ++m_served;
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: max-age=86400\r\n"
                          "Connection: close\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    }
}
