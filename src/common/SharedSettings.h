#pragma once

#include <QString>
#include <QVector>

#include <array>

class AliasRegistry;
class IniDocument;
class TMyIniFile;

// The keys of the configuration file that both programs share, each by name, so that a misspelt
// key does not compile and a key changes in one place. The texts are read and written as the
// design stores them (group + "." + name + ".Str"); a missing key reads as TMyIniFile::Missing.
namespace Settings {

enum class Section { Asystent, Backup, Saved, Mail };

// A composed key of one section.
struct Key {
    Section section;
    const char* group;
    const char* name;

    QString sectionName() const; // "AsystentSettings", "BackupSettings", "SavedSettings", "Poczta"
    QString composed() const;    // "ASYST.DataAsys.Str"
};

// The two schedules of the assistant. The date of the last report is the only word kolmrap sends
// the assistant: it is written after a successful run only.
inline constexpr Key ReportPeriod{Section::Asystent, "ASYST", "CzestAsys"};
inline constexpr Key ReportHour{Section::Asystent, "ASYST", "GodzAsys"};
inline constexpr Key LastReportDate{Section::Asystent, "ASYST", "DataAsys"};
inline constexpr Key BackupPeriod{Section::Backup, "BACKUP", "CzestBackup"};
inline constexpr Key BackupHour{Section::Backup, "BACKUP", "GodzBackup"};
inline constexpr Key LastBackupDate{Section::Backup, "BACKUP", "DataBackup"};
// "Kod": the structure ordered by code; anything else by short name.
inline constexpr Key StructureOrder{Section::Asystent, "ASYST", "SortStrukList"};
// The user's date format.
inline constexpr Key DateFormat{Section::Saved, "GLOBAL", "FormDaty"};
// The active database's file, for the suite's modules.
inline constexpr Key ActiveDatabasePath{Section::Saved, "GLOBAL", "path"};

// The options beyond the report, each off (or at its default) unless set.
inline constexpr Key Workbook{Section::Asystent, "ASYST", "Arkusz"};
inline constexpr Key LapseHorizon{Section::Asystent, "ASYST", "Horyzont"};
inline constexpr Key PolishLetters{Section::Asystent, "ASYST", "PolskieLitery"};
// "T": the report PDFs in the archival form (PDF/A-1b).
inline constexpr Key PdfArchival{Section::Asystent, "ASYST", "PdfA"};
// The level of the units that get workbooks of their own (1: right under the organisation).
inline constexpr Key UnitLevel{Section::Asystent, "ASYST", "Jednostki"};
inline constexpr Key BackupCopies{Section::Backup, "BACKUP", "IleKopii"};
inline constexpr int DefaultLapseHorizonDays = 90;

// [Poczta]: the report delivered by e-mail after each successful run ("T" on). The password is
// never here (the whole group reads this file): it is in the file PlikHasla names.
inline constexpr Key MailOn{Section::Mail, "POCZTA", "Wysylka"};
inline constexpr Key MailServer{Section::Mail, "POCZTA", "Serwer"};
inline constexpr Key MailPort{Section::Mail, "POCZTA", "Port"};
inline constexpr Key MailSecurity{Section::Mail, "POCZTA", "Zabezpieczenie"}; // brak, STARTTLS, TLS
inline constexpr Key MailUser{Section::Mail, "POCZTA", "Uzytkownik"};
inline constexpr Key MailPasswordFile{Section::Mail, "POCZTA", "PlikHasla"};
inline constexpr Key MailSender{Section::Mail, "POCZTA", "Nadawca"};
inline constexpr Key MailRecipients{Section::Mail, "POCZTA", "Odbiorcy"};
// The PDFs go along while together they are at most this many megabytes.
inline constexpr Key MailPdfLimit{Section::Mail, "POCZTA", "LimitPdf"};
// A certificate file of the authority that signed the server's certificate (an office's own).
inline constexpr Key MailCaFile{Section::Mail, "POCZTA", "PlikCA"};
// Seconds the server may keep silent before a delivery counts as failed.
inline constexpr Key MailTimeout{Section::Mail, "POCZTA", "CzasOczekiwania"};
// "POCZTA.Jednostka.<code>.Str": the recipients of one unit's workbook.
QString unitRecipientsName(const QString& unitCode); // "Jednostka.<code>"

// The nine sections of the summary report in report order: the keys of their switches
// ("ASYST.<section>.Str", "T" on), their report names, folders and file names.
enum SectionId { CzynnRyz, TermRyz, StanAdm, PracAdm, SrodRyz, WyborDob, RoznDob, PrzetBhp, AktualBhp };
inline constexpr int SectionCount = 9;
inline constexpr std::array<const char*, SectionCount> SectionKeys{
    "CzynnRyz", "TermRyz", "StanAdm", "PracAdm", "SrodRyz", "WyborDob", "RoznDob", "PrzetBhp", "AktualBhp"};
Key sectionSwitch(int index);
// -1 for a name that is no section.
int sectionIndex(const QString& name);
bool sectionOn(const TMyIniFile& ini, int index);

// The folders of one database in [PathDatabases]: its access path ("PATH"), its report root
// ("ASYST") and its backup root ("BACKUP").
enum class Folder { Database, Reports, Backups };
QString folderKey(Folder folder, const QString& alias);
QString readFolder(const TMyIniFile& ini, Folder folder, const QString& alias);
// A folder value that is set: not empty and not the missing marker.
bool isSet(const QString& value);
// [AliasDatabases] "ALIAS.<alias>.Str": the database is in use, the value is its description.
QString descriptionKey(const QString& alias);

QString read(const TMyIniFile& ini, const Key& key);
void write(TMyIniFile& ini, const Key& key, const QString& value);
// The same inside one update of the file.
bool has(const IniDocument& doc, const Key& key);
QString value(const IniDocument& doc, const Key& key);
void set(IniDocument& doc, const Key& key, const QString& value);

// How a switch is written: "T" or "N".
QString flag(bool on);

// The options as the programs use them. A value that is not "T"/"N", or not a number where a
// number is asked for, counts as off or the default, and says so in one line on standard error.
bool workbook(const TMyIniFile& ini);
int lapseHorizonDays(const TMyIniFile& ini);
bool polishLetters(const TMyIniFile& ini);
bool pdfArchival(const TMyIniFile& ini);
// 0: no workbooks per unit.
int unitLevel(const TMyIniFile& ini);
// How many newest copies of a database its backup folder keeps; 0 keeps all.
int backupCopiesKept(const TMyIniFile& ini);

// A database listed in [AliasDatabases], with what the alias registry says of it.
struct ListedDatabase {
    QString alias;
    QString description;
    // An alias of the suite's databases in the registry (IsInterBaseAlias).
    bool suiteAlias = false;
    QString serverName;
    // The local database file (AliasDatabaseFile); empty for a database on another server.
    QString localFile;
};
// Every line of [AliasDatabases] in file order.
QVector<ListedDatabase> listedDatabases(const TMyIniFile& ini, const AliasRegistry& registry);
// The databases in use: the listed ones that are aliases of the suite's databases.
QVector<ListedDatabase> usedDatabases(const TMyIniFile& ini, const AliasRegistry& registry);

} // namespace Settings
