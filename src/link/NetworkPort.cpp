#include "link/NetworkPort.h"

#include <QRegularExpression>

QString NetworkPort::endpoint() const {
    const QString h = host.contains(u':') ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return h + QLatin1Char(':') + QString::number(port);
}

std::optional<NetworkPort> parseNetworkPort(const QString& name) {
    static const QRegularExpression form(
        QStringLiteral(
            R"(^(rfc2217|socket)://(\[[0-9A-Fa-f:.]+\]|[^\s:/?#\[\]@]+):([0-9]{1,5})(\?.*)?$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(name.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int port = m.captured(3).toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    NetworkPort p;
    p.kind = m.captured(1).compare(QLatin1String("socket"), Qt::CaseInsensitive) == 0
                 ? NetworkPort::Kind::Socket
                 : NetworkPort::Kind::Rfc2217;
    p.host = m.captured(2);
    if (p.host.startsWith(u'['))
        p.host = p.host.mid(1, p.host.size() - 2);
    p.port = quint16(port);
    return p;
}

bool looksLikeNetworkPort(const QString& name) {
    const QString t = name.trimmed();
    return t.startsWith(QLatin1String("rfc2217://"), Qt::CaseInsensitive) ||
           t.startsWith(QLatin1String("socket://"), Qt::CaseInsensitive);
}
