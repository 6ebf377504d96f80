#include "platform/InstanceLock.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The lock's folder when there is no runtime folder of the user's (cron, su): a folder of the
// user's own under the temporary folder, which here is a throwaway one.
class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_runtime = qgetenv("XDG_RUNTIME_DIR");
        m_tmp = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    }
    void TearDown() override {
        qputenv("XDG_RUNTIME_DIR", m_runtime);
        if (m_tmp.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_tmp);
    }
    QString privateFolder() const { return m_temp.filePath(QStringLiteral("kolm-%1").arg(::getuid())); }

    QTemporaryDir m_temp;
    QByteArray m_runtime, m_tmp;
};

TEST_F(InstanceLockTest, WithoutARuntimeFolderTheLockGoesIntoAPrivateFolder) {
    InstanceLock first("kolmrap.exe");
    ASSERT_EQ(first.acquire(), InstanceLock::Outcome::Acquired) << first.errorText().toStdString();
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(privateFolder()).constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(QFileInfo::exists(QDir(privateFolder()).filePath("kolmrap.exe.lock")));
    EXPECT_TRUE(InstanceLock::isHeld("kolmrap.exe"));
    InstanceLock second("kolmrap.exe");
    EXPECT_EQ(second.acquire(), InstanceLock::Outcome::HeldElsewhere);
}

TEST_F(InstanceLockTest, AFolderOrLinkThatAnotherUserCouldHavePlacedIsAnErrorNotAnotherRun) {
    struct Case {
        const char* name;
        std::function<void(const QString& folder)> plant;
        bool needsRoot;
    };
    QTemporaryDir elsewhere;
    const QString linkTarget = elsewhere.filePath("target");
    const Case cases[] = {
        {"folder of another user",
         [](const QString& f) {
             QDir().mkpath(f);
             ASSERT_EQ(::chown(QFile::encodeName(f).constData(), 65534, 65534), 0);
         },
         true},
        {"folder open to everybody",
         [](const QString& f) {
             QDir().mkpath(f);
             ::chmod(QFile::encodeName(f).constData(), 0777);
         },
         false},
        {"link instead of the folder",
         [&](const QString& f) { ASSERT_TRUE(QFile::link(elsewhere.path(), f)); }, false},
        {"link at the lock file's name",
         [&](const QString& f) {
             QDir().mkpath(f);
             ::chmod(QFile::encodeName(f).constData(), 0700);
             ASSERT_TRUE(QFile::link(linkTarget, QDir(f).filePath("kolmrap.exe.lock")));
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsRoot && ::geteuid() != 0)
            continue;
        QFile::remove(privateFolder());
        QDir(privateFolder()).removeRecursively();
        c.plant(privateFolder());
        InstanceLock lock("kolmrap.exe");
        EXPECT_EQ(lock.acquire(), InstanceLock::Outcome::Failed);
        EXPECT_FALSE(lock.errorText().isEmpty());
        EXPECT_FALSE(QFileInfo::exists(linkTarget)) << "a link made the lock create its target";
        EXPECT_FALSE(InstanceLock::isHeld("kolmrap.exe"));
    }
}

TEST_F(InstanceLockTest, ARuntimeFolderOpenToOthersIsNotUsed) {
    QTemporaryDir runtime;
    ::chmod(QFile::encodeName(runtime.path()).constData(), 0777);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    EXPECT_EQ(InstanceLock::lockFilePath("kolmrap.exe"), QDir(privateFolder()).filePath("kolmrap.exe.lock"));
    ::chmod(QFile::encodeName(runtime.path()).constData(), 0700);
    EXPECT_EQ(InstanceLock::lockFilePath("kolmrap.exe"), QDir(runtime.path()).filePath("kolmrap.exe.lock"));
}

} // namespace
