#pragma once

class TMyIniFile;

// The options beyond the summary report, in the configuration file. Each is off (or at its
// default) unless set; a value that is not "T"/"N", or not a number where a number is asked
// for, counts as off or the default, and says so in one line on standard error.
namespace ExtraOptions {

// [AsystentSettings] ASYST.Arkusz.Str: each database's run also writes a workbook.
bool workbook(const TMyIniFile& ini);
// [AsystentSettings] ASYST.Horyzont.Str: how many days ahead the workbook's sheet of lapsing
// safety items looks; 90 by default.
int lapseHorizonDays(const TMyIniFile& ini);
// [AsystentSettings] ASYST.PolskieLitery.Str: the reports print the text as stored.
bool polishLetters(const TMyIniFile& ini);
// [BackupSettings] BACKUP.IleKopii.Str: how many newest copies of a database its backup folder
// keeps; 0 keeps all.
int backupCopiesKept(const TMyIniFile& ini);

} // namespace ExtraOptions
