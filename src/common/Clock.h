#pragma once

#include <QDateTime>

// Everything that depends on the current moment (schedules, password age, expiry rules, the
// run date) reads it through a clock, so that tests can move time.
class IClock {
public:
    virtual ~IClock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock : public IClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
