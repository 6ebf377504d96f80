#include "platform/SafeFile.h"
#include "AliasRegistry.h"
#include "Errors.h"
#include "FullDisk.h"
#include "IniFile.h"
#include "MyIniFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A configuration as users keep it: garbage lines, blanks, Polish letters, no final line end.
const QByteArray kSettings =
    "[Database]\r\nAliasName=firma\r\n; uwaga\r\nśmieci bez znaku równości\r\n"
    "[AsystentSettings]\r\nASYST.CzestAsys.Str=7\r\nASYST.DataAsys.Str=2026-12-01\r\n"
    "[AliasDatabases]\r\nALIAS.firma.Str=Firma \xb3\xf3\x64\xbc\r\n[PathDatabases]\r\n"
    "ASYST.firma.Str=/srv/raporty";

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

struct stat statOf(const QString& path) {
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

TEST(SafeFileTest, AFullDiskLeavesEverySettingsFileByteForByte) {
    if (!FullDisk::available())
        GTEST_SKIP() << "needs root for a small file system";
    struct Writer {
        const char* name;
        const char* file;
        std::function<void(const QString& folder)> write;
    };
    const Writer writers[] = {
        {"settings value", "brel.ini",
         [](const QString& f) {
             TMyIniFile(QDir(f).filePath("brel.ini")).WriteAsystentSetting("ASYST", "DataAsys", "2026-12-10");
         }},
        {"settings deletion", "brel.ini",
         [](const QString& f) {
             TMyIniFile(QDir(f).filePath("brel.ini")).DeleteAliasDatabase("ALIAS.firma.Str");
         }},
        {"alias registry", "aliases.ini",
         [](const QString& f) {
             AliasRegistry registry(QDir(f).filePath("aliases.ini"));
             registry.addAlias("nowa", "INTRBASE", {"SERVER NAME=/srv/nowa.fdb"});
             registry.save();
         }},
        {"window placement", "kolmasyst.ini",
         [](const QString& f) {
             IniFile(QDir(f).filePath("kolmasyst.ini")).update([](IniDocument& doc) {
                 doc.setValue("frmStat", "frmStat.Top", "100");
             });
         }},
    };
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.name);
        FullDisk disk(64);
        ASSERT_TRUE(disk.mounted());
        const QString file = disk.filePath(w.file);
        TestSupport::writeFile(file, kSettings);
        // The lock file exists already, as after any earlier write.
        TestSupport::writeFile(disk.filePath(QStringLiteral(".") + w.file + ".lock"), "");
        const QStringList before = entries(disk.path());
        disk.fill();
        try {
            w.write(disk.path());
            ADD_FAILURE() << "a write on a full disk reported success";
        } catch (const EFileWriteError& e) {
            EXPECT_TRUE(e.text().contains(file)) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains("No space left on device")) << e.text().toStdString();
        }
        EXPECT_EQ(TestSupport::readFile(file), kSettings);
        QStringList after = entries(disk.path());
        after.removeAll("filler");
        EXPECT_EQ(after, before) << "no temporary file stays behind";
    }
}

TEST(SafeFileTest, LinkedSettingsFilesStayLinksAndKeepOwnerGroupAndMode) {
    QTemporaryDir programs, shared;
    const QString target = shared.filePath("brel.ini");
    TestSupport::writeFile(target, kSettings);
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0664), 0);
    const gid_t group = ::geteuid() == 0 ? 100 : ::getegid();
    ASSERT_EQ(::chown(QFile::encodeName(target).constData(), uid_t(-1), group), 0);
    const QString link = programs.filePath("brel.ini");
    ASSERT_TRUE(QFile::link(target, link));

    TMyIniFile(link).WriteAsystentSetting("ASYST", "DataAsys", "2026-12-10");

    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(TMyIniFile(target).ReadAsystentSetting("ASYST", "DataAsys"), "2026-12-10");
    EXPECT_EQ(TMyIniFile(target).ReadAliasName(), "firma");
    const struct stat st = statOf(target);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_EQ(st.st_gid, group);
    // The lock lives beside the shared file, open to its group like the file itself.
    const struct stat lock = statOf(shared.filePath(".brel.ini.lock"));
    EXPECT_TRUE(S_ISREG(lock.st_mode));
    EXPECT_EQ(lock.st_mode & 0777, 0664u);
    EXPECT_EQ(lock.st_gid, group);
}

