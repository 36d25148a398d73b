// Generating a site, against copying the same files with QFile::copy: the files the site is
// made from, into a fresh folder each time, as the generation writes into one.

#include "benchdesktop.h"
#include "generator/generation.h"
#include "harness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

generator::PageValues pageValues()
{
    generator::PageValues v;
    v.productName = QStringLiteral("The Opt-In Page Kit");
    v.salutation = QStringLiteral("Friend");
    v.domain = QStringLiteral("www.example.com");
    v.arAddress = QStringLiteral("kit@autoresponder.example.com");
    v.salesLetterURL = QStringLiteral("http://www.example.com/sales.html");
    v.thanksURL = QStringLiteral("http://www.example.com/thanks.html");
    v.thanksChecked = true;
    v.choicesMode = true;
    v.choiceFormat = 1;
    v.choiceWording = QStringLiteral("Which kit suits you?");
    for (int n = 0; n < 5; ++n) {
        v.display[n] = QStringLiteral("Kit number %1").arg(n + 1);
        v.choiceURL[n] = QStringLiteral("http://www.example.com/kit%1.html").arg(n + 1);
        v.choiceAR[n] = QStringLiteral("kit%1@autoresponder.example.com").arg(n + 1);
    }
    v.headline = QStringLiteral("Build an opt-in page in five minutes");
    v.body = QStringLiteral("Everything you need to collect subscribers, ready to upload.");
    v.optin = QStringLiteral("Enter your name and e-mail address for the free course.");
    v.submit = QStringLiteral("Send me the course");
    v.testimonial = QStringLiteral("\"It took me less than an hour.\" -- A. Customer");
    for (int n = 0; n < 10; ++n)
        v.bullets << QStringLiteral("Bullet point number %1 of the page").arg(n + 1);
    v.audio = 1;
    v.templateRowText = QStringLiteral("Blue Horizon");
    v.templateRowTag = QStringLiteral("bluehorizon|A bold blue header|f3f6fb|Tandeo");
    return v;
}

// The site's files and the resource each comes from.
const std::pair<const char*, const char*> kSiteFiles[] = {
    {"tandeo.js", "tandeo.js"},
    {"tandeolg.js", "tandeolg.js"},
    {"lgsignup.php", "lgsignup.php"},
    {"tdoaudio.js", "tdoaudio.js"},
    {"templates/bluehorizon.html", "index.html"},
    {"READ-ME-NOW.txt", "READ-ME-NOW.txt"},
    {"tdo_greeting.swf", "tdo_greeting.swf"},
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString resources = QStringLiteral(TANDEO_RESOURCE_FOLDER);
    const QDir images(QDir(resources).filePath(QStringLiteral("templates/bluehorizon-img")));
    QTemporaryDir work;
    bench::require(work.isValid(), "a temporary folder");
    bench::ScriptedDesktop desktop;
    const generator::PageValues values = pageValues();

    int runs = 0;
    QString folder;
    const auto prepare = [&] {
        folder = QDir(work.path()).filePath(QString::number(++runs));
        bench::require(QDir().mkdir(folder), "a fresh output folder");
    };
    const auto generate = [&] {
        desktop.answerFolder(folder);
        const generator::GenerationResult result =
            generator::generateSite(values, resources, work.path(), desktop);
        bench::require(result.outcome == generator::GenerationResult::Outcome::Completed,
                       "the site was generated");
        bench::require(QFile::exists(QDir(folder).filePath(QStringLiteral("img/wave.svg"))),
                       "the template's images were copied");
    };
    const auto copy = [&] {
        const QDir source(resources);
        const QDir target(folder);
        for (const auto& [from, to] : kSiteFiles)
            QFile::copy(source.filePath(QLatin1StringView(from)),
                        target.filePath(QLatin1StringView(to)));
        bench::require(target.mkdir(QStringLiteral("img")), "an image folder");
        for (const QString& name : images.entryList(QDir::Files))
            QFile::copy(images.filePath(name), target.filePath(QStringLiteral("img/") + name));
    };
    const auto [subject, baseline] = bench::medianPair(generate, copy, 41, prepare);
    const bool met = bench::report(QStringLiteral("generating a site vs QFile::copy of its files"),
                                   subject, baseline, 3.0);
    return met ? 0 : 1;
}
