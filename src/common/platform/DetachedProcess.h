#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Starts a program that lives on by itself: not a child the assistant waits for, not ended
// when the assistant ends, with nothing of the assistant's open files. Its standard input
// reads the given bytes and then ends, so a secret reaches it without showing on its command
// line.
namespace DetachedProcess {

// The process id of the started program; 0 when it could not be started.
qint64 start(const QString& program, const QStringList& arguments, const QByteArray& standardInput);

} // namespace DetachedProcess
