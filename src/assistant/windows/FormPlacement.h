#pragma once

#include <QString>

class QWidget;

namespace kolmasyst {

// Position and size of the assistant's windows, kept in kolmasyst.ini next to the program:
// one section per window, keys <component>.Top, .Left, .Width, .Height and .ClassName.
class FormPlacement {
public:
    explicit FormPlacement(const QString& placementFilePath);
    // The executable's path with its extension replaced by ".ini".
    static QString defaultPath();

    void RestoreFormPlacement(QWidget* form) const;
    void SaveFormPlacement(const QWidget* form);

private:
    QString m_path;
};

} // namespace kolmasyst
