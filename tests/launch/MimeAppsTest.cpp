#include "launch/MimeApps.h"
#include "launch/XdgDirs.h"
#include "support/XdgSandbox.h"

#include <QtTest>

// One file of the sandbox: its path below the sandbox root and its content.
struct TSandboxFile {
    QString Path;
    QByteArray Content;
};
using TSandboxFiles = QList<TSandboxFile>;
Q_DECLARE_METATYPE(TSandboxFiles)

class MimeAppsTest : public QObject {
    Q_OBJECT

private slots:
    void ordersApplicationsByPrecedence_data();
    void ordersApplicationsByPrecedence();
    void findsDesktopFilesByTheirId_data();
    void findsDesktopFilesByTheirId();
    void readsDefaultsWhenVariablesAreUnset();
};

namespace {

TSandboxFile List(const QString& path, const QByteArray& group, const QByteArray& value) {
    return {path, "[" + group + "]\ntext/plain=other.desktop\ntext/html=" + value + "\n"};
}

const QString kConfig = QStringLiteral("config/mimeapps.list");
const QString kConfigDirs = QStringLiteral("etc-xdg/mimeapps.list");
const QString kDataHome = QStringLiteral("home-data/applications/mimeapps.list");
const QString kDataDirs = QStringLiteral("data/applications/mimeapps.list");
const QString kCache = QStringLiteral("data/applications/mimeinfo.cache");

} // namespace

void MimeAppsTest::ordersApplicationsByPrecedence_data() {
    QTest::addColumn<TSandboxFiles>("files");
    QTest::addColumn<QString>("desktops");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("user config before system config")
        << TSandboxFiles{List(kConfigDirs, "Default Applications", "sys.desktop"),
                         List(kConfig, "Default Applications", "user.desktop")}
        << "" << QStringList{"user.desktop", "sys.desktop"};
    QTest::newRow("config folders before data folders")
        << TSandboxFiles{List(kDataDirs, "Default Applications", "d.desktop"),
                         List(kDataHome, "Default Applications", "h.desktop"),
                         List(kConfigDirs, "Default Applications", "e.desktop")}
        << "" << QStringList{"e.desktop", "h.desktop", "d.desktop"};
    QTest::newRow("current desktops' lists first, in their order")
        << TSandboxFiles{List(kConfig, "Default Applications", "plain.desktop"),
                         List("config/gnome-mimeapps.list", "Default Applications", "g.desktop"),
                         List("config/kde-mimeapps.list", "Default Applications", "k.desktop")}
        << "KDE:GNOME" << QStringList{"k.desktop", "g.desktop", "plain.desktop"};
    QTest::newRow("defaults then additions then the cache")
        << TSandboxFiles{List(kConfig, "Added Associations", "added.desktop"),
                         List(kCache, "MIME Cache", "cached.desktop"),
                         List(kConfigDirs, "Default Applications", "default.desktop")}
        << "" << QStringList{"default.desktop", "added.desktop", "cached.desktop"};
    QTest::newRow("removal hides lower additions and the cache")
        << TSandboxFiles{{kConfig, "[Added Associations]\ntext/html=a1.desktop\n"
                                   "[Removed Associations]\ntext/html=c.desktop;a2.desktop\n"},
                         List(kConfigDirs, "Added Associations", "a2.desktop"),
                         List(kCache, "MIME Cache", "c.desktop;k.desktop")}
        << "" << QStringList{"a1.desktop", "k.desktop"};
    QTest::newRow("removal in a lower list keeps a higher addition")
        << TSandboxFiles{List(kConfig, "Added Associations", "a.desktop"),
                         List(kConfigDirs, "Removed Associations", "a.desktop")}
        << "" << QStringList{"a.desktop"};
    QTest::newRow("empty items dropped and repeats listed once")
        << TSandboxFiles{List(kConfig, "Default Applications", ";h1.desktop;;h2.desktop;"),
                         List(kConfigDirs, "Default Applications", "h2.desktop"),
                         List(kCache, "MIME Cache", "h1.desktop")}
        << "" << QStringList{"h1.desktop", "h2.desktop"};
    QTest::newRow("nothing for the type")
        << TSandboxFiles{List(kConfig, "Default Applications", "")} << "" << QStringList{};
}

void MimeAppsTest::ordersApplicationsByPrecedence() {
    QFETCH(TSandboxFiles, files);
    QFETCH(QString, desktops);
    QFETCH(QStringList, expected);
    TXdgSandbox sandbox;
    QVERIFY(sandbox.IsValid());
    for (const TSandboxFile& file : files) {
        sandbox.Write(file.Path, file.Content);
    }
    qputenv("XDG_CURRENT_DESKTOP", desktops.toUtf8());
    QCOMPARE(AssociatedDesktopIds(TXdgDirs::FromEnvironment(), QStringLiteral("text/html")), expected);
}

void MimeAppsTest::findsDesktopFilesByTheirId_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("expected");

    QTest::newRow("system entry") << QStringList{"data/applications/view.desktop"} << "view.desktop"
                                  << "data/applications/view.desktop";
    QTest::newRow("user entry hides the system one")
        << QStringList{"data/applications/view.desktop", "home-data/applications/view.desktop"}
        << "view.desktop"
        << "home-data/applications/view.desktop";
    QTest::newRow("dash stands for a sub-folder")
        << QStringList{"data/applications/vendor/web-view.desktop"} << "vendor-web-view.desktop"
        << "data/applications/vendor/web-view.desktop";
    QTest::newRow("missing entry") << QStringList{} << "none.desktop"
                                   << "";
    QTest::newRow("an id is no path")
        << QStringList{"data/applications/view.desktop"} << "../applications/view.desktop"
        << "";
}

void MimeAppsTest::findsDesktopFilesByTheirId() {
    QFETCH(QStringList, files);
    QFETCH(QString, id);
    QFETCH(QString, expected);
    TXdgSandbox sandbox;
    QVERIFY(sandbox.IsValid());
    for (const QString& file : files) {
        sandbox.Write(file, "[Desktop Entry]\n");
    }
    const QString found = FindDesktopFile(TXdgDirs::FromEnvironment(), id);
    QCOMPARE(found, expected.isEmpty() ? QString() : sandbox.Root() + QLatin1Char('/') + expected);
}

void MimeAppsTest::readsDefaultsWhenVariablesAreUnset() {
    TXdgSandbox sandbox;
    QVERIFY(sandbox.IsValid());
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME"}) {
        qunsetenv(name);
    }
    qputenv("XDG_DATA_DIRS", "");
    const TXdgDirs dirs = TXdgDirs::FromEnvironment();
    QCOMPARE(dirs.ConfigHome, sandbox.Root() + QStringLiteral("/home/.config"));
    QCOMPARE(dirs.DataHome, sandbox.Root() + QStringLiteral("/home/.local/share"));
    QCOMPARE(dirs.ConfigDirs, QStringList{"/etc/xdg"});
    QCOMPARE(dirs.DataDirs, (QStringList{"/usr/local/share", "/usr/share"}));
}

QTEST_GUILESS_MAIN(MimeAppsTest)
#include "MimeAppsTest.moc"
