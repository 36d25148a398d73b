// Insert Code on a large page full of "[fname]" tokens, against reading and writing the same
// file; and how it grows with the page's size.

#include "benchdesktop.h"
#include "generator/insertion.h"
#include "harness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <functional>

namespace {

// A page of about `bytes` bytes holding `tokens` tokens, spread evenly through its body.
QByteArray page(qsizetype bytes, int tokens)
{
    QByteArray text = "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=windows-1252\">\n<title>Welcome</title>\n</head>\n<body>\n";
    const QByteArray filler = "<p>Thank you for your interest in the kit. Here is what it holds "
                              "and how it helps your list grow, week after week.</p>\n";
    const qsizetype perToken = bytes / tokens;
    for (int i = 0; i < tokens; ++i) {
        text += "<p>Dear [fname], welcome.</p>\n";
        for (qsizetype n = 0; n < perToken / filler.size(); ++n)
            text += filler;
    }
    return text + "</body>\n</html>\n";
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    bench::require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                       file.write(bytes) == bytes.size(),
                   "the page was written");
}

// Insert Code on one page, and reading and writing it: both start from the page as it was,
// since Insert Code changes it in place.
struct Case {
    QString path;
    QByteArray original;
    QString expected; // the message that counts the tokens
    std::function<void()> insert;
    std::function<void()> readWrite;
};

Case makeCase(const QString& folder, const QString& output, qsizetype bytes, int tokens,
              bench::ScriptedDesktop& desktop)
{
    Case c;
    c.original = page(bytes, tokens);
    c.path = QDir(folder).filePath(QStringLiteral("page%1.html").arg(bytes));
    c.expected = QStringLiteral("%1 [fname] tokens were replaced.").arg(tokens);
    writeFile(c.path, c.original);
    c.insert = [&desktop, output, path = c.path, original = c.original, expected = c.expected] {
        desktop.messages.clear();
        desktop.answerOpenFile(path);
        generator::insertCode(output, desktop);
        bench::require(desktop.messages == QStringList{expected}, "every token was replaced");
    };
    c.readWrite = [path = c.path] {
        QFile in(path);
        bench::require(in.open(QIODevice::ReadOnly), "the page opens");
        const QByteArray data = in.readAll();
        // Written whole or not at all, as the program writes every file.
        QSaveFile out(path);
        bench::require(out.open(QIODevice::WriteOnly) && out.write(data) == data.size() &&
                           out.commit(),
                       "the page was written back");
    };
    return c;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    bench::require(work.isValid(), "a temporary folder");
    const QString output = QDir(work.path()).filePath(QStringLiteral("site"));
    bench::require(
        QDir().mkdir(output) &&
            QFile::copy(
                QDir(QStringLiteral(TANDEO_RESOURCE_FOLDER)).filePath(QStringLiteral("tandeo.js")),
                QDir(output).filePath(QStringLiteral("tandeo.js"))),
        "an output folder with its script");
    bench::ScriptedDesktop desktop;

    const qsizetype megabyte = 1024 * 1024;
    const Case large = makeCase(work.path(), output, 10 * megabyte, 10000, desktop);
    const Case half = makeCase(work.path(), output, 5 * megabyte, 5000, desktop);
    const auto prepare = [&] {
        writeFile(large.path, large.original);
        writeFile(half.path, half.original);
    };
    const std::vector<double> m =
        bench::medians({large.insert, large.readWrite, half.insert, half.readWrite}, 11, prepare);
    bool met =
        bench::report(QStringLiteral("Insert Code, 10 MB page, 10,000 tokens vs read and write"),
                      m[0], m[1], 3.0);
    bench::note(QStringLiteral("Insert Code, 5 MB page, 5,000 tokens vs read and write"), m[2],
                m[3]);
    met &= bench::report(QStringLiteral("Insert Code, 10 MB vs 5 MB page"), m[0], m[2], 2.2);
    return met ? 0 : 1;
}
