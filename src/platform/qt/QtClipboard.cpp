#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace platform {

namespace {
const QString MarkerType = QStringLiteral("application/x-mavix");
}

bool QtClipboard::hasText() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

QString QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

void QtClipboard::setText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

void QtClipboard::setTextWithMarker(const QString& text, const QByteArray& marker)
{
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(MarkerType, marker);
    QGuiApplication::clipboard()->setMimeData(data);
}

QByteArray QtClipboard::marker() const
{
    // Only a clipboard that offers the marker has one: some programs answer every request
    // with their text.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(MarkerType) ? data->data(MarkerType) : QByteArray();
}

} // namespace platform
