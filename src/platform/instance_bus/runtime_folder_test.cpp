#include "platform/instance_bus/runtime_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace {

mode_t modeOf(const QString& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0);
    return status.st_mode & 07777;
}

void setMode(const QString& path, mode_t mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// Sets an environment variable (or unsets it with nullopt) for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<QByteArray> value)
        : m_name(name),
          m_old(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        set(value);
    }
    ~ScopedEnvironment() { set(m_old); }

private:
    void set(const std::optional<QByteArray>& value) {
        if (value)
            qputenv(m_name, *value);
        else
            qunsetenv(m_name);
    }
    const char* m_name;
    std::optional<QByteArray> m_old;
};

class RuntimeFolderTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_parent.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_parent;
};

TEST_F(RuntimeFolderTest, AMissingFolderIsMadeForItsOwnerOnly) {
    // A wide umask must not widen it; a narrow one has nothing left to take.
    const mode_t oldMask = ::umask(0);
    const RuntimeFolder folder = prepareRuntimeFolder(path("tidemark"), ::geteuid());
    ::umask(oldMask);
    ASSERT_TRUE(folder.usable()) << folder.error.toStdString();
    EXPECT_EQ(folder.path, path("tidemark"));
    EXPECT_EQ(modeOf(folder.path), 0700u);
}

TEST_F(RuntimeFolderTest, AnExistingFolderIsUsedOnlyWhenClosedToOthers) {
    const struct {
        mode_t mode;
        bool usable;
    } cases[] = {
        {0700, true}, {0750, false}, {0710, false}, {0701, false}, {0777, false}, {01700, true},
    };
    for (const auto& c : cases) {
        const QString folder = path("tidemark");
        ASSERT_TRUE(QDir().mkpath(folder));
        setMode(folder, c.mode);
        const RuntimeFolder result = prepareRuntimeFolder(folder, ::geteuid());
        EXPECT_EQ(result.usable(), c.usable) << std::oct << c.mode;
        if (!c.usable) {
            EXPECT_TRUE(result.error.contains(QStringLiteral("open to other users")));
            EXPECT_EQ(modeOf(folder), c.mode) << "a refused folder is left as it is";
        }
        setMode(folder, 0700);
        ASSERT_TRUE(QDir(folder).removeRecursively());
    }
}

TEST_F(RuntimeFolderTest, RefusesAFolderOfAnotherUser) {
    ASSERT_TRUE(QDir().mkpath(path("tidemark")));
    setMode(path("tidemark"), 0700);
    const RuntimeFolder folder = prepareRuntimeFolder(path("tidemark"), ::geteuid() + 1);
    EXPECT_FALSE(folder.usable());
    EXPECT_TRUE(folder.error.contains(QStringLiteral("belongs to user")));
}

TEST_F(RuntimeFolderTest, RefusesALinkAndWhatIsNoFolder) {
    ASSERT_TRUE(QDir().mkpath(path("real")));
    setMode(path("real"), 0700);
    ASSERT_TRUE(QFile::link(path("real"), path("link")));
    QFile file(path("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    EXPECT_TRUE(prepareRuntimeFolder(path("link"), ::geteuid())
                    .error.contains(QStringLiteral("symbolic link")));
    EXPECT_TRUE(prepareRuntimeFolder(path("file"), ::geteuid())
                    .error.contains(QStringLiteral("not a folder")));
    EXPECT_FALSE(prepareRuntimeFolder(path("missing/tidemark"), ::geteuid()).usable())
        << "the parent is not made";
}

TEST_F(RuntimeFolderTest, LivesInTheRuntimeFolderOrElseInTheTemporaryFolder) {
    {
        ScopedEnvironment runtime("XDG_RUNTIME_DIR", QFile::encodeName(m_parent.path()));
        EXPECT_EQ(runtimeFolderPath(), path("tidemark"));
    }
    const QString fallback =
        QDir(QDir::tempPath()).filePath(QStringLiteral("tidemark-%1").arg(::geteuid()));
    for (std::optional<QByteArray> unset :
         {std::optional<QByteArray>(), std::optional(QByteArray())}) {
        ScopedEnvironment runtime("XDG_RUNTIME_DIR", unset);
        EXPECT_EQ(runtimeFolderPath(), fallback);
    }
}

}  // namespace