TEST(SafeFileTest, ReplacingALinkNeverWritesItsTarget) {
    QTemporaryDir reports, elsewhere;
    const QString victim = elsewhere.filePath("cudzy.txt");
    TestSupport::writeFile(victim, "not yours");
    const QString name = reports.filePath("CzynnRyz2026-12-10.pdf");
    ASSERT_TRUE(QFile::link(victim, name));
    SafeFile::replace(name, "%PDF-1.4 new", SafeFile::Links::Replace);
    EXPECT_FALSE(QFileInfo(name).isSymLink());
    EXPECT_EQ(TestSupport::readFile(name), "%PDF-1.4 new");
    EXPECT_EQ(TestSupport::readFile(victim), "not yours");
}

TEST(SafeFileTest, ALinkAtTheLockFilesNameIsRefusedNotFollowed) {
    QTemporaryDir programs, elsewhere;
    const QString file = programs.filePath("brel.ini");
    TestSupport::writeFile(file, kSettings);
    const QString planted = elsewhere.filePath("created-by-link");
    ASSERT_TRUE(QFile::link(planted, programs.filePath(".brel.ini.lock")));
    EXPECT_THROW(TMyIniFile(file).WriteAsystentSetting("ASYST", "DataAsys", "x"), EFileWriteError);
    EXPECT_FALSE(QFileInfo::exists(planted));
    EXPECT_EQ(TestSupport::readFile(file), kSettings);
}

} // namespace

namespace {

// Sets the process's creation mask for one test and puts the earlier one back.
class CreationMask {
public:
    explicit CreationMask(mode_t mask) : m_before(::umask(mask)) {}
    ~CreationMask() { ::umask(m_before); }

private:
    mode_t m_before;
};

mode_t modeOf(const QString& path) {
    return statOf(path).st_mode & 07777;
}

} // namespace

TEST(SafeFileTest, TheCreationMaskIsReadWithoutChangingItWhileOtherThreadsMakeFiles) {
    const CreationMask mask(027);
    EXPECT_EQ(SafeFile::creationMask(), 027u);
    EXPECT_EQ(SafeFile::newFileMode("/nonexistent"), 0640u);
    // Reports written on a worker thread (each asks for the mode of its new file) while the
    // program makes other files: none of those may ever be made under a mask of 0.
    QTemporaryDir dir;
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        const QString folder = dir.path();
        while (!stop)
            SafeFile::newFileMode(folder);
    });
    int wrong = 0;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray name = QFile::encodeName(dir.filePath(QStringLiteral("inny%1").arg(i)));
        const int fd = ::open(name.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0666);
        ASSERT_GE(fd, 0);
        ::close(fd);
        if (modeOf(QFile::decodeName(name)) != 0640)
            ++wrong;
    }
    stop = true;
    writer.join();
    EXPECT_EQ(wrong, 0);
    SafeFile::replace(dir.filePath("raport.pdf"), "%PDF", SafeFile::Links::Replace);
    EXPECT_EQ(modeOf(dir.filePath("raport.pdf")), 0640);
}

