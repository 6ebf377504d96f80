#pragma once

#include "Mail.h"
#include "TfrmRaport.h"

#include <QDate>
#include <QString>
#include <QVector>

namespace kolmrap {

// The messages of one database's run: the organisation's to the recipients of the whole
// report, and each unit's workbook to that unit's recipients. The body tells per section the
// rows, the new and the resolved ones, and the items lapsing within 30 days; the PDFs go along
// only to the organisation's recipients and only while together they stay under the limit.
namespace MailReport {

// The subject: "Raport podsumowujący – <description> – <date>".
QString subject(const QString& description, const QDate& date);

QVector<Mail::Message> messages(const DatabaseOutcome& outcome, const QString& description, const QDate& date,
                                const Mail::Settings& settings, QStringList* notes);

} // namespace MailReport

} // namespace kolmrap
