#pragma once

#include <QByteArray>
#include <QString>

// Windows-1250 as Windows converts it: the five bytes the code page leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98) map to the control characters of the same value, so
// that every byte survives a round trip.
namespace Win1250 {
QString decode(const QByteArray& bytes);
// Characters outside the code page become '?'.
QByteArray encode(const QString& text);
} // namespace Win1250
