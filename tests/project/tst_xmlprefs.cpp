// The settings store: the bytes of its files, capturing controls, the reading rules and the
// files it refuses.

#include "apptest.h"
#include "scripteddesktop.h"

#include "project/xmlprefs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include "resourcefixture.h"

namespace {

// A store file around the given item lines.
QByteArray storeFile(const QList<QByteArray>& items)
{
    QByteArray bytes = "<?xml version='1.0' encoding='UTF-8' standalone='yes'?>\r<prefs>\r";
    for (const QByteArray& item : items)
        bytes += item + '\r';
    return bytes + "</prefs>";
}

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1StringView(name));
    return widget;
}

} // namespace

class TestXmlPrefs : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void savedFileHasTheExactBytes();
    void emptyStoreFile();
    void capturingTwiceKeepsTheLaterState();
    void readingRules_data();
    void readingRules();
    void duplicateAndCaseVariantNames();
    void radioButtonItems();
    void textSurvivesSavingAndLoading_data();
    void textSurvivesSavingAndLoading();
    void charactersXmlCannotHoldAreDroppedOnReading_data();
    void charactersXmlCannotHoldAreDroppedOnReading();
    void badFilesAreRefusedWhole_data();
    void badFilesAreRefusedWhole();
    void missingFileBeeps();
    void unwritableFileThrowsAndKeepsTheOldOne();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestXmlPrefs::savedFileHasTheExactBytes()
{
    QLineEdit product;
    product.setObjectName(QStringLiteral("txtProductName"));
    product.setText(QStringLiteral("New Blue Widgets"));
    QLineEdit salutation; // saved empty
    salutation.setObjectName(QStringLiteral("txtSalutation"));
    QPlainTextEdit headline;
    headline.setObjectName(QStringLiteral("txtHeadline"));
    headline.setPlainText(QStringLiteral("Big news\n<today> for Zo\u00EB"));
    QComboBox audio;
    audio.setObjectName(QStringLiteral("popAudio"));
    audio.addItems({QStringLiteral("No audio"), QStringLiteral("Manual"), QStringLiteral("Auto")});
    audio.setCurrentIndex(1);
    QListWidget bullets;
    bullets.setObjectName(QStringLiteral("lstBullets"));
    bullets.addItems({QStringLiteral("Fast & free"), QStringLiteral("No spam")});
    QWidget group;
    auto* one = named(new QRadioButton(&group), "RadioButton1");
    auto* two = named(new QRadioButton(&group), "RadioButton2");
    one->setChecked(true);

    XMLPrefs prefs;
    // Captured in another order than the file shows them: the file is sorted by name.
    prefs.addItem(&product);
    prefs.addItem(one);
    prefs.addItem(two);
    prefs.addItem(&salutation);
    prefs.addItem(&headline);
    prefs.addItem(&audio);
    prefs.addItem(&bullets);
    prefs.savePrefs(path(QStringLiteral("store.tdo")));

    const QByteArray golden = readBytes(QStringLiteral(TANDEO_TEST_DATA_DIR "/project/store.tdo"));
    QVERIFY(!golden.isEmpty());
    const QByteArray saved = readBytes(path(QStringLiteral("store.tdo")));
    // Line by line first, for a readable failure; then the whole, which also covers the end.
    const QList<QByteArray> savedLines = saved.split('\r');
    const QList<QByteArray> goldenLines = golden.split('\r');
    for (qsizetype i = 0; i < qMin(savedLines.size(), goldenLines.size()); ++i)
        QCOMPARE(savedLines.at(i), goldenLines.at(i));
    QCOMPARE(saved, golden);
}

void TestXmlPrefs::emptyStoreFile()
{
    XMLPrefs prefs;
    QVERIFY(prefs.repository.empty());
    prefs.savePrefs(path(QStringLiteral("empty.tdo")));
    QCOMPARE(
        readBytes(path(QStringLiteral("empty.tdo"))),
        QByteArray("<?xml version='1.0' encoding='UTF-8' standalone='yes'?>\r<prefs>\r</prefs>"));
}

