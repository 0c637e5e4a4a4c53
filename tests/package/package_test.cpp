// Installation into a temporary prefix and the Debian package built from this
// build tree.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
};

ProgramRun RunProgram(const QString& program, const QStringList& args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    ProgramRun run;
    if (!process.waitForStarted() || !process.waitForFinished(240000)) {
        process.kill();
        process.waitForFinished();
        run.out = process.errorString().toStdString();
        return run;
    }
    run.out = process.readAll().toStdString();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Width and height from a PNG's header chunk; 0 x 0 when it is no PNG.
std::pair<quint32, quint32> PngSize(const QByteArray& bytes)
{
    if (bytes.size() < 24 || !bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.mid(12, 4) != "IHDR")
        return {0, 0};
    auto be32 = [&bytes](int at) {
        quint32 v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | static_cast<quint8>(bytes[at + i]);
        return v;
    };
    return {be32(16), be32(20)};
}

class PackageTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Installed(const QString& relative) const { return QDir(m_dir.path()).filePath(relative); }

    QTemporaryDir m_dir;
};

TEST_F(PackageTest, InstallPutsProgramsEntryTypeIconsAndDataInPlace)
{
    const ProgramRun install =
        RunProgram(QStringLiteral(TALVEX_CMAKE), {QStringLiteral("--install"), QStringLiteral(TALVEX_BINARY_DIR),
                                                  QStringLiteral("--prefix"), m_dir.path()});
    ASSERT_EQ(install.exitCode, 0) << install.out;

    for (const char* program : {"bin/talvex", "bin/talvexc", "bin/talvex-robot"}) {
        const QFileInfo info(Installed(QLatin1String(program)));
        EXPECT_TRUE(info.isFile() && info.isExecutable()) << program;
    }
    // The installed companion runs from its new place.
    const ProgramRun help = RunProgram(Installed(QStringLiteral("bin/talvexc")), {QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0) << help.out;

    const QString desktop = QString::fromUtf8(ReadAll(Installed(QStringLiteral("share/applications/talvex.desktop"))));
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nName=TALVEX流程图\n"))) << desktop.toStdString();
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nComment=用流程图"))) << desktop.toStdString();
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nCategories=Education;\n")));
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nExec=talvex %f\n")));
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nMimeType=application/x-talvex-project;\n")));

    const QByteArray mime = ReadAll(Installed(QStringLiteral("share/mime/packages/talvex.xml")));
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-talvex-project\">"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.lcc\"/>"));

    EXPECT_TRUE(QFileInfo(Installed(QStringLiteral("share/icons/hicolor/scalable/apps/talvex.svg"))).isFile());
    for (quint32 size : {16u, 32u, 48u, 64u, 128u, 256u}) {
        const QString png = QStringLiteral("share/icons/hicolor/%1x%1/apps/talvex.png").arg(size);
        EXPECT_EQ(PngSize(ReadAll(Installed(png))), std::make_pair(size, size)) << png.toStdString();
    }

    // Every data file the tree ships lands in the data folder the programs search.
    QDirIterator data(QStringLiteral(TALVEX_SOURCE_DIR "/data"), QDir::Files, QDirIterator::Subdirectories);
    while (data.hasNext()) {
        const QString source = data.next();
        if (source.endsWith(QLatin1String(".md")) || source.endsWith(QLatin1String("CMakeLists.txt")))
            continue;
        const QString relative = QDir(QStringLiteral(TALVEX_SOURCE_DIR "/data")).relativeFilePath(source);
        EXPECT_EQ(ReadAll(Installed(QStringLiteral("share/talvex/") + relative)), ReadAll(source))
            << relative.toStdString();
    }

    const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString updateMime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (validate.isEmpty() || updateMime.isEmpty())
        GTEST_SKIP() << "desktop-file-utils or shared-mime-info missing (scripts/setup-debian.sh installs them)";
    const ProgramRun valid = RunProgram(validate, {Installed(QStringLiteral("share/applications/talvex.desktop"))});
    EXPECT_EQ(valid.exitCode, 0) << valid.out;
    EXPECT_EQ(valid.out, "");
    // The type definition compiles into the database and claims *.lcc.
    const ProgramRun mimeDb = RunProgram(updateMime, {Installed(QStringLiteral("share/mime"))});
    ASSERT_EQ(mimeDb.exitCode, 0) << mimeDb.out;
    EXPECT_TRUE(ReadAll(Installed(QStringLiteral("share/mime/globs2"))).contains("application/x-talvex-project:*.lcc"));
}

TEST_F(PackageTest, DebianPackageDependsOnRuntimePackagesOnly)
{
    const ProgramRun cpack =
        RunProgram(QStringLiteral(TALVEX_CPACK),
                   {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                    QStringLiteral(TALVEX_BINARY_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), m_dir.path()});
    ASSERT_EQ(cpack.exitCode, 0) << cpack.out;
    const QStringList debs = QDir(m_dir.path()).entryList({QStringLiteral("talvex_*.deb")}, QDir::Files);
    ASSERT_EQ(debs.size(), 1);
    const QString deb = Installed(debs.front());

    const ProgramRun info =
        RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), deb, QStringLiteral("Depends")});
    ASSERT_EQ(info.exitCode, 0) << info.out;
    const QString depends = QString::fromStdString(info.out).trimmed();
    for (const char* runtime : {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6serialport6", "libqt6svg6",
                                "libpugixml1v5", "libstdc++6", "fonts-noto-cjk"}) {
        EXPECT_TRUE(depends.contains(QLatin1String(runtime))) << runtime << " missing from: " << info.out;
    }
    for (const char* buildTool : {"-dev", "cmake", "ninja", "g++", "gcc ", "build-essential", "libgtest", "benchmark"})
        EXPECT_FALSE(depends.contains(QLatin1String(buildTool))) << buildTool << " in: " << info.out;

    const ProgramRun whole = RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("--info"), deb});
    EXPECT_TRUE(QString::fromStdString(whole.out).contains(QStringLiteral("Depends: ") + depends)) << whole.out;

    const ProgramRun contents = RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb});
    ASSERT_EQ(contents.exitCode, 0) << contents.out;
    for (const char* path : {"./usr/bin/talvex\n", "./usr/bin/talvexc\n", "./usr/bin/talvex-robot\n",
                             "./usr/share/applications/talvex.desktop\n", "./usr/share/mime/packages/talvex.xml\n",
                             "./usr/share/icons/hicolor/48x48/apps/talvex.png\n"}) {
        EXPECT_NE(contents.out.find(path), std::string::npos) << path;
    }
}

} // namespace
