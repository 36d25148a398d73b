// The output folder's file operations: copying, emptying, reading and writing.

#include "apptest.h"
#include "resourcefixture.h"

#include "generator/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

class TestFileOps : public QObject {
    Q_OBJECT

private slots:
    void init();

    void copyFile();
    void copyFileReplacesExisting();
    void copyFolderWithEmptySubfolder();
    void copyIntoExistingFolderOfThatName();
    void copyResolvesLinks();
    void copyLinkLoopEnds();
    void copyMissingSourceCopiesNothing();
    void emptyNestedFolders();
    void emptyingDeletesLinksNotTargets();
    void emptyingMissingFolder();
    void deleteLinkToFolderItself();
    void loadAndWriteText();
    void loadTextMissingThrows();

private:
    std::unique_ptr<QTemporaryDir> m_root;
    QString path(const QString& name) const { return m_root->filePath(name); }
    QString folder(const QString& name) const
    {
        QDir().mkpath(path(name));
        return path(name);
    }
};

void TestFileOps::init()
{
    m_root = std::make_unique<QTemporaryDir>();
}

void TestFileOps::copyFile()
{
    writeBytes(path("a.bin"), QByteArray("\x00\x01\xff", 3));
    generator::CopyFileorFolder(path("a.bin"), folder("to"));
    QCOMPARE(readBytes(path("to/a.bin")), QByteArray("\x00\x01\xff", 3));
}

void TestFileOps::copyFileReplacesExisting()
{
    writeBytes(path("a.txt"), "new");
    writeBytes(folder("to") + "/a.txt", "older and longer");
    generator::CopyFileorFolder(path("a.txt"), path("to"));
    QCOMPARE(readBytes(path("to/a.txt")), QByteArray("new"));
}

void TestFileOps::copyFolderWithEmptySubfolder()
{
    folder("src/empty");
    folder("src/sub/deeper");
    writeBytes(path("src/sub/deeper/f.txt"), "f");
    writeBytes(path("src/.hidden"), "h");
    generator::CopyFileorFolder(path("src"), folder("to"));
    QCOMPARE(treeOf(path("to")), (QStringList{"src", "src/.hidden", "src/empty", "src/sub",
                                              "src/sub/deeper", "src/sub/deeper/f.txt"}));
}

void TestFileOps::copyIntoExistingFolderOfThatName()
{
    writeBytes(folder("src") + "/new.txt", "n");
    writeBytes(folder("to/src") + "/old.txt", "o");
    generator::CopyFileorFolder(path("src"), path("to"));
    QCOMPARE(treeOf(path("to")), (QStringList{"src", "src/new.txt", "src/old.txt"}));
}

void TestFileOps::copyResolvesLinks()
{
    writeBytes(folder("elsewhere") + "/target.txt", "content");
    folder("src");
    QVERIFY(QFile::link(path("elsewhere/target.txt"), path("src/link.txt")));
    QVERIFY(QFile::link(path("elsewhere"), path("src/linked-folder")));
    QVERIFY(QFile::link(path("nowhere"), path("src/broken")));
    generator::CopyFileorFolder(path("src"), folder("to"));
    QCOMPARE(treeOf(path("to")), (QStringList{"src", "src/link.txt", "src/linked-folder",
                                              "src/linked-folder/target.txt"}));
    QVERIFY(!QFileInfo(path("to/src/link.txt")).isSymLink());
    QCOMPARE(readBytes(path("to/src/link.txt")), QByteArray("content"));
}

void TestFileOps::copyLinkLoopEnds()
{
    writeBytes(folder("src") + "/f.txt", "f");
    QVERIFY(QFile::link(path("src"), path("src/back")));
    generator::CopyFileorFolder(path("src"), folder("to"));
    QCOMPARE(treeOf(path("to")), (QStringList{"src", "src/f.txt"}));
}

void TestFileOps::copyMissingSourceCopiesNothing()
{
    generator::CopyFileorFolder(path("missing"), folder("to"));
    QCOMPARE(treeOf(path("to")), QStringList());
}

void TestFileOps::emptyNestedFolders()
{
    writeBytes(folder("img/a/b") + "/deep.gif", "d");
    writeBytes(path("img/top.gif"), "t");
    folder("img/empty");
    generator::DeleteFilesFromFolder(path("img"));
    QVERIFY(QFileInfo(path("img")).isDir());
    QCOMPARE(treeOf(path("img")), QStringList());
}

void TestFileOps::emptyingDeletesLinksNotTargets()
{
    writeBytes(folder("keep") + "/precious.txt", "p");
    writeBytes(path("keepfile.txt"), "k");
    folder("img");
    QVERIFY(QFile::link(path("keep"), path("img/folder-link")));
    QVERIFY(QFile::link(path("keepfile.txt"), path("img/file-link")));
    QVERIFY(QFile::link(path("nowhere"), path("img/broken-link")));
    generator::DeleteFilesFromFolder(path("img"));
    QCOMPARE(treeOf(path("img")), QStringList());
    QCOMPARE(readBytes(path("keep/precious.txt")), QByteArray("p"));
    QCOMPARE(readBytes(path("keepfile.txt")), QByteArray("k"));
}

void TestFileOps::emptyingMissingFolder()
{
    generator::DeleteFilesFromFolder(path("missing"));
    QVERIFY(!QFileInfo::exists(path("missing")));
}

void TestFileOps::deleteLinkToFolderItself()
{
    writeBytes(folder("keep") + "/precious.txt", "p");
    QVERIFY(QFile::link(path("keep"), path("img")));
    generator::deleteItem(path("img"));
    QVERIFY(!QFileInfo(path("img")).isSymLink());
    QCOMPARE(readBytes(path("keep/precious.txt")), QByteArray("p"));
}

void TestFileOps::loadAndWriteText()
{
    writeBytes(path("t.txt"), QByteArray(500, 'x'));
    generator::WriteText(path("t.txt"), "caf\u00E9\r\u2605");
    QCOMPARE(readBytes(path("t.txt")), QByteArray("caf\xe9\r&#x2605;"));
    QCOMPARE(generator::LoadText(path("t.txt")), QStringLiteral("caf\u00E9\r&#x2605;"));
}

void TestFileOps::loadTextMissingThrows()
{
    QVERIFY_THROWS_EXCEPTION(platform::TextFileError, generator::LoadText(path("missing.txt")));
}

TANDEO_TEST_MAIN(TestFileOps)
#include "tst_fileops.moc"