void TestXmlPrefs::capturingTwiceKeepsTheLaterState()
{
    QLineEdit field;
    field.setObjectName(QStringLiteral("txtBody"));
    XMLPrefs prefs;
    field.setText(QStringLiteral("first"));
    prefs.addItem(&field);
    field.setText(QStringLiteral("second"));
    prefs.addItem(&field);
    prefs.savePrefs(path(QStringLiteral("twice.tdo")));

    QCOMPARE(readBytes(path(QStringLiteral("twice.tdo"))),
             storeFile({"<editfield><name>txtBody</name><value>second</value></editfield>"}));
}

void TestXmlPrefs::readingRules_data()
{
    // The file's items, and what the four controls show after applying them. Before, the
    // field shows "before", the popup row 0 of 3, the list one row "old".
    QTest::addColumn<QByteArray>("items");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("selectedRow");

    const QStringList oldRows{QStringLiteral("old")};
    QTest::newRow("no items: nothing changes") << QByteArray() << "before" << 0 << oldRows << -1;
    QTest::newRow("other element names, items in another order")
        << QByteArray("<thing><id>list</id><value>-1</value><listitem>a</listitem></thing>"
                      "<editfield><name>popup</name><value>2</value></editfield>"
                      "<x><y>field</y><value>from file</value></x>")
        << "from file" << 2 << QStringList{QStringLiteral("a")} << -1;
    QTest::newRow("element names in any letter case")
        << QByteArray("<editfield><name>field</name><VALUE>upper</VALUE></editfield>"
                      "<listbox><name>list</name><Value>0</Value><ListItem>x</ListItem></listbox>")
        << "upper" << 0 << QStringList{QStringLiteral("x")} << -1;
    QTest::newRow("empty values are skipped, both spellings")
        << QByteArray("<editfield><name>field</name><value/></editfield>"
                      "<popupmenu><name>popup</name><value></value></popupmenu>"
                      "<listbox><name>list</name><value/><listitem/><listitem>kept</listitem>"
                      "<listitem></listitem></listbox>")
        << "before" << 0 << QStringList{QStringLiteral("kept")} << -1;
    QTest::newRow("several values: the last decides")
        << QByteArray(
               "<editfield><name>field</name><value>one</value><value>two</value></editfield>"
               "<popupmenu><name>popup</name><value>2</value><value>1</value></popupmenu>")
        << "two" << 1 << oldRows << -1;
    QTest::newRow("a selection after the rows selects")
        << QByteArray("<listbox><name>list</name><listitem>a</listitem><listitem>b</listitem>"
                      "<value>1</value></listbox>")
        << "before" << 0 << QStringList{QStringLiteral("a"), QStringLiteral("b")} << 1;
    QTest::newRow("popup index read as a leading number")
        << QByteArray("<popupmenu><name>popup</name><value> 2.9 rows</value></popupmenu>")
        << "before" << 2 << oldRows << -1;
    QTest::newRow("popup row that does not exist leaves the popup")
        << QByteArray("<popupmenu><name>popup</name><value>7</value></popupmenu>") << "before" << 0
        << oldRows << -1;
    QTest::newRow("popup with nothing selected")
        << QByteArray("<popupmenu><name>popup</name><value>-1</value></popupmenu>") << "before"
        << -1 << oldRows << -1;
    QTest::newRow("name element under another name, text with entities")
        << QByteArray(
               "<editfield><key>field</key><value>a &lt;b&gt; &amp; &#233;</value></editfield>")
        << QString::fromUtf8("a <b> & \u00E9") << 0 << oldRows << -1;
    QTest::newRow("comments and white space between items")
        << QByteArray("<!-- written by hand -->\n  <editfield>\n  <name>field</name>\n"
                      "  <value>spaced</value>\n</editfield>\n")
        << "spaced" << 0 << oldRows << -1;
    QTest::newRow("comments and processing instructions inside an item")
        << QByteArray("<editfield><name><!-- n -->field</name><value><?pi x?>typed</value></editfield>"
                      "<listbox><name>list</name><value>-1</value>"
                      "<listitem><?xmb v=\"0\"?>7<b/>a</listitem></listbox>")
        << "typed" << 0 << QStringList{QStringLiteral("7a")} << -1;
}

