#pragma once

#include <QString>
#include <QStringList>

// Every message and question of the system goes through one service: the assistant shows
// modal boxes, the report generator (and any program without a display) writes to standard
// error and never waits. Tests put a scripted service in place.
class IMessageService {
public:
    virtual ~IMessageService() = default;
    virtual void showMessage(const QString& text, const QString& caption) = 0;
    // A Yes/No question; true means Yes.
    virtual bool askYesNo(const QString& text, const QString& caption) = 0;
};

// Writes each message as one block to standard error; questions are answered No.
class StdErrMessageService : public IMessageService {
public:
    void showMessage(const QString& text, const QString& caption) override;
    bool askYesNo(const QString& text, const QString& caption) override;
};

// As StdErrMessageService, and keeps each message's lines in lines too.
class RecordingMessageService : public StdErrMessageService {
public:
    explicit RecordingMessageService(QStringList& lines) : m_lines(lines) {}
    void showMessage(const QString& text, const QString& caption) override;

private:
    QStringList& m_lines;
};
