#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "AliasRegistry.h"
#include "DatabaseFactory.h"
#include "Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRecursiveMutex>

#include <cstdio>
#include <functional>

QStringList ScriptedMessages::texts() const {
    QStringList out;
    for (const Shown& s : m_shown)
        out << s.text;
    return out;
}

namespace TestSupport {

QRandomGenerator& random() {
    static QRandomGenerator generator = [] {
        bool ok = false;
        quint32 seed = qEnvironmentVariable("KOLM_TEST_SEED").toUInt(&ok);
        if (!ok)
            seed = QRandomGenerator::system()->generate();
        std::printf("random numbers from seed %u (KOLM_TEST_SEED=%u repeats them)\n", seed, seed);
        std::fflush(stdout);
        return QRandomGenerator(seed);
    }();
    return generator;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EKolmError(QStringLiteral("cannot write ") + path);
    f.write(bytes);
}

namespace {

// The databases the build made for the tests (the schema alone, the demo organisation); a test
// program started on its own after they were removed makes its own once per process.
QString madeDatabase(const QString& name, const std::function<void(const QString&)>& make) {
    const QString built = QDir(QStringLiteral(KOLM_TEST_DATABASES)).filePath(name);
    if (QFileInfo(built).isFile())
        return built;
    static QTemporaryDir dir;
    // Recursive: the demo is made from the template.
    static QRecursiveMutex mutex;
    QMutexLocker lock(&mutex);
    const QString own = dir.filePath(name);
    if (!QFileInfo::exists(own)) {
        try {
            make(own);
        } catch (...) {
            QFile::remove(own);
            throw;
        }
    }
    return own;
}

QString templateDatabase() {
    return madeDatabase(QStringLiteral("template.fdb"), [](const QString& path) {
        DatabaseFactory::Options options;
        options.forcedWrites = false;
        DatabaseFactory::createWithSchema(path, options);
    });
}

QString demoDatabase() {
    return madeDatabase(QStringLiteral("demo.fdb"), [](const QString& path) {
        if (!QFile::copy(templateDatabase(), path))
            throw EKolmError(QStringLiteral("cannot copy the template database to ") + path);
        DatabaseFactory::runScript(path, DatabaseFactory::resourceScript(QStringLiteral("demo.sql")));
    });
}

} // namespace

QString createDatabase(const QString& folder, const QString& name) {
    const QString target = QDir(folder).filePath(name);
    QFile::remove(target);
    if (!QFile::copy(templateDatabase(), target))
        throw EKolmError(QStringLiteral("cannot copy the template database to ") + target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return target;
}

QString createDemoDatabase(const QString& programFolder) {
    // Each test gets a copy of the demo organisation.
    const QString demo = demoDatabase();
    const QString db = QDir(programFolder).filePath(QStringLiteral("firma.fdb"));
    QFile::remove(db);
    if (!QFile::copy(demo, db))
        throw EKolmError(QStringLiteral("cannot copy the demo database to ") + db);
    QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    addAlias(programFolder, QStringLiteral("firma"), db);
    return db;
}

QStringList sectionNames() {
    return {QStringLiteral("CzynnRyz"), QStringLiteral("TermRyz"),  QStringLiteral("StanAdm"),
            QStringLiteral("PracAdm"),  QStringLiteral("SrodRyz"),  QStringLiteral("WyborDob"),
            QStringLiteral("RoznDob"),  QStringLiteral("PrzetBhp"), QStringLiteral("AktualBhp")};
}

QByteArray allSectionsOn() {
    QByteArray lines;
    for (const QString& s : sectionNames())
        lines += "ASYST." + s.toUtf8() + ".Str=T\n";
    return lines;
}

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The workbook's sheets as JSON: name, frozen cell, filter range, the rows of the sheet's table
// (down to the first empty row, as wide as its header) with each cell as [type, text] ("d" for a
// date), and the sheet's charts with the names and point counts of their series.
QJsonArray readWorkbook(const QString& file) {
    return readWorkbooks({file}).value(file).toArray();
}

QJsonObject readWorkbooks(const QStringList& files) {
    QProcess p;
    p.start(
        "/usr/bin/python3",
        QStringList{"-c",
                    "import json, sys, datetime, openpyxl\n"
                    "def cell(c):\n"
                    "    return ['d', c.isoformat()[:10]] if isinstance(c, datetime.datetime) else \\\n"
                    "           ['n', c] if isinstance(c, (int, float)) else ['s', c or '']\n"
                    "books = {}\n"
                    "for path in sys.argv[1:]:\n"
                    "    wb = openpyxl.load_workbook(path)\n"
                    "    out = []\n"
                    "    for ws in wb.worksheets:\n"
                    "        table = []\n"
                    "        for r in ws.iter_rows(values_only=True):\n"
                    "            if all(c is None for c in r):\n"
                    "                break\n"
                    "            table.append(r)\n"
                    "        width = len(table[0]) if table else 0\n"
                    "        while width and table[0][width - 1] is None:\n"
                    "            width -= 1\n"
                    "        rows = [[cell(c) for c in r[:width]] for r in table]\n"
                    "        charts = [{'type': type(ch).__name__,\n"
                    "                   'series': [s.tx.strRef.f for s in ch.series]} for ch in ws._charts]\n"
                    "        out.append({'name': ws.title, 'freeze': ws.freeze_panes,\n"
                    "                    'filter': ws.auto_filter.ref, 'rows': rows, 'charts': charts})\n"
                    "    books[path] = out\n"
                    "print(json.dumps(books))\n"} +
            files);
    p.waitForFinished(300000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

void addAlias(const QString& programFolder, const QString& alias, const QString& serverName,
              const QString& driver) {
    AliasRegistry registry(AliasRegistry::defaultPath(programFolder));
    registry.addAlias(alias, driver,
                      {QStringLiteral("SERVER NAME=") + serverName, QStringLiteral("USER NAME=BREL")});
    registry.save();
}

QString installProgram(const QString& programName, const QString& folder) {
    const QString source = QDir(QStringLiteral(KOLM_BIN_DIR)).filePath(programName);
    const QString target = QDir(folder).filePath(programName);
    QFile::remove(target);
    if (!QFile::copy(source, target))
        throw EKolmError(QStringLiteral("cannot copy ") + source);
    QFile::setPermissions(target, QFile::permissions(source));
    return target;
}

QProcessEnvironment environmentWithRuntimeDir(const QString& runtimeDir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

ProcessResult run(const QString& program, const QStringList& arguments, const QString& runtimeDir,
                  const QString& workingDir, int timeoutMs) {
    QProcess p;
    p.setProcessEnvironment(environmentWithRuntimeDir(runtimeDir));
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(program, arguments);
    ProcessResult r;
    p.waitForStarted();
    r.finished = p.waitForFinished(timeoutMs);
    if (!r.finished) {
        p.kill();
        p.waitForFinished();
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.stdOut = QString::fromUtf8(p.readAllStandardOutput());
    r.stdErr = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString helperPath() {
    return QStringLiteral(KOLM_TEST_HELPER);
}

} // namespace TestSupport
