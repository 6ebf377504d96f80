#pragma once

#include <QString>

namespace kolmasyst {

// One used database while the databases dialog is open: its alias, its description, the
// folder of its database file (access path), its report folder root and its backup folder root.
class TAliasBazy {
public:
    TAliasBazy(QString alias, QString opisBazy, QString path, QString lokAsys, QString lokBackup)
        : Alias(std::move(alias)), OpisBazy(std::move(opisBazy)), Path(std::move(path)),
          LokAsys(std::move(lokAsys)), LokBackup(std::move(lokBackup)) {}

    QString Alias;
    QString OpisBazy;
    QString Path;
    QString LokAsys;
    QString LokBackup;

    bool operator==(const TAliasBazy& other) const {
        return Alias == other.Alias && OpisBazy == other.OpisBazy && Path == other.Path &&
               LokAsys == other.LokAsys && LokBackup == other.LokBackup;
    }
};

} // namespace kolmasyst
