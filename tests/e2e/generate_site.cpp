// Generates a site with the real engine for the end-to-end test of the generated pages.
//
//   generate_site --list RESOURCES
//       prints the identifier of every catalogue template, one per line
//   generate_site RESOURCES OUTPUT sales|choices|radio TEMPLATE-ID BASE-URL [AUDIO] [SALUTATION]
//       writes the site into OUTPUT (which must be empty or missing) and prints the files written
//
// BASE-URL is where the test serves the folder; the page settings point the thanks page, the
// sales letter and the choices' pages at it. Exits non-zero when the generation did not complete.

#include "generator/catalogue.h"
#include "generator/generation.h"
#include "scripteddesktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

generator::PageValues pageValues(const QString& mode, const QString& baseUrl, int audio,
                                 const QString& salutation)
{
    generator::PageValues v;
    v.productName = QStringLiteral("  Garden Insider  ");
    v.salutation = salutation;
    v.domain = QStringLiteral("127.0.0.1");
    v.arAddress = QStringLiteral(" subscribe@lists.example.com ");
    v.salesLetterURL = baseUrl + QStringLiteral("/salescopy.html");
    v.thanksURL = baseUrl + QStringLiteral("/thanks.html");
    v.thanksChecked = true;
    v.choicesMode = mode != QLatin1String("sales");
    v.choiceFormat = mode == QLatin1String("radio") ? 1 : 0;
    v.choiceWording = QStringLiteral("I am most interested in:");
    v.display = {QStringLiteral("Vegetables. Grow your own food, season by season."),
                 QStringLiteral("Roses. Pruning, feeding and the best varieties."),
                 QStringLiteral("Lawns. A green lawn without the hard work."),
                 QStringLiteral("Trees. Planting and caring for fruit trees."),
                 QStringLiteral("Everything")};
    // Choice 5 has neither page nor autoresponder of its own: it falls back to the main ones.
    v.choiceURL = {baseUrl + QStringLiteral("/choice1.html"), baseUrl + QStringLiteral("/choice2.html"),
                   baseUrl + QStringLiteral("/choice3.html"), baseUrl + QStringLiteral("/choice4.html"),
                   QString()};
    v.choiceAR = {QStringLiteral("veg@lists.example.com"), QStringLiteral("roses@lists.example.com"),
                  QStringLiteral("lawns@lists.example.com"), QStringLiteral("trees@lists.example.com"),
                  QString()};
    v.headline = QStringLiteral("Grow a Garden Your Neighbours Envy\nIn One Hour a Week");
    v.body = QStringLiteral(
        "Every week I send one short e-mail with the three garden jobs that matter most right now.\n"
        "No jargon, no expensive gadgets: just what works, from a gardener of 30 years. "
        "Caf\u00e9 owners, allotment holders and balcony growers read it \u2713");
    v.bullets = {QStringLiteral("The 10-minute soil test that saves a whole season"),
                 QStringLiteral("   "),
                 QStringLiteral("Which plants to buy cheap and which never to skimp on"),
                 QStringLiteral("A month-by-month planting calendar, free")};
    v.optin = QStringLiteral("Join the e-mail list to get your free planting calendar.");
    v.submit = QStringLiteral("Send me the calendar now!");
    v.testimonial = QStringLiteral(
        "\"My tomatoes have never been better. The weekly tips are short and spot on.\"\n"
        "- Margaret, Leeds");
    v.audio = audio;
    return v;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    if (args.size() == 2 && args[0] == QLatin1String("--list")) {
        const generator::Catalogue catalogue =
            generator::readCatalogue(QDir(args[1]).filePath(QStringLiteral("templates.xml")));
        if (catalogue.status != generator::Catalogue::Status::Ok || catalogue.rows.isEmpty()) {
            err() << "the template catalogue cannot be used\n";
            return 2;
        }
        for (const generator::CatalogueRow& row : catalogue.rows)
            out() << generator::templateIdentifier(row.tag) << '\n';
        return 0;
    }

    if (args.size() < 5 || args.size() > 7) {
        err() << "usage: generate_site --list RESOURCES\n"
                 "       generate_site RESOURCES OUTPUT sales|choices|radio TEMPLATE-ID BASE-URL "
                 "[AUDIO] [SALUTATION]\n";
        return 2;
    }
    const QString resources = args[0];
    const QString output = args[1];
    const QString mode = args[2];
    const QString templateId = args[3];
    const QString baseUrl = args[4];
    const int audio = args.size() > 5 ? args[5].toInt() : 0;
    const QString salutation = args.size() > 6 ? args[6] : QStringLiteral("Fellow Entrepreneur");
    if (mode != QLatin1String("sales") && mode != QLatin1String("choices")
        && mode != QLatin1String("radio")) {
        err() << "unknown mode " << mode << '\n';
        return 2;
    }

    generator::PageValues values = pageValues(mode, baseUrl, audio, salutation);
    const generator::Catalogue catalogue =
        generator::readCatalogue(QDir(resources).filePath(QStringLiteral("templates.xml")));
    for (const generator::CatalogueRow& row : catalogue.rows) {
        if (generator::templateIdentifier(row.tag) == templateId) {
            values.templateRowText = row.text;
            values.templateRowTag = row.tag;
        }
    }
    if (values.templateRowTag.isEmpty()) {
        err() << "no template " << templateId << " in the catalogue\n";
        return 2;
    }

    if (!QDir().mkpath(output) || !QDir(output).isEmpty()) {
        err() << "the output folder must be new or empty: " << output << '\n';
        return 2;
    }

    ScriptedDesktop desktop;
    desktop.answerFolder(QDir(output).absolutePath());
    const generator::GenerationResult result = generator::generateSite(
        values, resources, QCoreApplication::applicationDirPath(), desktop);

    for (const QString& message : desktop.messages())
        err() << "message shown: " << message << '\n';
    if (result.outcome != generator::GenerationResult::Outcome::Completed) {
        err() << "the generation did not complete (outcome "
              << static_cast<int>(result.outcome) << ")\n";
        return 1;
    }
    if (!desktop.messages().isEmpty() || !desktop.allAnswersUsed()) {
        err() << "the generation showed messages or left the folder dialog unasked\n";
        return 1;
    }
    for (const QString& file : result.written)
        out() << file << '\n';
    return 0;
}
