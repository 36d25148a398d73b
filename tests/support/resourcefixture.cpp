#include "resourcefixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(source, target);
    }
}

} // namespace

ResourceFixture::ResourceFixture()
{
    copyTree(QStringLiteral(TANDEO_TEST_DATA_DIR "/generator/tautils"), resources());
}

QString ResourceFixture::resources() const
{
    return m_root.filePath(QStringLiteral("tautils"));
}

QString ResourceFixture::path(const QString& name) const
{
    return m_root.filePath(name);
}

QString ResourceFixture::newFolder(const QString& name) const
{
    const QString folder = m_root.filePath(name);
    QDir().mkpath(folder);
    return folder;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    if (!written)
        QTest::qFail(qPrintable(QStringLiteral("could not write %1").arg(path)), __FILE__, __LINE__);
    return written;
}

QStringList treeOf(const QString& folder)
{
    QStringList items;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        items << QDir(folder).relativeFilePath(it.next());
    items.sort();
    return items;
}

QStringList leftTokens(const QString& text)
{
    // "<table>" is markup, not a token.
    static const QRegularExpression token(
        QStringLiteral(R"(<ta(?!ble)[A-Z0-9 ]+>|\[[A-Z0-9 ]{4,}\])"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (auto it = token.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}
