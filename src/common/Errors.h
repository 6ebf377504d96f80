#pragma once

#include <QString>
#include <stdexcept>

// The general error of the system: carries the text the user sees.
class EKolmError : public std::runtime_error {
public:
    explicit EKolmError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// Raised by the database layer; carries the engine's own message text.
class EDBEngineError : public EKolmError {
public:
    EDBEngineError(const QString& text, const QString& nativeCode = QString())
        : EKolmError(text), m_nativeCode(nativeCode) {}
    const QString& nativeCode() const { return m_nativeCode; }

private:
    QString m_nativeCode;
};

// A settings or registry file that the file system refused to write.
class EFileWriteError : public EKolmError {
public:
    using EKolmError::EKolmError;
};