void TestXmlPrefs::readingRules()
{
    QFETCH(QByteArray, items);
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QStringList, rows);
    QFETCH(int, selectedRow);

    QLineEdit field;
    field.setObjectName(QStringLiteral("field"));
    field.setText(QStringLiteral("before"));
    QComboBox popup;
    popup.setObjectName(QStringLiteral("popup"));
    popup.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QListWidget list;
    list.setObjectName(QStringLiteral("list"));
    list.addItem(QStringLiteral("old"));

    const QString file = path(QStringLiteral("rules.tdo"));
    QVERIFY(writeBytes(file, storeFile({items})));
    XMLPrefs prefs;
    prefs.getPrefs(file);
    prefs.setItem(&field);
    prefs.setItem(&popup);
    prefs.setItem(&list);

    QCOMPARE(field.text(), text);
    QCOMPARE(popup.currentIndex(), index);
    QStringList shown;
    for (int row = 0; row < list.count(); ++row)
        shown << list.item(row)->text();
    QCOMPARE(shown, rows);
    const QList<QListWidgetItem*> selected = list.selectedItems();
    QCOMPARE(selected.isEmpty() ? -1 : list.row(selected.constFirst()), selectedRow);

    // What was read saves and reads back the same.
    const XMLPrefs::Items read = XMLPrefs::readPrefsData(storeFile({items}), file);
    QCOMPARE(XMLPrefs::readPrefsData(XMLPrefs::fileBytes(read), file), read);
}

void TestXmlPrefs::duplicateAndCaseVariantNames()
{
    // The later item of a name wins, in a file and across files, whatever the name's case.
    const QString first = path(QStringLiteral("first.tdo"));
    QVERIFY(writeBytes(
        first,
        storeFile({
            "<editfield><name>txtBody</name><value>early</value></editfield>",
            "<editfield><name>txtBody</name><value>late</value></editfield>",
            "<editfield><name>txtOptin</name><value>only in the first file</value></editfield>",
        })));
    const QString second = path(QStringLiteral("second.tdo"));
    QVERIFY(writeBytes(
        second,
        storeFile({
            "<editfield><name>TXTBODY</name><value>from the second file</value></editfield>",
        })));

    XMLPrefs prefs;
    prefs.getPrefs(first);
    QCOMPARE(prefs.repository.size(), std::size_t(2));
    QLineEdit body;
    body.setObjectName(QStringLiteral("txtBody"));
    prefs.setItem(&body);
    QCOMPARE(body.text(), QStringLiteral("late"));

    // Loading merges: the item the second file lacks stays in the store.
    prefs.getPrefs(second);
    QCOMPARE(prefs.repository.size(), std::size_t(2));
    prefs.setItem(&body);
    QCOMPARE(body.text(), QStringLiteral("from the second file"));
    QLineEdit optin;
    optin.setObjectName(QStringLiteral("txtOptin"));
    prefs.setItem(&optin);
    QCOMPARE(optin.text(), QStringLiteral("only in the first file"));
}

void TestXmlPrefs::radioButtonItems()
{
    QWidget group;
    auto* one = named(new QRadioButton(&group), "one");
    auto* two = named(new QRadioButton(&group), "two");
    one->setChecked(true);

    XMLPrefs prefs;
    prefs.mergeItems(
        {{QStringLiteral("one"), XMLPrefs::radioButtonItem(QStringLiteral("one"), false)},
         {QStringLiteral("two"), QStringLiteral("<x><name>two</name><value>TRUE</value></x>")}});
    prefs.setItem(one);
    prefs.setItem(two);
    QVERIFY(!one->isChecked());
    QVERIFY(two->isChecked());

    // An item without a value cannot be applied to a radio button, and says so beforehand.
    const QString empty = QStringLiteral("<radiobutton><name>one</name><value/></radiobutton>");
    QVERIFY(!XMLPrefs::fitsRadioButton(empty));
    QVERIFY(XMLPrefs::fitsRadioButton(XMLPrefs::radioButtonItem(QStringLiteral("one"), false)));
    prefs.mergeItems({{QStringLiteral("one"), empty}});
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, prefs.setItem(one));
    QVERIFY(two->isChecked());
}

