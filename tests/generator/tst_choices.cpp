// The choice list's markup and the token replacement under it.

#include "apptest.h"

#include "generator/choices.h"
#include "generator/tokens.h"

using DisplayTexts = std::array<QString, 5>;
Q_DECLARE_METATYPE(DisplayTexts)

namespace {

const QString kRadioRow = QStringLiteral(
    "<tr class=\"style4\"><td align=\"left\" valign=\"top\" colspan=\"2\">%1</td></tr>");

QString radio(int n, const QString& label)
{
    return QStringLiteral("<input type=\"radio\" name=\"choice\" value=\"%1\"%2>&nbsp;")
               .arg(n)
               .arg(n == 1 ? " checked" : "") +
           label;
}

} // namespace

class TestChoices : public QObject {
    Q_OBJECT

private slots:
    void dropDown_data();
    void dropDown();
    void radioButtons_data();
    void radioButtons();
    void formatDropDownText_data();
    void formatDropDownText();
    void formatRadioText_data();
    void formatRadioText();
    void replaceToken_data();
    void replaceToken();
    void tokensAsQtFindsThem_data();
    void tokensAsQtFindsThem();
    void countToken_data();
    void countToken();
    void javaScriptString_data();
    void javaScriptString();
    void scriptTokenByPlace_data();
    void scriptTokenByPlace();
};

void TestChoices::dropDown_data()
{
    QTest::addColumn<QString>("wording");
    QTest::addColumn<DisplayTexts>("display");
    QTest::addColumn<QString>("markup");
    const QString frame =
        QStringLiteral("<tr class=\"style4\"><td align=\"center\" colspan=\"2\">%1</br>"
                       "<select name=\"choice\">%2</select></td></tr>");
    QTest::newRow("all empty")
        << "I am most interested in:" << DisplayTexts{}
        << frame.arg("I am most interested in:",
                     "<taCHOICE01><taCHOICE02><taCHOICE03><taCHOICE04><taCHOICE05>");
    QTest::newRow("third missing, texts trimmed")
        << "  Pick:  " << DisplayTexts{" One. More", "Two", "   ", "Four", "Five "}
        << frame.arg("Pick:", "<option value=\"1\">One.<option value=\"2\">Two<taCHOICE03>"
                              "<option value=\"4\">Four<option value=\"5\">Five");
    QTest::newRow("markup kept, wording holding a choice token")
        << "<b>Pick</b> <tachoice02>" << DisplayTexts{"", "<i>Two</i>", "", "", ""}
        << frame.arg(
               "<b>Pick</b> <option value=\"2\"><i>Two</i>",
               "<taCHOICE01><option value=\"2\"><i>Two</i><taCHOICE03><taCHOICE04><taCHOICE05>");
}

void TestChoices::dropDown()
{
    QFETCH(QString, wording);
    QFETCH(DisplayTexts, display);
    QFETCH(QString, markup);
    QCOMPARE(generator::DropDownChoices(wording, display), markup);
}

void TestChoices::radioButtons_data()
{
    QTest::addColumn<QString>("wording");
    QTest::addColumn<DisplayTexts>("display");
    QTest::addColumn<QString>("markup");
    const QString head =
        QStringLiteral("<tr class=\"style4\"><td align=\"center\" colspan=\"2\">%1</td></tr>");
    QTest::newRow("all empty") << "Pick:" << DisplayTexts{}
                               << head.arg("Pick:") + kRadioRow.arg("<taCHOICE01>") +
                                      kRadioRow.arg("<taCHOICE02>") +
                                      kRadioRow.arg("<taCHOICE03>") +
                                      kRadioRow.arg("<taCHOICE04>") + kRadioRow.arg("<taCHOICE05>");
    QTest::newRow("first empty: none checked")
        << "Pick:" << DisplayTexts{"", "Two. Second one.", "", "", "Five"}
        << head.arg("Pick:") + kRadioRow.arg("<taCHOICE01>") +
               kRadioRow.arg(radio(2, "<b>Two.</b></br>Second one.")) +
               kRadioRow.arg("<taCHOICE03>") + kRadioRow.arg("<taCHOICE04>") +
               kRadioRow.arg(radio(5, "<b>Five</b>"));
    QTest::newRow("first checked")
        << " Pick: " << DisplayTexts{" One ", "", "", "", ""}
        << head.arg("Pick:") + kRadioRow.arg(radio(1, "<b>One</b>")) +
               kRadioRow.arg("<taCHOICE02>") + kRadioRow.arg("<taCHOICE03>") +
               kRadioRow.arg("<taCHOICE04>") + kRadioRow.arg("<taCHOICE05>");
}