TEST(SafeFileTest, FoldersAndFilesInAGroupsSharedFolderStayTheGroupsWhoeverMakesThem) {
    const CreationMask mask(022);
    QTemporaryDir dir;
    const QString shared = dir.filePath("dane");
    ASSERT_TRUE(QDir().mkdir(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 02775), 0);
    const QString plain = dir.filePath("prywatny");
    ASSERT_TRUE(QDir().mkdir(plain));

    SafeFile::makeFolders(shared + "/kolmdemo/Raporty/CzynnRyz");
    for (const char* folder : {"/kolmdemo", "/kolmdemo/Raporty", "/kolmdemo/Raporty/CzynnRyz"})
        EXPECT_EQ(modeOf(shared + folder), 02775) << folder;
    SafeFile::replace(shared + "/kolmdemo/Raporty/CzynnRyz/a.pdf", "%PDF", SafeFile::Links::Replace);
    EXPECT_EQ(modeOf(shared + "/kolmdemo/Raporty/CzynnRyz/a.pdf"), 0664);
    // Replaced by the next run, the file keeps what it had.
    SafeFile::replace(shared + "/kolmdemo/Raporty/CzynnRyz/a.pdf", "%PDF-2", SafeFile::Links::Replace);
    EXPECT_EQ(modeOf(shared + "/kolmdemo/Raporty/CzynnRyz/a.pdf"), 0664);

    // Elsewhere the creation mask alone decides.
    SafeFile::makeFolders(plain + "/a/b");
    EXPECT_EQ(modeOf(plain + "/a/b"), 0755);
    SafeFile::replace(plain + "/a/b/c.pdf", "%PDF", SafeFile::Links::Replace);
    EXPECT_EQ(modeOf(plain + "/a/b/c.pdf"), 0644);
    SafeFile::makeFolders(plain + "/a/b"); // already there: nothing to do

    // A folder that cannot be made says which and why.
    TestSupport::writeFile(dir.filePath("plik"), "x");
    try {
        SafeFile::makeFolders(dir.filePath("plik/Raporty"));
        ADD_FAILURE() << "no error";
    } catch (const EFileWriteError& e) {
        EXPECT_TRUE(e.text().contains(dir.filePath("plik"))) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("Not a directory")) << e.text().toStdString();
    }
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(QFile::encodeName(plain).constData(), 0555), 0);
        try {
            SafeFile::makeFolders(plain + "/nowy");
            ADD_FAILURE() << "no error";
        } catch (const EFileWriteError& e) {
            EXPECT_TRUE(e.text().contains("Permission denied")) << e.text().toStdString();
        }
        ::chmod(QFile::encodeName(plain).constData(), 0755);
    }
}

TEST(SafeFileTest, AWriteRemovesTheOldPrivateFilesOfItsNameThatKilledWritesLeft) {
    QTemporaryDir dir;
    const QString target = dir.filePath("CzynnRyz2026-12-10.pdf");
    const QDateTime old = QDateTime::currentDateTime().addSecs(-SafeFile::LeftoverAgeSeconds - 60);
    struct Case {
        const char* name;
        bool old;
        bool removed;
    };
    const Case cases[] = {
        {".CzynnRyz2026-12-10.pdf.Ab12Cd", true, true},   // a killed write's
        {".CzynnRyz2026-12-10.pdf.Zz99aa", false, false}, // maybe another program's write now
        {".CzynnRyz2026-12-10.pdf.Ab12Cde", true, false}, // not the pattern
        {".CzynnRyz2026-12-10.pdf.Ab-2Cd", true, false},
        {".TermRyz2026-12-10.pdf.Ab12Cd", true, false}, // another file's
        {"CzynnRyz2026-12-10.pdf.Ab12Cd", true, false}, // not hidden
        {".CzynnRyz2026-12-10.pdf.old", true, false},
    };
    for (const Case& c : cases) {
        TestSupport::writeFile(dir.filePath(c.name), "partial");
        QFile file(dir.filePath(c.name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        if (c.old)
            file.setFileTime(old, QFileDevice::FileModificationTime);
    }
    // A link of the pattern is nobody's write, and its target is never touched.
    TestSupport::writeFile(dir.filePath("cel"), "keep");
    ASSERT_TRUE(QFile::link(dir.filePath("cel"), dir.filePath(".CzynnRyz2026-12-10.pdf.Li1k00")));
    SafeFile::replace(target, "%PDF", SafeFile::Links::Replace);
    for (const Case& c : cases)
        EXPECT_EQ(QFileInfo::exists(dir.filePath(c.name)), !c.removed) << c.name;
    EXPECT_TRUE(QFileInfo(dir.filePath(".CzynnRyz2026-12-10.pdf.Li1k00")).isSymLink());
    EXPECT_EQ(TestSupport::readFile(dir.filePath("cel")), "keep");
    EXPECT_EQ(TestSupport::readFile(target), "%PDF");
    // The copy of a backup cleans the same way.
    TestSupport::writeFile(dir.filePath(".firma_2026-12-10.gdb.Qw12Er"), "partial");
    {
        QFile file(dir.filePath(".firma_2026-12-10.gdb.Qw12Er"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(old, QFileDevice::FileModificationTime);
    }
    const QString copy = SafeFile::copyBeside(target, dir.filePath("firma_2026-12-10.gdb"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(".firma_2026-12-10.gdb.Qw12Er")));
    QFile::remove(copy);
}