void TestXmlPrefs::textSurvivesSavingAndLoading_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("loaded");

    QTest::newRow("reserved characters") << QStringLiteral("<a href=\"x\">&amp;'</a> ]]>")
                                         << QStringLiteral("<a href=\"x\">&amp;'</a> ]]>");
    QTest::newRow("line breaks of every kind")
        << QStringLiteral("one\ntwo\r\nthree\rfour") << QStringLiteral("one\ntwo\r\nthree\rfour");
    QTest::newRow("tabs and outer spaces")
        << QStringLiteral("\t indented ") << QStringLiteral("\t indented ");
    QTest::newRow("beyond ASCII") << QString::fromUtf8("Caf\u00E9 \u2014 \u65E5\u672C \U0001F600")
                                  << QString::fromUtf8("Caf\u00E9 \u2014 \u65E5\u672C \U0001F600");
    QTest::newRow("control characters are dropped") << QStringLiteral("a\x01"
                                                                      "b\x1F"
                                                                      "c\x7F"
                                                                      "d\x0B"
                                                                      "e\x0C"
                                                                      "f") +
                                                           QChar(0) + QStringLiteral("g")
                                                    << QStringLiteral("ab"
                                                                      "c\x7F"
                                                                      "defg");
    QTest::newRow("non-characters and lone surrogates are dropped")
        << QStringLiteral("x") + QChar(0xFFFE) + QChar(0xFFFF) + QChar(0xD800) +
               QStringLiteral("y") + QChar(0xDC00)
        << QStringLiteral("xy");
}

void TestXmlPrefs::textSurvivesSavingAndLoading()
{
    QFETCH(QString, typed);
    QFETCH(QString, loaded);

    QLineEdit line;
    line.setObjectName(QStringLiteral("line"));
    line.setText(typed);
    QPlainTextEdit text;
    text.setObjectName(QStringLiteral("text"));
    text.setPlainText(typed);
    QListWidget list;
    list.setObjectName(QStringLiteral("list"));
    list.addItem(typed);

    XMLPrefs saving;
    saving.addItem(&line);
    saving.addItem(&text);
    saving.addItem(&list);
    const QString file = path(QStringLiteral("text.tdo"));
    saving.savePrefs(file);

    // Every file the store writes can be read again.
    XMLPrefs loading;
    loading.getPrefs(file);
    QCOMPARE(loading.repository.size(), std::size_t(3));
    line.clear();
    text.clear();
    loading.setItem(&line);
    loading.setItem(&text);
    loading.setItem(&list);
    QCOMPARE(line.text(), loaded);
    // The multi-line field shows what it would show had the text been typed without the
    // dropped characters.
    QPlainTextEdit expected;
    expected.setPlainText(loaded);
    QCOMPARE(text.toPlainText(), expected.toPlainText());
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.item(0)->text(), loaded);
}

void TestXmlPrefs::charactersXmlCannotHoldAreDroppedOnReading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    // "+2AA-" is half a surrogate pair in UTF-7.
    const QByteArray utf7 = "<?xml version='1.0' encoding='UTF-7'?><prefs><editfield><name>";
    QTest::newRow("in a value") << utf7 + "txtA</name><value>a+2AA-b</value></editfield></prefs>"
                                << "txtA"
                                << "ab";
    QTest::newRow("in a name") << utf7 + "txt+2AA-B</name><value>v</value></editfield></prefs>"
                               << "txtB"
                               << "v";
}