void TestChoices::radioButtons()
{
    QFETCH(QString, wording);
    QFETCH(DisplayTexts, display);
    QFETCH(QString, markup);
    QCOMPARE(generator::RadioButtonChoices(wording, display), markup);
}

void TestChoices::formatDropDownText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no full stop") << "Dogs and cats"
                                  << "Dogs and cats";
    QTest::newRow("full stop at the end") << "Dogs."
                                          << "Dogs.";
    QTest::newRow("full stop at the start") << ".Dogs"
                                            << ".";
    QTest::newRow("full stop in the middle") << "Dogs. All about dogs. More."
                                             << "Dogs.";
    QTest::newRow("empty") << ""
                           << "";
}

void TestChoices::formatDropDownText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(generator::FormatDropDownText(text), shown);
}

void TestChoices::formatRadioText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no full stop") << "Dogs and cats"
                                  << "<b>Dogs and cats</b>";
    QTest::newRow("full stop at the end") << "Dogs."
                                          << "<b>Dogs.</b></br>";
    QTest::newRow("full stop at the start") << ". Dogs "
                                            << "<b>.</b></br>Dogs";
    QTest::newRow("full stop in the middle") << "Dogs.   All about dogs. More."
                                             << "<b>Dogs.</b></br>All about dogs. More.";
    QTest::newRow("markup kept") << "<i>Dogs</i>. x"
                                 << "<b><i>Dogs</i>.</b></br>x";
}

void TestChoices::formatRadioText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(generator::FormatRadioText(text), shown);
}

void TestChoices::replaceToken_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("result");
    QTest::newRow("every occurrence, any case") << "[DOMAIN] [domain] [Domain]"
                                                << "x.com"
                                                << "x.com x.com x.com";
    QTest::newRow("none") << "nothing"
                          << "x"
                          << "nothing";
    QTest::newRow("value holding the token is not searched again") << "a[DOMAIN]b"
                                                                   << "[DOMAIN][DOMAIN]"
                                                                   << "a[DOMAIN][DOMAIN]b";
    QTest::newRow("empty value") << "<[DOMAIN]>"
                                 << ""
                                 << "<>";
}

void TestChoices::replaceToken()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(QString, result);
    generator::replaceToken(text, u"[DOMAIN]", value);
    QCOMPARE(text, result);
}

// The token search jumps between brackets; it must find exactly what Qt's case-insensitive
// search finds, letters that fold to ASCII ones (long s, Kelvin sign) included.
void TestChoices::tokensAsQtFindsThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("token");
    const QString tokens[] = {QStringLiteral("[fname]"), QStringLiteral("<taBULLETS>"),
                              QStringLiteral("[DOMAIN]"), QStringLiteral("[[x]")};
    const QString texts[] = {
        QStringLiteral("[fname][FNAME] [Fname]x[fname"),
        QStringLiteral("<<taBULLETS><tabullets> <taBULLET\u017F> <TABULLETS"),
        QStringLiteral("[DOMAIN[DOMAIN]] [domain][DoMaIn]"),
        QStringLiteral("[[[x][[x]]"),
        QStringLiteral("\u212A[fname]\U0001F600[fname]\u00E9[]"),
        QStringLiteral("no token here"),
        QString(),
    };
    for (const QString& token : tokens)
        for (const QString& text : texts)
            QTest::addRow("%s in \"%s\"", qPrintable(token), qPrintable(text)) << text << token;
}

