#pragma once

#include <QByteArray>
#include <QDate>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <stdexcept>

// A banded report engine: a project of named reports, each one page design of bands fed by
// data views over row sets, rendered to PDF in two passes (measure and paginate, then paint).

class ReportEngineError : public std::runtime_error {
public:
    explicit ReportEngineError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// The rows of one data connection, already fetched. Field names match without regard to
// letter case; values are what the report shows (text, number or date).
class IRowSet {
public:
    virtual ~IRowSet() = default;
    virtual int rowCount() const = 0;
    virtual QVariant value(int row, const QString& field) const = 0;
};

// One band as it was printed, for tests and for checking a report without a PDF.
struct PrintedBand {
    QString band;
    QString dataView;                       // empty for bands without a data view
    QString connection;                     // the data view's connection
    int row = -1;                           // the data view's row, -1 for none
    QVector<QPair<QString, QString>> texts; // component name and printed text, in design order
};

class ReportDesign; // the private design of one report

class Report {
public:
    explicit Report(std::shared_ptr<ReportDesign> design);
    ~Report();
    Report(Report&&) noexcept;
    Report& operator=(Report&&) noexcept;

    QString name() const;
    QString pageName() const;            // report name + "." + the page's name
    QString title() const;               // the text of its title band, as the PDF's title
    QStringList connectionNames() const; // in the order of the data views

    // Data: the row set of a connection (named in the design; it must outlive the execution),
    // the handler called for each row of that connection before its bands print, and the row
    // a connection stands on now: during a run its first row until it is read, afterwards the
    // last row read; -1 for an empty row set or before the first run.
    void setConnection(const QString& connection, const IRowSet* rows);
    void setRowHandler(const QString& connection, std::function<void()> handler);
    int currentRow(const QString& connection) const;

    // What row handlers change: texts of text, memo and label components, and whether a band
    // prints (a hidden band prints nothing, its header bands neither, until shown again).
    // Names ignore letter case; unknown names raise ReportEngineError. Texts and visibility
    // stay as set across executions; a fresh report starts from the design.
    bool hasComponent(const QString& component) const;
    void setComponentText(const QString& component, const QString& text);
    QString componentText(const QString& component) const;
    void setBandVisible(const QString& band, bool visible);

    // The date printed on every page ("yyyy-MM-dd"); today unless set.
    void setRunDate(const QDate& date);
    // The program the PDF's document information names as its creator.
    void setCreator(const QString& creator);

    // Writes the report as a PDF: into a temporary file next to path, renamed into place only
    // when complete. Raises ReportEngineError; an error raised by a row handler passes through
    // unchanged. After a failure the file under path is as it was before.
    void executeToPdf(const QString& path);
    // The PDF document in memory, for callers with their own rules for writing files.
    QByteArray executeToPdfBytes();
    // The same walk over the data without layout: the bands in print order.
    QVector<PrintedBand> executeToRecord();
    // Page count of the last executeToPdf.
    int lastPageCount() const;
    // The rows of a connection that printed at least one band in the last execution.
    int lastPrintedRows(const QString& connection) const;
    // On: the PDF is written as PDF/A-1b for the archive (fonts embedded, the sRGB output
    // intent, XMP metadata), with the same pages and text.
    void setArchival(bool on);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

class ReportProject {
public:
    // Raises ReportEngineError for a malformed project.
    static ReportProject fromJson(const QByteArray& json);
    static ReportProject fromFile(const QString& path); // also ":/..." resources

    QStringList reportNames() const;                // in project order
    Report createReport(const QString& name) const; // a fresh report; raises for unknown names

private:
    QVector<std::shared_ptr<ReportDesign>> m_designs;
};
