#pragma once

#include <QByteArray>
#include <QString>

// Replacing a file so that nothing is lost when the disk runs full or the machine stops: the
// new content goes to a private file beside the old one, every byte is checked and synced,
// and only then is it renamed over the old file. On any failure the old file stays byte for
// byte and EFileWriteError names the file and the system's reason.
namespace SafeFile {

enum class Links {
    // A link at the path stays and its target is replaced (settings and registry files that
    // an administrator links on purpose); the target keeps its owner, group and mode.
    Follow,
    // A link at the path is itself replaced by the new file and its target never written
    // (report files, whose folders other users can write).
    Replace,
};

void replace(const QString& path, const QByteArray& bytes, Links links);

// A write killed between its private file and the rename leaves that file (".NAME.XXXXXX")
// behind. Each replace and copyBeside of a name first removes such files of that name whose
// last change is older than this: a file that young may still be another program's write.
constexpr int LeftoverAgeSeconds = 10 * 60;
void removeLeftoversOf(const QString& target);

// A copy of source in a new private file beside target, every byte checked and synced, with the
// mode of a new file of target's folder: for a copy that needs work before it replaces target.
// Returns the new file's path; raises EFileWriteError naming target (nothing then stays behind).
QString copyBeside(const QString& source, const QString& target);
// Renames a file made by copyBeside over target and syncs the folder; raises EFileWriteError.
void moveOver(const QString& file, const QString& target);
// Whether this process may write path (a file, or the folder a new file would go into).
bool canWrite(const QString& path);

// The file a path finally names after following its links (the path itself when it is no
// link); for a dangling link the file the link points at.
QString resolveLinks(const QString& path);

// The system's text for an error number, in the C locale ("No space left on device").
QString systemReason(int error);

// The process's file-creation mask, read without changing it: another thread that makes a
// file meanwhile must never see a mask of 0.
unsigned creationMask();

// The mode a new file of the programs gets in folder: what the creation mask allows, and in a
// folder that a group shares (set-group-ID) read and write for that group too, so that the next
// user of the group can replace it.
unsigned newFileMode(const QString& folder);

// Makes folder with every missing parent. Folders made inside a folder that a group shares stay
// readable and writable by the group, whoever makes them. Raises EFileWriteError naming the
// folder and the system's reason.
void makeFolders(const QString& folder);

} // namespace SafeFile
