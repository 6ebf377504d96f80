#pragma once

#include "AppContext.h"
#include "SqlQuery.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A programs' folder with a throwaway database named as the active alias, and helpers to put
// users into APRAWADOSTEPU.
class UserFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Hash as the system stores it (Polish letters double-encoded), at a low cost.
    static QString storedHash(const QString& password);
    // Adds a user with every right set to rightsValue (NULL when rightsValue < 0).
    void addUser(int id, const QString& name, const QString& haslo, int rightsValue = 1,
                 const QString& zmianaHasla = QStringLiteral("NULL"), int blokUser = 0, int failures = 0);
    void setPolicy(int value);
    // One value of a user's row, as text ("" for NULL).
    QString column(int id, const QString& column);
    void exec(const QString& sql);

    QTemporaryDir m_dir;
    QString m_db;
    ScriptedMessages m_messages;
    ManualClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    std::unique_ptr<AppContext> m_app;
};