void TestXmlPrefs::charactersXmlCannotHoldAreDroppedOnReading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(QString, value);
    const QString file = path(QStringLiteral("utf7.tdo"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();

    XMLPrefs prefs;
    prefs.getPrefs(file);
    QCOMPARE(prefs.repository.size(), size_t(1));
    QLineEdit field;
    field.setObjectName(name);
    prefs.setItem(&field);
    QCOMPARE(field.text(), value);
    // What was read is saved and read back unchanged.
    prefs.savePrefs(file);
    QCOMPARE(XMLPrefs::readPrefsFile(file), prefs.repository);
}

void TestXmlPrefs::badFilesAreRefusedWhole_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason"); // a part of the reason given

    const QByteArray good =
        "<editfield><name>txtBody</name><value>from the bad file</value></editfield>";
    QTest::newRow("not XML") << QByteArray("This is a letter, not a project.\r\n")
                             << QStringLiteral("not well-formed XML");
    QTest::newRow("truncated") << storeFile({good, "<editfield><name>txtOptin</name><val"})
                               << QStringLiteral("not well-formed XML");
    QTest::newRow("ends before its end tag")
        << storeFile({good}).chopped(9) << QStringLiteral("not well-formed XML");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("empty");
    QTest::newRow("only white space") << QByteArray(" \r\n\t") << QStringLiteral("empty");
    QTest::newRow("name holding an element, not text")
        << storeFile({good, "<editfield><name><b>x</b></name><value>x</value></editfield>"})
        << QStringLiteral("item 2 (line 4) has no name");
    QTest::newRow("name without text")
        << storeFile({good, "<editfield><name/><value>x</value></editfield>"})
        << QStringLiteral("item 2 (line 4) has no name");
    QTest::newRow("item without children")
        << storeFile({good, "<editfield/>"}) << QStringLiteral("has no name");
}

void TestXmlPrefs::badFilesAreRefusedWhole()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    const QString file = path(QStringLiteral("bad.tdo"));
    QVERIFY(writeBytes(file, bytes));

    XMLPrefs prefs;
    const QString before =
        XMLPrefs::editFieldItem(QStringLiteral("txtBody"), QStringLiteral("mine"));
    prefs.mergeItems({{QStringLiteral("txtBody"), before}});
    try {
        prefs.getPrefs(file);
        QFAIL("the bad file was accepted");
    } catch (const PrefsFileError& error) {
        QCOMPARE(error.file, file);
        QVERIFY2(error.reason.contains(reason), qPrintable(error.reason));
    }
    // Nothing of the file reached the store, not even its good items.
    QCOMPARE(prefs.repository.size(), std::size_t(1));
    QCOMPARE(prefs.repository.at(QStringLiteral("txtBody")), before);
}

void TestXmlPrefs::missingFileBeeps()
{
    ScriptedDesktop desktop;
    XMLPrefs prefs;
    prefs.getPrefs(QString());
    prefs.getPrefs(path(QStringLiteral("nowhere.tdo")));
    QCOMPARE(desktop.beeps, 2);
    QVERIFY(prefs.repository.empty());

    // Read directly, a folder or a missing file is refused with its reason.
    QVERIFY_THROWS_EXCEPTION(PrefsFileError, XMLPrefs::readPrefsFile(m_dir.path()));
    QVERIFY_THROWS_EXCEPTION(PrefsFileError,
                             XMLPrefs::readPrefsFile(path(QStringLiteral("nowhere.tdo"))));
}

void TestXmlPrefs::unwritableFileThrowsAndKeepsTheOldOne()
{
    XMLPrefs prefs;
    prefs.mergeItems(
        {{QStringLiteral("a"), XMLPrefs::editFieldItem(QStringLiteral("a"), QStringLiteral("b"))}});

    // A folder where the file should be: it stays a folder.
    const QString folder = path(QStringLiteral("taken.tdo"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY_THROWS_EXCEPTION(PrefsFileError, prefs.savePrefs(folder));
    QVERIFY(QFileInfo(folder).isDir());

    // A folder that does not exist.
    try {
        prefs.savePrefs(path(QStringLiteral("missing/file.tdo")));
        QFAIL("saved into a missing folder");
    } catch (const PrefsFileError& error) {
        QCOMPARE(error.file, path(QStringLiteral("missing/file.tdo")));
        QVERIFY(!error.reason.isEmpty());
    }
}

TANDEO_TEST_MAIN(TestXmlPrefs)
#include "tst_xmlprefs.moc"