void TestChoices::tokensAsQtFindsThem()
{
    QFETCH(QString, text);
    QFETCH(QString, token);
    const QString value = QStringLiteral("<value %1>").arg(token);
    QString expected = text;
    expected.replace(token, value, Qt::CaseInsensitive);

    QString replaced = text;
    generator::replaceToken(replaced, token, value);
    QCOMPARE(replaced, expected);
    QCOMPARE(generator::countToken(text, token), text.count(token, Qt::CaseInsensitive));

    // Appending in two parts split at a line break, as Insert Code does around its script.
    const QString split = text + QLatin1Char('\n') + text;
    QString appended = QStringLiteral("kept ");
    const qsizetype lineBreak = text.size();
    generator::appendReplacingToken(appended, QStringView(split).first(lineBreak), token, value);
    generator::appendReplacingToken(appended, QStringView(split).sliced(lineBreak), token, value);
    QCOMPARE(appended, QStringLiteral("kept ") + expected + QLatin1Char('\n') + expected);
}

void TestChoices::countToken_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("count");
    QTest::newRow("any case") << "[fname], [FNAME] and [fName]"
                              << "[fname]" << 3;
    QTest::newRow("none") << "fname"
                          << "[fname]" << 0;
    QTest::newRow("empty text") << ""
                                << "[fname]" << 0;
    // A token that can overlap itself is counted as it is replaced, left to right.
    QTest::newRow("overlapping, even") << "aaaa"
                                       << "aa" << 2;
    QTest::newRow("overlapping, odd") << "aAa"
                                      << "aa" << 1;
    QTest::newRow("overlapping tags") << "<x<x<x"
                                      << "<x<x" << 1;
}

void TestChoices::countToken()
{
    QFETCH(QString, text);
    QFETCH(QString, token);
    QFETCH(int, count);
    QCOMPARE(generator::countToken(text, token), count);
    // As many as replacing finds: each replacement by one more character lengthens the text
    // by one.
    QString replaced = text;
    generator::replaceToken(replaced, token, token + u'#');
    QCOMPARE(replaced.size() - text.size(), count);
}

void TestChoices::javaScriptString_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("plain") << "Valued Friend"
                           << "Valued Friend";
    QTest::newRow("quotes") << "Valued \"Friend\" o'clock"
                            << "Valued \\\"Friend\\\" o\\'clock";
    QTest::newRow("backslash") << "a\\b"
                               << "a\\\\b";
    QTest::newRow("line breaks") << "a\r\nb\tc"
                                 << "a\\r\\nb\\tc";
    QTest::newRow("script end") << "</script>"
                                << "\\u003C/script\\u003E";
    QTest::newRow("non-ASCII") << "Ch\u00E8re \u2605 \U0001F600"
                               << "Ch\\u00E8re \\u2605 \\uD83D\\uDE00";
    QTest::newRow("separators") << "\u2028"
                                << "\\u2028";
}

void TestChoices::javaScriptString()
{
    QFETCH(QString, value);
    QFETCH(QString, escaped);
    QCOMPARE(generator::javaScriptString(value), escaped);
}

void TestChoices::scriptTokenByPlace_data()
{
    // A script file may carry, beside its script, the style a page uses without scripts.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString inScript = QStringLiteral("Ch\\u00E8re \\\"amie\\\"");
    const QString inStyle = QStringLiteral("Ch\\E8 re \\22 amie\\22 ");
    QTest::newRow("script only") << "var s = \"[TOKEN]\";" << "var s = \"" + inScript + "\";";
    QTest::newRow("script then style")
        << "s=\"[token]\";<noscript><STYLE>p::after{content:\"[TOKEN]\"}</style></noscript>"
        << "s=\"" + inScript + "\";<noscript><STYLE>p::after{content:\"" + inStyle
               + "\"}</style></noscript>";
    QTest::newRow("after the style again")
        << "<style>a{content:\"[TOKEN]\"}</style>x=\"[TOKEN]\""
        << "<style>a{content:\"" + inStyle + "\"}</style>x=\"" + inScript + "\"";
    QTest::newRow("no token") << "<style></style>" << "<style></style>";
}

void TestChoices::scriptTokenByPlace()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    generator::replaceScriptToken(text, u"[TOKEN]", QStringLiteral("Ch\u00E8re \"amie\""));
    QCOMPARE(text, expected);
    // Markup cannot end the style either.
    QCOMPARE(generator::cssString(QStringLiteral("</style>")), QStringLiteral("\\3C /style\\3E "));
}

TANDEO_TEST_MAIN(TestChoices)
#include "tst_choices.moc"
