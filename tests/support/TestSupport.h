#pragma once

#include "Clock.h"
#include "MessageService.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QQueue>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Records every message and answers questions from a script (No when the script is empty).
class ScriptedMessages : public IMessageService {
public:
    struct Shown {
        QString text;
        QString caption;
    };
    void showMessage(const QString& text, const QString& caption) override {
        m_shown.append({text, caption});
    }
    bool askYesNo(const QString& text, const QString& caption) override {
        m_shown.append({text, caption});
        return m_answers.isEmpty() ? false : m_answers.dequeue();
    }
    void answerNext(bool yes) { m_answers.enqueue(yes); }
    const QVector<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    QVector<Shown> m_shown;
    QQueue<bool> m_answers;
};

class ManualClock : public IClock {
public:
    explicit ManualClock(const QDateTime& now) : m_now(now) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }
    void advanceSecs(qint64 secs) { m_now = m_now.addSecs(secs); }

private:
    QDateTime m_now;
};

namespace TestSupport {

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// A new database with the schema in folder/name, copied from a template made once per test
// process. Throws when the engine fails, so the test fails.
QString createDatabase(const QString& folder, const QString& name = QStringLiteral("test.fdb"));

// The demo organisation as database "firma.fdb" of a programs' folder under the alias "firma".
QString createDemoDatabase(const QString& programFolder);
// The nine sections of the summary report, in report order.
QStringList sectionNames();
// The [AsystentSettings] lines that switch every section of the summary report on.
QByteArray allSectionsOn();
// The text of a PDF file as "pdftotext -layout" gives it.
QString pdfText(const QString& pdf);
// A workbook read back by openpyxl, as JSON: per sheet its name, frozen cell and filter range,
// the rows of its table (down to the first empty row, as wide as its header) with each cell as
// [type, text] ("d" date, "n" number, "s" text), and its charts (type, series names).
QJsonArray readWorkbook(const QString& file);
// The same of several workbooks at once, by path.
QJsonObject readWorkbooks(const QStringList& files);

// Writes an alias registry entry "SERVER NAME=<serverName>" with driver INTRBASE (or driver).
void addAlias(const QString& programFolder, const QString& alias, const QString& serverName,
              const QString& driver = QStringLiteral("INTRBASE"));

// Copies a built program (kolmrap, kolmasyst) into folder, so that folder is its programs'
// folder; returns the copy's path.
QString installProgram(const QString& programName, const QString& folder);

struct ProcessResult {
    int exitCode = -1;
    bool finished = false;
    QString stdOut;
    QString stdErr;
};
// Runs a program to its end (at most timeoutMs) with XDG_RUNTIME_DIR set to runtimeDir.
ProcessResult run(const QString& program, const QStringList& arguments, const QString& runtimeDir,
                  const QString& workingDir = QString(), int timeoutMs = 60000);
QProcessEnvironment environmentWithRuntimeDir(const QString& runtimeDir);

QString helperPath();

// The random numbers of a test (the moments at which it kills a process, say): seeded from
// KOLM_TEST_SEED when set, otherwise at random, and the seed printed on first use so that a
// failing run can be repeated.
QRandomGenerator& random();

} // namespace TestSupport
