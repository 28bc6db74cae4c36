// A small tile server on loopback for the map tests (this machine has no
// network): every GET answers one 256 x 256 PNG tile drawn with its z/x/y.
// It stops by itself after `lifetimeMs`, and when it goes.
#pragma once

#include <QTcpServer>
#include <QTimer>

class LoopbackTileServer : public QObject {
    Q_OBJECT
public:
    explicit LoopbackTileServer(int lifetimeMs = 120000);
    bool Listening() const { return m_server.isListening(); }
    quint16 Port() const { return m_server.serverPort(); }
    // Template for the map page: http://127.0.0.1:<port>/{z}/{x}/{y}.png
    QString TileUrl() const;
    int TilesServed() const { return m_served; }
    void Close() { m_server.close(); }

private:
    void Serve();

    QTcpServer m_server;
    QTimer m_lifetime;
    int m_served = 0;
};
