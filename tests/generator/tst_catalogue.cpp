// Reading the template catalogue "templates.xml".

#include "apptest.h"
#include "resourcefixture.h"

#include "generator/catalogue.h"

#include <QTemporaryDir>

using generator::Catalogue;
using Status = Catalogue::Status;

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void missingFile();
    void templateIdentifier_data();
    void templateIdentifier();
};

void TestCatalogue::reading_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("tags");

    QTest::newRow("two entries, a comment and white space")
        << QByteArray(
               "<?xml version=\"1.0\"?>\n<list>\n  <!-- none -->\n"
               "  <t name=\"Plain\" id=\"plain\" desc=\"A page\" bgcolor=\"ffffff\" author=\"Me\">"
               "<field name=\"f\" label=\"l\" type=\"text\" size=\"3\" max=\"9\"/></t>\n"
               "  <x name=\"Plain\" id=\"other\" desc=\"Same name\" bgcolor=\"000000\" "
               "author=\"You\"/>\n"
               "</list>\n")
        << int(Status::Ok) << QStringList{"Plain", "Plain"}
        << QStringList{"plain|A page|ffffff|Me", "other|Same name|000000|You"};
    QTest::newRow("no entries") << QByteArray("<templates/>") << int(Status::Ok) << QStringList()
                                << QStringList();
    QTest::newRow("entry without id or other attributes")
        << QByteArray("<templates><template name=\"No id\"/></templates>") << int(Status::Ok)
        << QStringList{"No id"} << QStringList{"|||"};
    QTest::newRow("entry named Browse... in other capitals")
        << QByteArray("<templates><template name=\"bROWSE...\" id=\"b\"/></templates>")
        << int(Status::Ok) << QStringList{"bROWSE..."} << QStringList{"b|||"};
    QTest::newRow("UTF-8 names") << QByteArray(
                                        "<t><e name=\"Caf\xc3\xa9 \xe2\x98\x85\" id=\"c\"/></t>")
                                 << int(Status::Ok) << QStringList{"Caf\u00E9 \u2605"}
                                 << QStringList{"c|||"};
    QTest::newRow("not XML") << QByteArray("this is not XML") << int(Status::Unusable)
                             << QStringList() << QStringList();
    QTest::newRow("not well-formed")
        << QByteArray("<templates><template name=\"A\" id=\"a\"></templates>")
        << int(Status::Unusable) << QStringList() << QStringList();
    QTest::newRow("empty file") << QByteArray() << int(Status::Unusable) << QStringList()
                                << QStringList();
}

void TestCatalogue::reading()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, status);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, tags);
    QTemporaryDir folder;
    writeBytes(folder.filePath("templates.xml"), xml);
    const Catalogue catalogue = generator::readCatalogue(folder.filePath("templates.xml"));
    QCOMPARE(int(catalogue.status), status);
    QStringList gotTexts, gotTags;
    for (const generator::CatalogueRow& row : catalogue.rows) {
        gotTexts << row.text;
        gotTags << row.tag;
    }
    QCOMPARE(gotTexts, texts);
    QCOMPARE(gotTags, tags);
}

void TestCatalogue::missingFile()
{
    QTemporaryDir folder;
    const Catalogue catalogue = generator::readCatalogue(folder.filePath("templates.xml"));
    QCOMPARE(catalogue.status, Status::Missing);
    QVERIFY(catalogue.rows.isEmpty());
    // A folder of that name cannot be read.
    QVERIFY(QDir(folder.path()).mkdir("templates.xml"));
    QCOMPARE(generator::readCatalogue(folder.filePath("templates.xml")).status, Status::Unusable);
}

void TestCatalogue::templateIdentifier_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("identifier");
    QTest::newRow("catalogue row") << "plain|A page|ffffff|Me"
                                   << "plain";
    QTest::newRow("picked file") << "/home/me/my page.html|User-chosen template|ffffff|n/a"
                                 << "/home/me/my page.html";
    QTest::newRow("no id") << "|||"
                           << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("trimmed") << " plain |x"
                             << "plain";
}

void TestCatalogue::templateIdentifier()
{
    QFETCH(QString, tag);
    QFETCH(QString, identifier);
    QCOMPARE(generator::templateIdentifier(tag), identifier);
}

TANDEO_TEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
